"""zephra-cli.exe under Wine: the console build lists and identifies the mapped COM ports, reads a
simulated printer on COM1 and applies a profile to COM1 and COM2 at once with results as JSON
lines, Ctrl-C stops its save after the request under way, and a line that goes away ends the save
at once."""

import hashlib
import json
import os
import re
import signal
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness.base import WineTestCase, program  # noqa: E402

SSID = "Lab Printer"


class CliTest(WineTestCase):
    PORTS = ()  # COM1 is served by the simulated printer

    def test_read_prints_the_printers_profile(self):
        self.start_printers(COM1=dict(model="5", options=("--set", f"ssid={SSID}")))
        cli = self.session.start(program("ZEPHRA_CLI_EXE"), ["read", "--port", "com1", "--yes"],
                                 stdin=subprocess.DEVNULL, stderr=subprocess.PIPE)
        out, err = cli.communicate(timeout=60)
        self.assertEqual(cli.returncode, 0, err.decode(errors="replace"))
        profile = json.loads(out)
        self.assertEqual(profile["family"], "current")
        self.assertEqual(profile["settings"]["ssid"], SSID)

    def test_apply_verify_sees_the_printer_on_its_network(self):
        """The Windows probes: a printer on loopback, seen once it has joined after its save."""
        address = "127.%d.4.1" % (os.getpid() % 250 + 1)
        self.start_printers(COM1=dict(model="5", options=(
            "--set", "mode=0", "--set", "dhcp=0", "--set", f"ip={address}",
            "--network", "Office:rightkey123", "--join-delay", "1")))
        read = self.session.start(program("ZEPHRA_CLI_EXE"),
                                  ["read", "--port", "COM1", "--out", r"C:\verify.json", "--yes"],
                                  stdin=subprocess.DEVNULL)
        read.communicate(timeout=60)
        path = os.path.join(self.session.prefix, "drive_c", "verify.json")
        with open(path, encoding="utf-8") as f:
            profile = json.load(f)
        profile["settings"].update(ssid="Office", security="WPA", manual_security=True,
                                   key="rightkey123")
        with open(path, "w", encoding="utf-8") as f:
            json.dump(profile, f)
        # The join takes a second: sixty only catch a wait that never ends.
        cli = self.session.start(program("ZEPHRA_CLI_EXE"),
                                 ["apply", r"C:\verify.json", "--port", "COM1", "--json",
                                  "--verify=60"],
                                 stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        out, _ = cli.communicate(timeout=120)
        self.assertEqual(cli.returncode, 0, out)
        printer = json.loads(out.decode().splitlines()[0])
        network = printer["network"]
        self.assertEqual((network["state"], network["address"], network["found_by"]),
                         ("reachable", address, "static"), printer)
        self.assertGreaterEqual(network["seconds"], 1.0, "seen before it joined")

    def test_apply_gives_json_lines(self):
        """Two ports, each served by a zephra-cli.exe of its own, give a JSON line each."""
        self.start_printers(COM1=dict(model="5", options=("--set", "mac=00:1A:2B:3C:4D:5E")),
                            COM2=dict(model="5", options=("--set", "mac=00:1A:2B:3C:4D:5F")))
        read = self.session.start(program("ZEPHRA_CLI_EXE"),
                                  ["read", "--port", "COM1", "--out", r"C:\current.json"],
                                  stdin=subprocess.DEVNULL)
        read.communicate(timeout=60)
        path = os.path.join(self.session.prefix, "drive_c", "current.json")
        with open(path, encoding="utf-8") as f:
            profile = json.load(f)
        profile["settings"]["ssid"] = SSID
        with open(path, "w", encoding="utf-8") as f:
            json.dump(profile, f)
        cli = self.session.start(program("ZEPHRA_CLI_EXE"),
                                 ["apply", r"C:\current.json", "--port", "COM1", "--port", "COM2",
                                  "--json", "--log", r"C:\fleet.jsonl"],
                                 stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        out, _ = cli.communicate(timeout=60)
        self.assertEqual(cli.returncode, 0, out)
        *printers, summary = [json.loads(line) for line in out.decode().splitlines()]
        self.assertEqual(sorted((p["port"], p["family"], p["mac"], p["result"]) for p in printers),
                         [("COM1", "current", "00:1A:2B:3C:4D:5E", "applied"),
                          ("COM2", "current", "00:1A:2B:3C:4D:5F", "applied")])
        for printer in printers:
            self.assertIn({"setting": "ssid", "from": "Printer-AP", "to": SSID},
                          printer["changes"])
        self.assertEqual(summary["summary"]["applied"], 2)
        # The log's digest comes from Windows' own cryptography.
        with open(os.path.join(self.session.prefix, "drive_c", "fleet.jsonl"), "rb") as f:
            digests = {json.loads(line)["profile_sha256"] for line in f}
        with open(path, "rb") as f:
            self.assertEqual(digests, {hashlib.sha256(f.read()).hexdigest()})

    def test_ports_lists_and_identifies_the_mapped_com_ports(self):
        """Wine's SetupAPI has no device for a mapped port; the serial drivers' own list does."""
        printers = self.start_printers(COM1=dict(model="5"), COM2=dict(identify="silent"))
        cli = self.session.start(program("ZEPHRA_CLI_EXE"), ["ports", "--identify", "--json"],
                                 stdin=subprocess.DEVNULL)
        out, _ = cli.communicate(timeout=60)
        self.assertEqual(cli.returncode, 0, out)
        ports = {p["path"]: p for p in map(json.loads, out.decode().splitlines())}
        self.assertEqual({k: ports["COM1"][k] for k in ("kind", "family", "model", "message")},
                         {"kind": "serial", "family": "current", "model": "5", "message": ""})
        self.assertEqual(ports["COM2"]["message"], "no answer")
        for printer in printers.values():
            self.assertEqual(printer.chunks(), [b"\x1b\x00\x02\x02"])

    def save_under_way(self):
        """A legacy printer and an apply of its own settings, returned once its third request
        of the save has gone out. Replies come slowly enough that what happens next lands
        while a write waits."""
        printers = self.start_printers(COM1=dict(model="3", delay_ms=100))
        profile = os.path.join(self.session.prefix, "drive_c", "legacy.json")
        read = self.session.start(program("ZEPHRA_CLI_EXE"),
                                  ["read", "--port", "COM1", "--yes", "--out", r"C:\legacy.json"],
                                  stdin=subprocess.DEVNULL)
        read.communicate(timeout=60)
        self.assertEqual(read.returncode, 0)
        self.assertTrue(os.path.exists(profile))
        cli = self.session.start(program("ZEPHRA_CLI_EXE"),
                                 ["apply", r"C:\legacy.json", "--port", "COM1", "--yes", "--force"],
                                 stdin=subprocess.DEVNULL, stderr=subprocess.PIPE)
        for line in cli.stderr:
            if line.startswith(b"saving 3/"):
                break
        return printers, cli

    def test_ctrl_c_stops_the_save_after_the_request_under_way(self):
        printers, cli = self.save_under_way()
        os.kill(cli.pid, signal.SIGINT)
        out, _ = cli.communicate(timeout=30)
        out = out.decode().replace("\r\n", "\n")
        self.assertEqual(cli.returncode, 1, out)
        stopped = re.match(r"COM1 legacy stopped: after request (\d+) of the save; the port is "
                           r"closed\n0 of 1 printers applied, 1 stopped\n$", out)
        self.assertIsNotNone(stopped, out)
        # S, then one W per request after it; nothing was written after the stop.
        writes = [c for c in printers["COM1"].chunks() if c.startswith(b"\x1b~W")]
        self.assertEqual(len(writes), int(stopped.group(1)) - 1)


    def test_a_hang_up_during_the_save_says_the_port_closed(self):
        printers, cli = self.save_under_way()
        hung_up = time.monotonic()
        printers["COM1"].stop()  # the printer's end of the line goes away
        out, _ = cli.communicate(timeout=30)
        waited = time.monotonic() - hung_up
        self.assertEqual(cli.returncode, 1)
        self.assertEqual(out.decode().replace("\r\n", "\n"), "COM1 legacy failed: the port "
                         "closed\n0 of 1 printers applied, 1 failed\n")
        self.assertLess(waited, 10, "only a hang fails here")
        print(f"[hang-up] the save ended {waited * 1000:.0f} ms after it", flush=True)


if __name__ == "__main__":
    unittest.main(verbosity=2)
