"""The Wi-Fi module page of Zephra.exe under Wine against simulated modules (model 4, one ending
its read replies with other bytes, and a printer silent at identification): the read and save
chains byte for byte, what the page shows, read-back from the module's store, and a refused
write."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness.page_case import PageCase, SAVE, SSID, esc, sim_options, text  # noqa: E402

# The page.
VERSION, MAC, WLAN_MODE, PORT, KEY = 1075, 1076, 1107, 1089, 1086
REGION_COUNTRY, DHCP, IP, NONE, WPA2 = 1092, 1087, 1015, 1082, 1105


def r(item):
    return esc("R", bytes([item]))


def w(item, value):
    return esc("W", bytes([item]) + text(value))


INFRA_READ = [esc("V"), r(0), esc("I")] + [r(item) for item in (16, *range(17, 25), 32, 33)]

# The bytes after each R reply's text: the module's own, and a printer's 00 CR LF in their place.
READ_TRAILERS = {"COM1": None, "COM2": "000D0A"}


def sim(read_trailer=None, **settings):
    """A model 4 module with these items preset (see sim_options), its R replies ending in
    read_trailer (hex) when given."""
    options = sim_options("4", **settings)
    if read_trailer:
        options["options"] += ["--read-trailer", read_trailer]
    return options


class Page3Test(PageCase):
    SAVE_ENABLED_AT_OPEN = True
    SAVE_SUCCESS = "Write Success"

    def read_save_and_read_back(self, port, printer):
        """The module preset with SSID Office: a read shows it, an edit saves and reads back;
        the page ends with its link dropped."""
        page = self.open_page(port, printer)
        self.read(page, printer, INFRA_READ)
        self.assert_texts(page, {
            VERSION: "V2.10", MAC: "00-1A-2B-3C-4D-5E", WLAN_MODE: "Infrastructure mode",
            SSID: "Office", KEY: "old-secret-1", PORT: "9100",
            REGION_COUNTRY: "KR:Republic of Korea"})
        self.assert_checked(page, {DHCP: True, NONE: False, WPA2: True})
        self.assert_enabled(page, {SSID: True, KEY: True, DHCP: True, IP: False})

        self.ui.set_text(page, SSID, "Lab 2")
        self.ui.set_text(page, KEY, "new,secret")
        saved = [w(16, "1"), w(17, "Lab 2"), w(18, "4"), w(19, "new\\,secret"), w(20, "1"),
                 w(33, "KR"), w(32, "9100")]
        self.save_and_read_back(page, printer, saved, INFRA_READ, {
            SSID: "Lab 2", KEY: "new,secret", WLAN_MODE: "Infrastructure mode"})
        self.assert_checked(page, {WPA2: True, DHCP: True})
        # The close box drops the link, so that Open may take another port.
        self.close_page(page)
        self.assert_panel_buttons(open_enabled=True, close_enabled=False)

    def test_infrastructure_read_save_and_read_back(self):
        printers = self.start(**{
            port: sim(trailer, ssid="Office", passphrase="old-secret-1")
            for port, trailer in READ_TRAILERS.items()})
        for port, trailer in READ_TRAILERS.items():
            with self.subTest(read_trailer=trailer or "default"):
                self.read_save_and_read_back(port, printers[port])

    def test_refused_ssid_write_stops_the_save(self):
        # A module silent at identification gets this page once the identification times out.
        printer = self.start(COM1=sim(identify="silent", refuse="W11"))["COM1"]
        page = self.open_page("COM1", printer)
        self.read(page, printer, INFRA_READ)
        since = len(printer.received())
        self.ui.click(page, SAVE)
        self.answer_box("Write Error")
        self.assert_wire(printer, since, [w(16, "1"), w(17, "Office")])
        self.assert_buttons(page, read=True, save=False)
        self.assert_panel_buttons(open_enabled=False, close_enabled=False)


if __name__ == "__main__":
    unittest.main(verbosity=2)
