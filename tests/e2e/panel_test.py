"""The connection panel of Zephra.exe under Wine: controls, Open and Close on a pty, menus."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness.base import UI_WAIT, WineTestCase  # noqa: E402
from harness.ui import IDOK  # noqa: E402

CAPTION = "Velmora_v7.3"
IDENTIFY = bytes.fromhex("1b000202")

PORT, BAUD, PARITY, DATA_BITS, STOP_BITS = 1156, 1155, 1154, 1153, 1152
OPEN, CLOSE, STATUS, SERIAL, USB = 1143, 1124, 1006, 1159, 1160
LABELS = (1135, 1148, 1151, 1149, 1150)
COMBOS = (PORT, BAUD, PARITY, DATA_BITS, STOP_BITS)
CMD_EXIT, CMD_ABOUT, SC_ABOUT = 32771, 32773, 16


class PanelTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.app = self.start_zephra(CAPTION)

    def wait_status(self, expected, timeout=UI_WAIT):
        return self.wait_text(self.dlg, STATUS, expected, timeout)

    def assert_buttons(self, open_enabled, close_enabled):
        self.assertEqual(self.ui.state(self.dlg, OPEN).enabled, open_enabled, "Open")
        self.assertEqual(self.ui.state(self.dlg, CLOSE).enabled, close_enabled, "Close")

    def open_com1(self):
        """Presses Open and returns the bytes that reach the tty."""
        self.ui.click(self.dlg, OPEN)
        return self.com1.read_exact(len(IDENTIFY), 5.0)

    def test_initial_state(self):
        ui, dlg = self.ui, self.dlg
        self.assertEqual(ui.text(dlg), CAPTION)
        self.assertEqual(ui.items(dlg, PORT), [f"COM{n}" for n in range(1, 21)])
        self.assertEqual(ui.items(dlg, BAUD), ["9600", "19200", "38400", "57600", "115200"])
        self.assertEqual(ui.items(dlg, PARITY), ["None", "Odd", "Even"])
        self.assertEqual(ui.items(dlg, DATA_BITS), ["8"])
        self.assertEqual(ui.items(dlg, STOP_BITS), ["1", "2"])
        selected = {ctl: ui.text(dlg, ctl) for ctl in COMBOS}
        self.assertEqual(selected, {PORT: "COM1", BAUD: "57600", PARITY: "None", DATA_BITS: "8",
                                    STOP_BITS: "1"})
        self.assertEqual([ui.text(dlg, ctl) for ctl in LABELS],
                         ["Port", "Baud Rate", "Parity", "Data Bit", "Stop Bit"])
        self.assertTrue(ui.state(dlg, SERIAL).checked)
        self.assertFalse(ui.state(dlg, USB).checked)
        self.assertEqual(ui.text(dlg, STATUS), "")
        self.assert_buttons(True, True)
        for ctl in LABELS + COMBOS + (SERIAL, USB, STATUS):
            self.assertEqual(ui.state(dlg, ctl)[:2], (True, True), f"control {ctl}")
        width, height = ui.client_size(dlg)
        self.assertTrue(4 < width / height < 8, f"client {width}x{height} for 518x92 units")
        self.assertEqual(self.com1.read_for(0.3), b"", "nothing is sent before Open")

    def test_open_sends_identification(self):
        self.assertEqual(self.open_com1(), IDENTIFY)
        self.assertEqual(self.wait_status("Success"), "Success")
        self.assertEqual(self.com1.read_for(0.3), b"", "nothing beyond the request")
        self.assert_buttons(False, True)
        settings = self.com1.line_settings()
        self.assertEqual((settings["baud"], settings["parity"], settings["stop_bits"]),
                         (57600, "none", 1))

    def test_open_applies_line_settings(self):
        self.ui.select(self.dlg, BAUD, 0)
        self.ui.select(self.dlg, PARITY, 2)
        self.ui.select(self.dlg, STOP_BITS, 1)
        self.assertEqual([self.ui.text(self.dlg, c) for c in (BAUD, PARITY, STOP_BITS)],
                         ["9600", "Even", "2"])
        self.assertEqual(self.open_com1(), IDENTIFY)
        self.assertEqual(self.com1.line_settings(),
                         {"baud": 9600, "parity": "even", "stop_bits": 2, "data_bits": 8})

    def test_open_missing_port(self):
        self.ui.select(self.dlg, PORT, 4)
        self.assertEqual(self.ui.text(self.dlg, PORT), "COM5")
        self.ui.click(self.dlg, OPEN)
        self.assertEqual(self.wait_status("Unable to open the port"), "Unable to open the port")
        self.assert_buttons(False, True)
        self.assertEqual(self.com1.read_for(0.3), b"", "COM1 is not touched")

    def test_close(self):
        # Close with nothing open only changes the panel.
        self.ui.click(self.dlg, CLOSE)
        self.assertEqual(self.wait_status("Close Port"), "Close Port")
        self.assert_buttons(True, False)

        # Closing an open port releases it: the next Open gets the port again.
        for _ in range(2):
            self.assertEqual(self.open_com1(), IDENTIFY)
            self.assertEqual(self.wait_status("Success"), "Success")
            self.ui.click(self.dlg, CLOSE)
            self.assertEqual(self.wait_status("Close Port"), "Close Port")
            self.assert_buttons(True, False)
        self.assertEqual(self.com1.read_for(0.3), b"")

    def test_refused_replies_close_the_link(self):
        cases = [
            (b"\x1b~", "Check the printer connection."),
            (b"\x1b~A\x00\x00" + b"9" + b"\x00\x00", "Check the printer model."),
            (b"\x1b~A\x00", "Check the printer model."),
        ]
        for reply, message in cases:
            with self.subTest(reply=reply):
                self.assertEqual(self.open_com1(), IDENTIFY)
                self.com1.write(reply)
                box = self.ui.message_box(timeout=UI_WAIT)
                self.assertIsNotNone(box, f"no message box {message!r} within {UI_WAIT:g} s")
                self.assertEqual(box[1], message)
                self.ui.answer(box[0], IDOK)
                self.assertTrue(self.ui.gone(box[0]))
                self.assertEqual(self.wait_status("Close Port"), "Close Port")
                self.assert_buttons(True, False)

    def test_usb_disables_serial_settings(self):
        ui, dlg = self.ui, self.dlg
        ui.click(dlg, USB)
        deadline = time.monotonic() + UI_WAIT
        while not ui.state(dlg, USB).checked and time.monotonic() < deadline:
            time.sleep(0.05)
        self.assertTrue(ui.state(dlg, USB).checked, f"USB checked within {UI_WAIT:g} s")
        self.assertFalse(ui.state(dlg, SERIAL).checked)
        time.sleep(0.2)
        for ctl in LABELS + COMBOS:
            self.assertFalse(ui.state(dlg, ctl).enabled, f"control {ctl} after USB")
        self.assert_buttons(True, True)

        ui.click(dlg, SERIAL)
        deadline = time.monotonic() + UI_WAIT
        while not ui.state(dlg, SERIAL).checked and time.monotonic() < deadline:
            time.sleep(0.05)
        self.assertTrue(ui.state(dlg, SERIAL).checked, f"Serial checked within {UI_WAIT:g} s")
        self.assertFalse(ui.state(dlg, USB).checked)
        time.sleep(0.2)
        for ctl in LABELS + COMBOS:
            self.assertTrue(ui.state(dlg, ctl).enabled, f"control {ctl} after Serial")

    def test_about_box(self):
        for show in (lambda: self.ui.menu(self.dlg, CMD_ABOUT),
                     lambda: self.ui.sys_command(self.dlg, SC_ABOUT)):
            show()
            about = self.ui.wait("About " + CAPTION, timeout=10)
            texts = [text for _, _, text in self.ui.children(about)]
            self.assertIn("Velmora", texts)
            self.assertIn("Version " + os.environ["ZEPHRA_VERSION"], texts)
            self.ui.click(about, IDOK)
            self.assertTrue(self.ui.gone(about), "OK closes the about box")
        self.assertEqual([caption for _, _, caption in self.ui.windows()], [CAPTION])

    def assert_process_ends(self, how):
        try:
            self.app.wait(10)
        except subprocess.TimeoutExpired:
            self.fail(f"{how} did not end the process")

    def test_file_exit(self):
        self.ui.menu(self.dlg, CMD_EXIT)
        self.assert_process_ends("File > Exit")

    def test_window_close(self):
        self.ui.close(self.dlg)
        self.assert_process_ends("WM_CLOSE")

if __name__ == "__main__":
    unittest.main(verbosity=2)
