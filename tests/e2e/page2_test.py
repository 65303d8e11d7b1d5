"""The legacy page of Zephra.exe under Wine against a simulated model 3 printer: the read and
save chains byte for byte, what the printer's store holds after a save, the pre-shared key it
checks, a WEP key typed in Hex, and a silent printer."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness.page_case import CHAIN_TIMEOUT, CLOSE, OPEN, PageCase, esc  # noqa: E402
from harness.ui import IDOK, IDYES  # noqa: E402

REPLY_TIMEOUT = 3.0  # the page's reply timer

# The page.
READ, SAVE, STATUS, VERSION, MAC = 1259, 1260, 1011, 1021, 1059
SSID, PORT, WPA, WEP, ENCRYPTION, CIPHER, WPA_KEY = 1276, 1035, 1042, 1041, 1031, 1032, 1057
WEP_SIZE, KEY2, KEY2_TEXT, KEY2_FORMAT = 1028, 1046, 1050, 1054

# The page's system menu.
IDM_SAVE_SETTINGS, IDM_LOAD_SETTINGS = 0x20, 0x30
# The file name of the standard file dialogs: a combo box, or an edit in older layouts.
FILE_NAME_CONTROLS = (1148, 1152)

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

    def store(self, path=None):
        """The printer's records by number, and its check of record 25."""
        records, check = {}, None
        with open(path or self.store_path) as store:
            for line in store.read().splitlines():
                if line.startswith("psk "):
                    check = line[4:]
                elif line:
                    number, *octets = line.split()
                    records[int(number, 16)] = bytes.fromhex("".join(octets))
        return records, check

    def read(self, page, printer, frames=READ_FRAMES):
        super().read(page, printer, frames)

    def choose_file(self, caption, path):
        """Answers the standard file dialog with this caption with a file of the host."""
        dialog = self.ui.wait(caption, timeout=5.0)
        controls = {ctl for ctl, _, _ in self.ui.children(dialog)}
        name = next(ctl for ctl in FILE_NAME_CONTROLS if ctl in controls)
        self.ui.set_text(dialog, name, "Z:" + path.replace("/", "\\"))
        self.ui.answer(dialog, IDOK)
        self.assertTrue(self.ui.gone(dialog))

    def save(self, page, printer):
        """Save WLAN Info: every record written in order, F, then G; returns the store."""
        since = len(printer.received())
        self.ui.click(page, SAVE)
        self.answer_box("Success", CHAIN_TIMEOUT)
        self.assertEqual(self.wait_text(page, STATUS, "Write Success"), "Write Success")
        # Read comes back with the G reply, which also gives the panel's Close back.
        self.assertTrue(self.wait_enabled(page, READ), "Read WLAN Info enabled")
        self.assertEqual(self.ui.state(page, SAVE).enabled, False)
        self.assertEqual(self.ui.state(self.dlg, OPEN).enabled, False)
        self.assertEqual(self.ui.state(self.dlg, CLOSE).enabled, True)
        records, check = self.store()
        self.assert_wire(printer, since, [esc("S")] + [
            esc("W", bytes([n]) + records[n]) for n in SAVE_RECORDS] + [esc("F"), esc("G")])
        return records, check

    def wait_state(self, page, ctl, field, timeout=3.0):
        """A clicked button's handler runs later than the click: its effect, once seen."""
        deadline = time.monotonic() + timeout
        while not getattr(self.ui.state(page, ctl), field) and time.monotonic() < deadline:
            time.sleep(0.05)
        return getattr(self.ui.state(page, ctl), field)

    def wait_enabled(self, page, ctl):
        return self.wait_state(page, ctl, "enabled")

    def test_read_edit_save_and_read_back(self):
        printer, page = self.open_printer("--version", "2.5c", "--mac", "00:11:22:AA:BB:CC")
        self.read(page, printer)
        self.assertEqual(self.ui.text(page, VERSION), "Ver2.5c")
        self.assertEqual(self.ui.text(page, MAC), "00:11:22:AA:BB:CC")
        self.assertEqual(self.ui.text(page, SSID), "Legacy-Printer")
        self.assertEqual(self.ui.text(page, PORT), "9100")

        self.ui.set_text(page, SSID, "Workshop")
        self.ui.click(page, WPA)
        self.assertTrue(self.wait_enabled(page, ENCRYPTION))
        self.ui.select(page, ENCRYPTION, 1)
        self.ui.set_text(page, WPA_KEY, "e2e pass phrase")
        records, check = self.save(page, printer)
        self.assertEqual(records[0x21], padded("Workshop", 32))
        self.assertEqual(records[0x24], padded("e2e pass phrase", 32))
        self.assertEqual(records[0x20], bytes([1, 6, 0, 0, 1, 4, 2]))
        self.assertEqual(records[0x30][4:6], bytes([0x8C, 0x23]))
        self.assertEqual(check, "match")

        self.read(page, printer)
        self.assertEqual(self.ui.text(page, SSID), "Workshop")
        self.assertEqual(self.ui.text(page, WPA_KEY), "e2e pass phrase")
        self.assertEqual(self.ui.text(page, ENCRYPTION), "WPA2 PSK")
        self.assertEqual(self.ui.text(page, CIPHER), "AES")
        self.assertTrue(self.ui.state(page, WPA).checked)

    def test_profile_carries_settings_to_another_printer(self):
        """A profile saved from one printer and loaded on another makes the second printer's
        store the same as the first's."""
        first_store = os.path.join(self.session.root, "store-1.txt")
        second_store = os.path.join(self.session.root, "store-2.txt")
        profile = os.path.join(self.session.root, "office.json")
        printers = self.start(COM1=dict(model="3", options=["--store", first_store]),
                              COM2=dict(model="3", options=["--store", second_store]))
        self.store_path = first_store
        page = self.open_page("COM1", printers["COM1"])
        self.read(page, printers["COM1"])
        self.ui.set_text(page, SSID, "Profiled office")
        self.ui.click(page, WPA)
        self.assertTrue(self.wait_enabled(page, ENCRYPTION))
        self.ui.set_text(page, WPA_KEY, "profile pass 42")
        first, _ = self.save(page, printers["COM1"])

        self.ui.sys_command(page, IDM_SAVE_SETTINGS)
        box = self.ui.message_box()
        self.assertEqual(box[1], "Include the security key in the file?")
        self.ui.answer(box[0], IDYES)
        self.choose_file("Save As", profile)
        deadline = time.monotonic() + 3.0
        while not os.path.exists(profile) and time.monotonic() < deadline:
            time.sleep(0.05)
        with open(profile) as file:
            self.assertIn('"wpa_passphrase": "profile pass 42"', file.read())
        self.close_page(page)

        self.store_path = second_store
        page = self.open_page("COM2", printers["COM2"])
        self.read(page, printers["COM2"])
        self.assertEqual(self.ui.text(page, SSID), "Legacy-Printer")
        self.ui.sys_command(page, IDM_LOAD_SETTINGS)
        self.choose_file("Open", profile)
        self.assertEqual(self.wait_text(page, SSID, "Profiled office"), "Profiled office")
        self.assertIsNone(self.ui.message_box(timeout=0.5), "a message box after the load")
        second, check = self.save(page, printers["COM2"])
        self.assertEqual(second, first)
        self.assertEqual(check, "match")

    def test_wep128_hex_key_in_key2_is_saved(self):
        printer, page = self.open_printer()
        self.read(page, printer)
        self.ui.click(page, WEP)
        self.assertTrue(self.wait_enabled(page, WEP_SIZE))
        self.ui.select(page, WEP_SIZE, 1)
        self.ui.click(page, KEY2)
        self.assertTrue(self.wait_state(page, KEY2, "checked"))
        self.ui.select(page, KEY2_FORMAT, 0)
        self.assertEqual(self.wait_text(page, KEY2_TEXT, "00" * 13), "00" * 13)
        self.ui.set_text(page, KEY2_TEXT, "00112233445566778899AaBbCc")
        records, _ = self.save(page, printer)
        self.assertEqual(records[0x23][13:26], bytes.fromhex("00112233445566778899aabbcc"))
        self.assertEqual(records[0x23][:13] + records[0x23][26:], bytes(39))
        self.assertEqual(records[0x20][2:4], bytes([2, 1]), "WEP-128bits, Key2 in use")

    def test_silent_printer_times_out(self):
        printer, page = self.open_printer("--silent", "S")
        since = len(printer.received())
        clicked = time.monotonic()
        self.ui.click(page, READ)
        seen = self.answer_box("Error : S [Timeout]", REPLY_TIMEOUT + 3)
        self.assertTrue(2.8 <= seen - clicked <= REPLY_TIMEOUT + 1.5,
                        f"time-out after {seen - clicked:.2f} s")
        self.assert_wire(printer, since, [esc("S")])
        self.assert_buttons(page, read=True, save=False)


if __name__ == "__main__":
    unittest.main(verbosity=2)
