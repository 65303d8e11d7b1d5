"""Zephra.exe under Wine with USB chosen and no USB printer attached: the refusal, the status and
the module page that the silent identification leads to."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from harness.base import WineTestCase  # noqa: E402
from harness.ui import IDOK  # noqa: E402

CAPTION = "Velmora_v7.3"
PAGE_CAPTION = "Velmora_v7.4"
OPEN, CLOSE, STATUS, USB = 1143, 1124, 1006, 1160
MODULE_PAGE_MARK = 1119  # a check box only the Wi-Fi module page has, hidden
NOT_OUR_PRINTER = "This is NOT QUARNE printer."


class UsbPanelTest(WineTestCase):
    PORTS = ()

    def setUp(self):
        super().setUp()
        self.app = self.start_zephra(CAPTION)

    def wait_status(self, expected, timeout=3.0):
        return self.wait_text(self.dlg, STATUS, expected, timeout)

    def open_and_refuse(self):
        """Presses Open; answers the refusal and returns when it was answered."""
        before = self.ui.text(self.dlg, STATUS)
        self.ui.click(self.dlg, OPEN)
        box = self.ui.message_box(timeout=10.0)
        self.assertIsNotNone(box, "no message box")
        self.assertEqual(box[1], NOT_OUR_PRINTER)
        self.assertEqual(self.ui.text(self.dlg, STATUS), before, "the box comes before the status")
        self.ui.answer(box[0], IDOK)
        answered = time.monotonic()
        self.assertTrue(self.ui.gone(box[0]))
        self.assertEqual(self.wait_status("Unable open the port!"), "Unable open the port!")
        return answered

    def test_no_printer_is_refused_and_silence_leads_to_the_module_page(self):
        ui = self.ui
        ui.click(self.dlg, USB)
        deadline = time.monotonic() + 3
        while not ui.state(self.dlg, USB).checked and time.monotonic() < deadline:
            time.sleep(0.05)

        answered = self.open_and_refuse()
        self.assertFalse(ui.state(self.dlg, OPEN).enabled)
        self.assertTrue(ui.state(self.dlg, CLOSE).enabled)

        page = ui.wait(PAGE_CAPTION, timeout=10)
        waited = time.monotonic() - answered
        self.assertTrue(0.7 <= waited <= 4.0, f"page after {waited:.1f} s")
        mark = ui.state(page, MODULE_PAGE_MARK)
        self.assertFalse(mark.visible, "the module page's hidden check box")
        self.assertIn(MODULE_PAGE_MARK, [ctl for ctl, cls, _ in ui.children(page)
                                         if cls.lower() == "button"])
        self.assertIsNone(ui.message_box(timeout=0.5), "no other box on the way")

        # No link was opened: once the page ends the panel offers Open, which searches again.
        ui.close(page)
        self.assertTrue(ui.gone(page))
        self.assertTrue(ui.state(self.dlg, OPEN).enabled)
        self.assertFalse(ui.state(self.dlg, CLOSE).enabled)
        self.open_and_refuse()


if __name__ == "__main__":
    unittest.main(verbosity=2)
