"""Times zephra-cli apply against printer-sim:
- apply_current: one printer, against the line's floor for the same exchange: every byte's time on
  the wire at 57600 baud (10 bits a byte), with no pause between a reply and the next request.
  Whatever waits for silence or works between the frames is ours.
- apply_fleet: eight printers on eight pseudo-terminals with --jobs 8, against one printer.
Every apply is forced, so each one writes.
Usage: apply_figures.py BUILD_DIR (with zephra-cli and printer-sim built)"""
import json
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

BAUD = 57600
BITS_PER_BYTE = 10  # start, 8 data, stop
RUNS = 5


def line_floor(trace_path):
    """Seconds the trace's frames need on the line, back to back."""
    byte_count = 0
    with open(trace_path, encoding="utf-8", errors="replace") as trace:
        for line in trace:
            entry = re.match(r"\s*\d+ ms [<>] ((?:[0-9A-F]{2} ?)+)\|", line)
            if entry:
                byte_count += len(entry.group(1).split())
    return byte_count * BITS_PER_BYTE / BAUD


FLEET = 8


def start_printers(build, count):
    """printer-sim processes and their ports."""
    sims = [subprocess.Popen([os.path.join(build, "sim", "printer-sim"), "--model", "5",
                              "--delay", "0"], stdout=subprocess.PIPE, text=True)
            for _ in range(count)]
    return sims, [sim.stdout.readline().strip() for sim in sims]


def timed_apply(cli, profile, ports, extra=()):
    args = [cli, "apply", profile, "--force", "--yes", "--baud", str(BAUD), *extra]
    for port in ports:
        args += ["--port", port]
    start = time.monotonic()
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.monotonic() - start


def main(build):
    cli = os.path.join(build, "cli", "zephra-cli")
    sims, ports = start_printers(build, FLEET)
    port = ports[0]
    try:
        with tempfile.TemporaryDirectory() as work:
            profile = os.path.join(work, "profile.json")
            subprocess.run([cli, "read", "--yes", "--port", port, "--out", profile], check=True,
                           stderr=subprocess.DEVNULL)
            with open(profile, encoding="utf-8") as f:
                settings = json.load(f)
            settings["settings"]["ssid"] = "Bench-Floor"
            with open(profile, "w", encoding="utf-8") as f:
                json.dump(settings, f)
            times, floors, fleet = [], [], []
            for run in range(RUNS):
                trace = os.path.join(work, f"trace{run}.txt")
                times.append(timed_apply(cli, profile, [port], ["--trace", trace]))
                floors.append(line_floor(trace))
                fleet.append(timed_apply(cli, profile, ports, ["--jobs", str(FLEET)]))
    finally:
        for sim in sims:
            sim.terminate()
            sim.wait()
    ours, peer = statistics.median(times), statistics.median(floors)
    print(f"BENCH apply_current ours={ours:.3f} s peer={peer:.3f} s ratio={ours / peer:.2f}")
    ours = statistics.median(fleet)
    peer = statistics.median(times)
    print(f"BENCH apply_fleet ours={ours:.3f} s peer={peer:.3f} s ratio={ours / peer:.2f}")


if __name__ == "__main__":
    main(sys.argv[1])
