"""Measures the serial link under Wine against printer-sim on a pty and prints BENCH lines.

serial_round_trip: the median time from a request leaving (WriteComm) to the notification that
hands its reply over, against a printer that answers at once; compared with 50 ms.
idle_cpu: the share of one core that Zephra.exe and its wineserver use together over 10 s with a
link open, the page shown and nothing on the line; compared with the same before any link opens.
CPU time comes in clock ticks, so a figure below one tick over the period takes one tick in the
ratio.
Usage: serial_figures.py BUILD_DIR"""

import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "e2e"))

from harness.printer_sim import PrinterSim  # noqa: E402
from harness.repl import Repl  # noqa: E402
from harness.ui import UiDriver  # noqa: E402
from harness.wine import WineSession  # noqa: E402

IDENTIFY = "1b000202"
ROUND_TRIPS = 40
PEER_ROUND_TRIP_MS = 50.0
IDLE_SECONDS = 10
CAPTION, PAGE_CAPTION = "Velmora_v7.3", "Velmora_v7.4"
OPEN = 1143


def bench(name, ours, peer, unit, resolution=0.0):
    print(f"BENCH {name} ours={ours:.2f} {unit} peer={peer:.2f} {unit} "
          f"ratio={max(ours, resolution) / max(peer, resolution):.2f}", flush=True)


def session(build, name):
    return WineSession(os.path.join(build, "wineprefix-base"), os.path.join(build, "bench"), name)


def printer(build, wine):
    sim = PrinterSim(os.path.join(build, "host-sim", "printer-sim"),
                     os.path.join(wine.root, "printer.log"), delay_ms=0)
    wine.map_ports({"COM1": sim.path})
    return sim


def round_trip_ms(build):
    wine = session(build, "round-trip")
    sim = None
    try:
        sim = printer(build, wine)
        probe = Repl(wine.start(os.path.join(build, "tests", "win32", "serial_probe.exe")))
        if probe("open COM1 57600 8 0 0") != "opened":
            raise RuntimeError("COM1 did not open")
        probe(f"roundtrip {IDENTIFY}")  # the first one also wakes the simulator
        times = [probe(f"roundtrip {IDENTIFY}") for _ in range(ROUND_TRIPS)]
        if "-" in times:
            raise RuntimeError("a request went unanswered")
        return statistics.median(int(us) for us in times) / 1000
    finally:
        if sim:
            sim.stop()
        wine.close()


def cpu_ticks(prefix, names):
    """CPU ticks used so far by this prefix's processes whose command line has one of names."""
    marker = f"WINEPREFIX={prefix}".encode()
    total = 0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as env:
                if marker not in env.read().split(b"\0"):
                    continue
            with open(f"/proc/{pid}/cmdline", "rb") as cmd:
                command = cmd.read()
            if not any(name in command for name in names):
                continue
            with open(f"/proc/{pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            total += sum(int(v) for v in fields[11:15])  # utime stime cutime cstime
        except (OSError, ValueError):
            pass
    return total


def core_share(prefix):
    """Percent of one core that Zephra.exe and wineserver use over IDLE_SECONDS."""
    names = (b"Zephra.exe", b"wineserver")
    before, start = cpu_ticks(prefix, names), time.monotonic()
    time.sleep(IDLE_SECONDS)
    used = cpu_ticks(prefix, names) - before
    return 100.0 * used / os.sysconf("SC_CLK_TCK") / (time.monotonic() - start)


def idle_cpu(build):
    wine = session(build, "idle-cpu")
    sim = None
    try:
        sim = printer(build, wine)
        wine.start(os.path.join(build, "Zephra.exe"), stdout=open(os.devnull, "wb"))
        ui = UiDriver(wine.start(os.path.join(build, "tests", "e2e", "uidriver.exe")))
        dlg = ui.wait(CAPTION, timeout=30)
        time.sleep(2)  # start-up settles
        closed = core_share(wine.prefix)
        ui.click(dlg, OPEN)
        ui.wait(PAGE_CAPTION, timeout=10)
        time.sleep(2)
        opened = core_share(wine.prefix)
        return opened, closed
    finally:
        if sim:
            sim.stop()
        wine.close()


def main():
    build = os.path.abspath(sys.argv[1])
    bench("serial_round_trip", round_trip_ms(build), PEER_ROUND_TRIP_MS, "ms")
    opened, closed = idle_cpu(build)
    bench("idle_cpu", opened, closed, "%", resolution=100.0 / os.sysconf("SC_CLK_TCK") / IDLE_SECONDS)


if __name__ == "__main__":
    main()
