"""Zephra.exe under Wine against simulated printers: identification, page routing, refusals and
how a page's end treats the link."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness.base import UI_WAIT, WineTestCase  # noqa: E402
from harness.ui import IDOK, SC_CLOSE, VK_ESCAPE, VK_RETURN  # noqa: E402

CAPTION = "Velmora_v7.3"
PAGE_CAPTION = "Velmora_v7.4"
IDENTIFY = bytes.fromhex("1b000202")

PORT, OPEN, CLOSE, STATUS = 1156, 1143, 1124, 1006
PORT_INDEX = {"COM1": 0, "COM2": 1, "COM3": 2, "COM4": 3}

# Controls that tell the three pages apart, since all three have the same caption: the region
# list (current and module pages), the numeric region list (module page only) and "Read WLAN
# Info" of the legacy page.
REGION, REGION_NUMERIC, LEGACY_READ, MODULE_AP_IP_WRITE = 1092, 1094, 1259, 1119
MARKS = {REGION, REGION_NUMERIC, LEGACY_READ}
CURRENT, LEGACY, MODULE = "current", "legacy", "module"
PAGE_MARKS = {CURRENT: {REGION}, LEGACY: {LEGACY_READ}, MODULE: {REGION, REGION_NUMERIC}}
IDENTIFICATION_TIMEOUT = 1.0
OPEN_HANDLER_WAIT = 0.5 + 0.3  # the handler's own wait, and a margin


class RoutingTest(WineTestCase):
    PORTS = ()  # every port is served by a simulated printer
    pressed = None  # when Open was last pressed

    def start(self, ptys=(), **ports):
        """Serves the ports with simulated printers (and bare ptys), then starts Zephra.exe and
        the UI driver."""
        printers = self.start_printers(ptys, **ports)
        self.start_zephra(CAPTION)
        return printers

    # --- helpers ---

    def wait_status(self, expected, timeout=UI_WAIT):
        return self.wait_text(self.dlg, STATUS, expected, timeout)

    def assert_panel(self, status, open_enabled, close_enabled):
        self.assertEqual(self.wait_status(status), status)
        self.assertEqual(self.ui.state(self.dlg, OPEN).enabled, open_enabled, "Open")
        self.assertEqual(self.ui.state(self.dlg, CLOSE).enabled, close_enabled, "Close")

    def open_port(self, port):
        """Chooses the port and presses Open; returns the time of the press."""
        # The Open handler ends by showing the panel's held values again, half a second after
        # the press even when a page has come and gone meanwhile: a port chosen before then
        # would be put back.
        if self.pressed is not None:
            time.sleep(max(0.0, self.pressed + OPEN_HANDLER_WAIT - time.monotonic()))
        self.ui.select(self.dlg, PORT, PORT_INDEX[port])
        self.assertEqual(self.ui.text(self.dlg, PORT), port)
        self.pressed = time.monotonic()
        self.ui.click(self.dlg, OPEN)
        return self.pressed

    def page_windows(self):
        return [hwnd for hwnd, _, caption in self.ui.windows() if caption == PAGE_CAPTION]

    def wait_page(self, kind, timeout=UI_WAIT):
        """The page shown, after checking that it is the only one and that it is of this kind."""
        page = self.ui.wait(PAGE_CAPTION, timeout)
        self.assertEqual(self.page_windows(), [page], "exactly one page is shown")
        ids = {ctl for ctl, _, _ in self.ui.children(page)}
        self.assertEqual(ids & MARKS, PAGE_MARKS[kind], f"controls of the {kind} page")
        if kind == CURRENT:
            self.assertEqual(len(self.ui.items(page, REGION)), 46)
        elif kind == LEGACY:
            self.assertEqual(self.ui.text(page, LEGACY_READ), "Read WLAN Info")
        else:
            self.assertFalse(self.ui.state(page, MODULE_AP_IP_WRITE).visible)
        self.assertFalse(self.ui.state(self.dlg).enabled, "the page is modal over the panel")
        return page

    def close_box(self, page):
        """The page's close box: the link is closed and the page ends."""
        self.ui.sys_command(page, SC_CLOSE)
        self.assertTrue(self.ui.gone(page), "the close box ends the page")
        self.assert_panel("Close Port", True, False)
        self.assertTrue(self.ui.state(self.dlg).enabled)

    def answer_box(self, expected):
        box = self.ui.message_box(timeout=UI_WAIT)
        self.assertIsNotNone(box, f"no message box {expected!r} within {UI_WAIT:g} s")
        self.assertEqual(box[1], expected)
        self.ui.answer(box[0], IDOK)
        self.assertTrue(self.ui.gone(box[0]))

    def assert_wire(self, printer):
        """Open sent the identification request and nothing else."""
        self.assertEqual(printer.wait_received(len(IDENTIFY), UI_WAIT), IDENTIFY,
                         f"the identification request within {UI_WAIT:g} s")
        time.sleep(0.1)
        self.assertEqual(printer.received(), IDENTIFY, "nothing beyond the request")

    # --- cases ---

    def check_model(self, model, kind):
        printer = self.start(COM1=dict(model=model))["COM1"]
        self.open_port("COM1")
        page = self.wait_page(kind)
        self.assertEqual(self.wait_status("Success"), "Success")
        self.assert_wire(printer)
        self.close_box(page)
        self.assertEqual(printer.received(), IDENTIFY, "closing sends nothing")

    def test_models_5_and_7_open_the_current_page(self):
        printers = self.start(COM1=dict(model="5"), COM2=dict(model="7"))
        for port, printer in printers.items():
            with self.subTest(model=printer.model):
                self.open_port(port)
                page = self.wait_page(CURRENT)
                self.assert_wire(printer)
                self.close_box(page)

    def test_model_3_opens_the_legacy_page(self):
        self.check_model("3", LEGACY)

    def test_model_4_opens_the_module_page(self):
        self.check_model("4", MODULE)

    def test_no_usable_reply_opens_the_module_page_after_a_second(self):
        printers = self.start(COM1=dict(identify="silent"), COM2=dict(identify="one"))
        for port, printer in printers.items():
            with self.subTest(identify=printer.identify):
                pressed = self.open_port(port)
                page = self.ui.wait(PAGE_CAPTION, UI_WAIT)
                elapsed = time.monotonic() - pressed
                # Not before the identification's time; the upper limit only catches a hang.
                self.assertTrue(0.8 <= elapsed <= IDENTIFICATION_TIMEOUT * 10,
                                f"page after {elapsed:.2f} s")
                self.wait_page(MODULE)
                self.assert_panel("Success", False, True)
                self.assert_wire(printer)
                self.close_box(page)

    def test_refused_replies_close_the_link(self):
        cases = {
            "COM1": ("two", "Check the printer connection."),
            "COM2": ("short3", "Check the printer model."),
            "COM3": ("short5", "Check the printer model."),
            "COM4": ("unknown", "Check the printer model."),
        }
        printers = self.start(**{port: dict(identify=mode) for port, (mode, _) in cases.items()})
        pressed = None
        for port, (mode, message) in cases.items():
            with self.subTest(identify=mode):
                pressed = self.open_port(port)
                self.answer_box(message)
                self.assert_panel("Close Port", True, False)
                self.assertEqual(printers[port].received(), IDENTIFY)
        # A refusal also ends the identification: no module page follows when its time is up.
        time.sleep(max(0.0, pressed + IDENTIFICATION_TIMEOUT + 0.5 - time.monotonic()))
        self.assertEqual(self.page_windows(), [], "a page after a refused reply")
        self.assertIsNone(self.ui.message_box(timeout=0), "an extra message box")

    def test_reply_in_two_parts(self):
        self.start(ptys=("COM2",), COM1=dict(model="5", identify="split"))

        # A reply written in two parts, whether they come as one notification or two.
        com2 = self.ports["COM2"]
        self.open_port("COM2")
        self.assertEqual(com2.read_exact(len(IDENTIFY), 3.0), IDENTIFY)
        reply = IDENTIFY + b"\x00" + b"5" + b"\r\n"
        com2.write(reply[:3])
        time.sleep(0.01)
        com2.write(reply[3:])
        self.close_box(self.wait_page(CURRENT))

        # The simulator sends the rest 20 ms after the first part: the panel keeps the pieces
        # until the model character has come.
        self.open_port("COM1")
        self.close_box(self.wait_page(CURRENT))
        self.assertIsNone(self.ui.message_box(timeout=0), "a message box for a whole reply")

    def test_escape_ends_the_page_and_keeps_the_link(self):
        printer = self.start(COM1=dict(model="3"))["COM1"]
        self.open_port("COM1")
        page = self.wait_page(LEGACY)
        self.ui.key(page, VK_RETURN)
        time.sleep(0.3)
        self.assertEqual(self.page_windows(), [page], "Enter does not end the page")
        self.ui.key(page, VK_ESCAPE)
        self.assertTrue(self.ui.gone(page), "Escape ends the page")
        self.assert_panel("Success", False, True)
        self.assertTrue(self.ui.state(self.dlg).enabled)
        self.assertEqual(printer.received(), IDENTIFY)


if __name__ == "__main__":
    unittest.main(verbosity=2)
