"""'Find printer...' in Zephra.exe's panel under Wine: every mapped COM port asked at once, each
row with its answer, and 'Use' handing the chosen port to the panel, whose Open then shows that
printer's page."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness.base import WineTestCase  # noqa: E402

CAPTION, PAGE_CAPTION, FIND_CAPTION = "Velmora_v7.3", "Velmora_v7.4", "Find printer"
PORT, OPEN = 1156, 1143
CMD_FIND_PRINTER = 32774
PORTS_LIST, STATUS, USE = 1201, 1202, 1203
LEGACY_READ = 1259  # "Read WLAN Info" of the legacy page: no other page has this id
IDENTIFY = b"\x1b\x00\x02\x02"


class FindPrinterTest(WineTestCase):
    PORTS = ()

    def rows(self, find, timeout=10.0):
        """{port: (device, answer)} once no row is still being asked."""
        deadline = time.monotonic() + timeout
        while True:
            rows = {}
            for row in self.ui.items(find, PORTS_LIST):
                port, device, answer = row.split("\t")
                rows[port] = (device, answer)
            asking = any(answer == "asking..." for _, answer in rows.values())
            if not asking or time.monotonic() > deadline:
                return rows
            time.sleep(0.1)

    def test_lists_the_printers_and_use_opens_the_one_chosen(self):
        printers = self.start_printers(ptys=("COM2",), COM1=dict(model="5"),
                                       COM3=dict(model="3"))
        self.start_zephra(CAPTION)
        self.ui.menu(self.dlg, CMD_FIND_PRINTER)
        find = self.ui.wait(FIND_CAPTION, 10)
        rows = self.rows(find)
        self.assertEqual({port: answer for port, (_, answer) in rows.items()
                          if port in ("COM1", "COM2", "COM3")},
                         {"COM1": "model '5', current", "COM2": "no answer",
                          "COM3": "model '3', legacy"})
        self.assertEqual(self.ui.text(find, STATUS),
                         f"2 printers answered on {len(rows)} serial ports.")
        shot = os.path.join(self.artifacts, "find-printer.png")
        self.session.screenshot(shot)
        print(f"[harness] the Find printer dialog: {shot}", flush=True)
        # The identification alone went out, once on each port.
        self.assertEqual(self.ports["COM2"].read_for(0.2), IDENTIFY)
        for printer in printers.values():
            self.assertEqual(printer.chunks(), [IDENTIFY])

        self.ui.select(find, PORTS_LIST, list(rows).index("COM3"))
        self.ui.click(find, USE)
        self.assertTrue(self.ui.gone(find, 10))
        self.assertEqual(self.ui.text(self.dlg, PORT), "COM3")
        self.ui.click(self.dlg, OPEN)
        page = self.ui.wait(PAGE_CAPTION, 10)
        self.assertEqual(self.ui.text(page, LEGACY_READ), "Read WLAN Info")


if __name__ == "__main__":
    unittest.main()
