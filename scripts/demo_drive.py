#!/usr/bin/env python3
"""Presses Open and then "Read WLAN Info" in the running utility, for the demo on a virtual
display where nobody can press them. Usage: demo_drive.py UIDRIVER_EXE"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from harness.ui import UiDriver  # noqa: E402

PANEL = "Velmora_v7.3"
PAGE = "Velmora_v7.4"
OPEN = 1143
READ_TEXT = "Read WLAN Info"  # every page's read button, whatever its id


def main():
    proc = subprocess.Popen(["wine", sys.argv[1]], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)
    try:
        ui = UiDriver(proc)
        panel = ui.wait(PANEL, 30)
        ui.click(panel, OPEN)
        page = ui.try_wait(PAGE, 5)
        if page:
            read = [ctl for ctl, _, text in ui.children(page) if text == READ_TEXT]
            if read:
                ui.click(page, read[0])
    finally:
        proc.stdin.close()
        proc.wait(timeout=10)


if __name__ == "__main__":
    main()
