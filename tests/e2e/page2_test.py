"""The legacy page of Zephra.exe under Wine against a simulated model 3 printer: the read and
save chains byte for byte, what the printer's store holds after a save with the pre-shared key
it checks, and a silent printer."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness.base import UI_WAIT  # noqa: E402
from harness.page_case import CHAIN_TIMEOUT, PageCase, esc  # noqa: E402

REPLY_TIMEOUT = 3.0  # the page's reply timer

# The page.
READ, SAVE, STATUS, VERSION, MAC = 1259, 1260, 1011, 1021, 1059
SSID, PORT, WPA, ENCRYPTION, CIPHER, WPA_KEY = 1276, 1035, 1042, 1031, 1032, 1057

READ_RECORDS = [0x00, 0x01, 0x02, 0x03, 0x10, 0x20, 0x21, 0x22, 0x23, 0x24, 0x30, 0x40, 0x50]
SAVE_RECORDS = READ_RECORDS[:10] + [0x25] + READ_RECORDS[10:]
READ_FRAMES = [esc("S"), esc("C")] + [esc("R", bytes([n])) for n in READ_RECORDS]


def padded(text, size):
    return text.encode().ljust(size, b"\x00")


class Page2Test(PageCase):
    READ, SAVE, STATUS = READ, SAVE, STATUS

    def open_printer(self, *options):
        """A model 3 printer on COM1 keeping its records in a store file, and Zephra.exe with
        the page open on it."""
        self.store_path = os.path.join(self.session.root, "store.txt")
        printer = self.start(COM1=dict(model="3", options=["--store", self.store_path, *options]))
        return printer["COM1"], self.open_page("COM1", printer["COM1"])

    def store(self):
        """The printer's records by number, and its check of record 25."""
        records, check = {}, None
        with open(self.store_path) as store:
            for line in store.read().splitlines():
                if line.startswith("psk "):
                    check = line[4:]
                elif line:
                    number, *octets = line.split()
                    records[int(number, 16)] = bytes.fromhex("".join(octets))
        return records, check

    def wait_enabled(self, page, ctl, timeout=UI_WAIT):
        """A clicked button's handler runs later than the click: its effect, once seen."""
        deadline = time.monotonic() + timeout
        while not self.ui.state(page, ctl).enabled and time.monotonic() < deadline:
            time.sleep(0.05)
        return self.ui.state(page, ctl).enabled

    def test_read_edit_save_and_read_back(self):
        printer, page = self.open_printer("--id-version", "2.5c", "--mac", "00:11:22:AA:BB:CC")
        self.read(page, printer, READ_FRAMES)
        self.assert_texts(page, {VERSION: "Ver2.5c", MAC: "00:11:22:AA:BB:CC",
                                 SSID: "Legacy-Printer", PORT: "9100"})

        self.ui.set_text(page, SSID, "Workshop")
        self.ui.click(page, WPA)
        self.assertTrue(self.wait_enabled(page, ENCRYPTION))
        self.ui.select(page, ENCRYPTION, 1)
        self.ui.set_text(page, WPA_KEY, "e2e pass phrase")
        since = len(printer.received())
        self.ui.click(page, SAVE)
        self.answer_box("Success", CHAIN_TIMEOUT)
        self.assertEqual(self.wait_text(page, STATUS, "Write Success"), "Write Success")
        # Read comes back with the G reply, which also gives the panel's Close back.
        self.assertTrue(self.wait_enabled(page, READ), "Read WLAN Info enabled")
        self.assert_buttons(page, read=True, save=False)
        self.assert_panel_buttons(open_enabled=False, close_enabled=True)
        records, check = self.store()
        self.assert_wire(printer, since, [esc("S")] + [
            esc("W", bytes([n]) + records[n]) for n in SAVE_RECORDS] + [esc("F"), esc("G")])
        self.assertEqual(records[0x21], padded("Workshop", 32))
        self.assertEqual(records[0x24], padded("e2e pass phrase", 32))
        self.assertEqual(records[0x20], bytes([1, 6, 0, 0, 1, 4, 2]))
        self.assertEqual(records[0x30][4:6], bytes([0x8C, 0x23]))
        self.assertEqual(check, "match")

        self.read(page, printer, READ_FRAMES)
        self.assert_texts(page, {SSID: "Workshop", WPA_KEY: "e2e pass phrase",
                                 ENCRYPTION: "WPA2 PSK", CIPHER: "AES"})
        self.assertTrue(self.ui.state(page, WPA).checked)

    def test_overlong_ssid_set_by_a_program_is_refused_once(self):
        """Each box takes the focus, so the SSID hears EN_KILLFOCUS again while it is up; its check
        does not run inside itself, and the field gets the SSID read back."""
        printer, page = self.open_printer()
        self.read(page, printer, READ_FRAMES)
        self.ui.set_text(page, SSID, "s" * 33)
        self.answer_box("Enter no more than 32 characters.")
        self.answer_box("Invalid SSID length")
        self.assertIsNone(self.ui.message_box(timeout=1.0), "a box after the refusal")
        self.assertEqual(self.ui.text(page, SSID), "Legacy-Printer")

    def test_silent_printer_times_out(self):
        printer, page = self.open_printer("--silent", "S")
        since = len(printer.received())
        clicked = time.monotonic()
        self.ui.click(page, READ)
        seen = self.answer_box("Error : S [Timeout]", REPLY_TIMEOUT + UI_WAIT)
        # Not before the page's timer; the upper limit only catches a timer that never ends.
        self.assertTrue(2.8 <= seen - clicked <= REPLY_TIMEOUT * 10,
                        f"time-out after {seen - clicked:.2f} s")
        self.assert_wire(printer, since, [esc("S")])
        self.assert_buttons(page, read=True, save=False)


if __name__ == "__main__":
    unittest.main(verbosity=2)
