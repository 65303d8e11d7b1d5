"""Times zephra-cli apply --force --verify against printer-sims on their simulated network:
- verify_fleet: 32 printers, each joining 1 s after its save and listening on an address of its
  own in 127.0.0.0/8, applied and verified at once, against one printer alone. The fleet's
  printers wait for their networks side by side, so the ratio tells what serving them at once
  costs.
Usage: verify_fleet_figures.py BUILD_DIR (with zephra-cli and printer-sim built)"""
import json
import os
import statistics
import subprocess
import sys
import tempfile

from apply_figures import timed_apply

FLEET = 32
RUNS = 3
NETWORK, KEY = "Bench-Net", "bench-passphrase"
JOIN_DELAY = "1"
# Loopback only, apart from other runs' addresses.
ADDRESS = "127.%d.0.%%d" % (os.getpid() % 250 + 1)


def mac(n):
    return "00:1A:2B:3C:4E:%02X" % n


def start_printers(build):
    """printer-sim processes and their ports."""
    sims = [subprocess.Popen([os.path.join(build, "sim", "printer-sim"), "--model", "5",
                              "--delay", "0", "--set", "mode=0", "--set", "dhcp=0", "--set",
                              "mac=" + mac(n), "--network", NETWORK + ":" + KEY,
                              "--join-delay", JOIN_DELAY],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            for n in range(1, FLEET + 1)]
    return sims, [sim.stdout.readline().strip() for sim in sims]


def main(build):
    cli = os.path.join(build, "cli", "zephra-cli")
    sims, ports = start_printers(build)
    try:
        with tempfile.TemporaryDirectory() as work:
            profile = os.path.join(work, "profile.json")
            subprocess.run([cli, "read", "--yes", "--port", ports[0], "--out", profile],
                           check=True, stderr=subprocess.DEVNULL)
            with open(profile, encoding="utf-8") as f:
                document = json.load(f)
            document["settings"].update(ssid=NETWORK, security="WPA", manual_security=True,
                                        key=KEY)
            with open(profile, "w", encoding="utf-8") as f:
                json.dump(document, f)
            inventory = os.path.join(work, "inventory.csv")
            with open(inventory, "w", encoding="utf-8") as f:
                f.write("mac,ip_address\n" + "".join(
                    "%s,%s\n" % (mac(n), ADDRESS % n) for n in range(1, FLEET + 1)))
            one, fleet = [], []
            verify = ["--inventory", inventory, "--verify=30"]
            for _ in range(RUNS):
                one.append(timed_apply(cli, profile, ports[:1], verify))
                fleet.append(timed_apply(cli, profile, ports, verify))
    finally:
        for sim in sims:
            sim.terminate()
            sim.wait()
    ours, peer = statistics.median(fleet), statistics.median(one)
    print(f"BENCH verify_fleet ours={ours:.3f} s peer={peer:.3f} s ratio={ours / peer:.2f}")


if __name__ == "__main__":
    main(sys.argv[1])
