"""Measures Close of the serial and USB links under Wine and prints a BENCH line.

close_ms: the median time Close takes, as the console probes time it, with the link open and its
reader waiting for the printer: the serial link on COM1 mapped to a pty, the USB link on a named
pipe standing in for the printer's device. The slower link's median is compared with the 200 ms
that the tests once held Close to. Each link is closed CLOSES times.
Usage: close_figures.py BUILD_DIR"""

import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "e2e"))

from harness.pty_port import PtyPort  # noqa: E402
from harness.repl import Repl  # noqa: E402
from serial_figures import bench, session  # noqa: E402

CLOSES = 20
PEER_CLOSE_MS = 200.0
READER_WAITS_S = 0.2  # after an open, for the reader's read to be pending


def closes_ms(build, name, probe_name, open_command):
    """CLOSES figures of one probe; open_command(probe, i) opens its link for the i-th time."""
    wine = session(build, name)
    pty = PtyPort()
    try:
        wine.map_ports({"COM1": pty.path})
        probe = Repl(wine.start(os.path.join(build, "tests", "win32", probe_name)))
        figures = []
        for i in range(CLOSES):
            if open_command(probe, i) != "opened":
                raise RuntimeError(f"{name}: the link did not open")
            time.sleep(READER_WAITS_S)
            figures.append(int(probe("close")))
        return figures
    finally:
        pty.close()
        wine.close()


def open_serial(probe, _):
    return probe("open COM1 57600 8 0 0")


def open_usb(probe, i):
    return probe("open " + probe(f"pipe zephra-bench-{os.getpid()}-{i} 65536"))


def main():
    build = os.path.abspath(sys.argv[1])
    serial = statistics.median(closes_ms(build, "close-serial", "serial_probe.exe", open_serial))
    usb = statistics.median(closes_ms(build, "close-usb", "usb_probe.exe", open_usb))
    print(f"close_ms: serial {serial:.1f} ms, USB {usb:.1f} ms (medians of {CLOSES})",
          file=sys.stderr, flush=True)
    # The probes time Close in whole milliseconds.
    bench("close_ms", max(serial, usb), PEER_CLOSE_MS, "ms", resolution=1.0)


if __name__ == "__main__":
    main()
