"""Times how soon zephra-cli apply --force --verify reports a printer on its network once the
printer has joined:
- verify_latency: from the join, as printer-sim says it on its standard error, to the printer's
  result line on zephra-cli's standard output, both seen on this process's monotonic clock; the
  median of several saves, against one second (the gap between attempts once was a second).
Usage: verify_latency_figures.py BUILD_DIR (with zephra-cli and printer-sim built)"""
import json
import os
import selectors
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = 7
NETWORK, KEY = "Bench-Net", "bench-passphrase"
# Loopback only, apart from other runs' addresses.
ADDRESS = "127.%d.1.1" % (os.getpid() % 250 + 1)


def latency(cli, profile, sim):
    """One apply: the seconds from the printer's join to its result."""
    apply = subprocess.Popen([cli, "apply", profile, "--force", "--yes", "--json", "--verify=30",
                              "--port", sim["port"]],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    joined = result = None
    watch = selectors.DefaultSelector()
    watch.register(sim["proc"].stderr, selectors.EVENT_READ, "sim")
    watch.register(apply.stdout, selectors.EVENT_READ, "cli")
    while result is None:
        for key, _ in watch.select(timeout=60):
            line = key.fileobj.readline()
            now = time.monotonic()
            if key.data == "sim" and "joined" in line:
                joined = now
            elif key.data == "cli" and line.startswith('{"') and '"network"' in line:
                result = now
                if json.loads(line)["network"]["state"] != "reachable":
                    raise RuntimeError("the printer was not seen: " + line)
            elif key.data == "cli" and not line:
                raise RuntimeError("zephra-cli ended without the printer's result")
    watch.close()
    apply.wait()
    return result - joined


def main(build):
    cli = os.path.join(build, "cli", "zephra-cli")
    proc = subprocess.Popen([os.path.join(build, "sim", "printer-sim"), "--model", "5",
                             "--delay", "0", "--set", "mode=0", "--set", "dhcp=0", "--set",
                             "ip=" + ADDRESS, "--network", NETWORK + ":" + KEY,
                             "--join-delay", "1"],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    sim = {"proc": proc, "port": proc.stdout.readline().strip()}
    try:
        with tempfile.TemporaryDirectory() as work:
            profile = os.path.join(work, "profile.json")
            subprocess.run([cli, "read", "--yes", "--port", sim["port"], "--out", profile],
                           check=True, stderr=subprocess.DEVNULL)
            with open(profile, encoding="utf-8") as f:
                document = json.load(f)
            document["settings"].update(ssid=NETWORK, security="WPA", manual_security=True,
                                        key=KEY, ip_address=ADDRESS)
            with open(profile, "w", encoding="utf-8") as f:
                json.dump(document, f)
            seen = [latency(cli, profile, sim) for _ in range(RUNS)]
    finally:
        proc.terminate()
        proc.wait()
    ours = statistics.median(seen)
    print(f"BENCH verify_latency ours={ours:.3f} s peer=1.000 s ratio={ours / 1.0:.2f}")


if __name__ == "__main__":
    main(sys.argv[1])
