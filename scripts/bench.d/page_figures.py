"""Measures the current-generation page's pause under Wine and prints a BENCH line per printer.

page_round_trip: zephra-cli.exe reads a simulated printer of model 5 that answers at once, on a
pty mapped to COM1; the console build runs the same panel and page as Zephra.exe without the
drawing of its windows, which under Wine and Xvfb would swamp the figure. The printer's timed log
stamps each of its writes and reads on the monotonic clock; a figure is the time from the printer
writing the last byte of a reply to its reading the first byte of the page's next request. The
median over every step of READS whole reads (the infrastructure WPA2 chain, 12 requests each) is
compared with the 50 ms the original reader paused after each reply.
page_round_trip_quiet: the same against a printer whose read replies end with no byte
(--read-end none), so that only the line's quiet gap (30 ms) ends each of them.
Usage: page_figures.py BUILD_DIR [PRINTER_SIM]; PRINTER_SIM defaults to the build's own
(BUILD_DIR/host-sim/printer-sim), and must take --timed-log."""

import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "e2e"))

from harness.printer_sim import PrinterSim  # noqa: E402
from harness.wine import WineSession  # noqa: E402

READS = 5
STEPS = 11  # replies of a read that a next request follows
PEER_PAUSE_MS = 50.0
PRINTER = ("--set", "mode=0", "--set", "security=3", "--set", "cipher=1", "--set",
           "wpakey=bench-key-1")
# Each figure's name and the printer-sim options that make its printer.
FIGURES = (("page_round_trip", ()),
           ("page_round_trip_quiet", ("--read-end", "none")))


def timed_log(path):
    """[(seconds, direction, bytes)] of the printer's timed log."""
    entries = []
    with open(path) as log:
        for line in log:
            stamp, direction, *octets = line.split()
            entries.append((int(stamp) / 1e6, direction, bytes.fromhex("".join(octets))))
    return entries


def pauses_ms(entries):
    """Milliseconds from each reply's last write to the next read, for the replies of the page's
    protocol (ESC '~'); the identification's reply is followed by the page's opening."""
    pauses = []
    reply, last_write = b"", None
    for stamp, direction, data in entries:
        if direction == ">":
            reply, last_write = reply + data, stamp
            continue
        if last_write is not None and reply.startswith(b"\x1b~"):
            pauses.append((stamp - last_write) * 1000)
        reply, last_write = b"", None
    return pauses


def page_round_trip_ms(build, sim_path, name, printer_options):
    wine = WineSession(os.path.join(build, "wineprefix-base"), os.path.join(build, "bench"),
                       name.replace("_", "-"))
    sim = None
    try:
        log = os.path.join(wine.root, "printer-timed.log")
        sim = PrinterSim(sim_path, os.path.join(wine.root, "printer.log"), delay_ms=0,
                         options=("--timed-log", log) + PRINTER + printer_options)
        wine.map_ports({"COM1": sim.path})
        pauses = []
        for _ in range(READS):
            seen = len(timed_log(log))
            cli = wine.start(os.path.join(build, "cli", "zephra-cli.exe"),
                             ["read", "--port", "COM1", "--yes"], stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL)
            if cli.wait(60) != 0:
                raise RuntimeError(f"zephra-cli read ended with {cli.returncode}")
            steps = pauses_ms(timed_log(log)[seen:])
            if len(steps) != STEPS:
                raise RuntimeError(f"a read timed {len(steps)} steps, not {STEPS}")
            pauses += steps
        return statistics.median(pauses)
    finally:
        if sim:
            sim.stop()
        wine.close()


def main():
    build = os.path.abspath(sys.argv[1])
    sim_path = sys.argv[2] if len(sys.argv) > 2 else os.path.join(build, "host-sim",
                                                                   "printer-sim")
    for name, printer_options in FIGURES:
        ours = page_round_trip_ms(build, sim_path, name, printer_options)
        print(f"BENCH {name} ours={ours:.2f} ms peer={PEER_PAUSE_MS:.2f} ms "
              f"ratio={ours / PEER_PAUSE_MS:.2f}", flush=True)


if __name__ == "__main__":
    main()
