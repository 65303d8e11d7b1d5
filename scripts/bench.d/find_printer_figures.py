"""Measures "Find printer..." under Wine and prints BENCH find_printer.

Zephra.exe runs with simulated printers on ptys mapped to COM1 to COM8 (models 5, 7, 3 and 4 in
turn) and the UI driver chooses "Find printer..." in its File menu. A figure is the time from
that choice to the last printer writing its reply, on the monotonic clock that the printers'
timed logs share with this script; the median over RUNS searches with eight printers is compared
with the median with one printer on COM1, which is one identification as the window makes it.
Usage: find_printer_figures.py BUILD_DIR"""

import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "e2e"))

from harness.printer_sim import PrinterSim  # noqa: E402
from harness.ui import UiDriver  # noqa: E402
from harness.wine import WineSession  # noqa: E402

RUNS = 7
MODELS = "5734"
CAPTION, FIND_CAPTION = "Velmora_v7.3", "Find printer"
CMD_FIND_PRINTER = 32774
STATUS = 1202


def last_reply_written(log_path):
    """The monotonic second of the printer's last write, or None before one."""
    last = None
    with open(log_path) as log:
        for line in log:
            stamp, direction, *_ = line.split()
            if direction == ">":
                last = int(stamp) / 1e6
    return last


def search_seconds(build, printers):
    wine = WineSession(os.path.join(build, "wineprefix-base"), os.path.join(build, "bench"),
                       f"find-printer-{printers}")
    sims = []
    try:
        logs = []
        for i in range(printers):
            timed = os.path.join(wine.root, f"printer-{i + 1}-timed.log")
            sims.append(PrinterSim(os.path.join(build, "host-sim", "printer-sim"),
                                   os.path.join(wine.root, f"printer-{i + 1}.log"),
                                   model=MODELS[i % len(MODELS)], delay_ms=0,
                                   options=("--timed-log", timed)))
            logs.append(timed)
        wine.map_ports({f"COM{i + 1}": sim.path for i, sim in enumerate(sims)})
        wine.start(os.path.join(build, "Zephra.exe"), stdin=None)
        ui = UiDriver(wine.start(os.path.join(build, "tests", "e2e", "uidriver.exe")))
        panel = ui.wait(CAPTION, 30)
        figures = []
        for _ in range(RUNS):
            before = [os.path.getsize(log) for log in logs]
            started = time.monotonic()
            ui.menu(panel, CMD_FIND_PRINTER)
            find = ui.wait(FIND_CAPTION, 10)
            while not ui.text(find, STATUS).endswith("serial ports."):
                time.sleep(0.01)
            if any(os.path.getsize(log) == size for log, size in zip(logs, before)):
                raise RuntimeError("a printer was not asked")
            figures.append(max(last_reply_written(log) for log in logs) - started)
            ui.close(find)
            ui.gone(find, 10)
        return statistics.median(figures)
    finally:
        for sim in sims:
            sim.stop()
        wine.close()


def main():
    build = os.path.abspath(sys.argv[1])
    ours = search_seconds(build, 8)
    peer = search_seconds(build, 1)
    print(f"BENCH find_printer ours={ours * 1000:.1f} ms peer={peer * 1000:.1f} ms "
          f"ratio={ours / peer:.2f}", flush=True)


if __name__ == "__main__":
    main()
