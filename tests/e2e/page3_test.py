"""The Wi-Fi module page of Zephra.exe under Wine against simulated modules (model 4, and a
printer silent at identification): the read and save chains byte for byte, what the page shows,
read-back from the module's store, and the region list the version chooses."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness.page_case import PageCase, SSID, esc, sim_options, text  # noqa: E402

# The page.
VERSION, MAC, WLAN_MODE, PORT, KEY = 1075, 1076, 1107, 1089, 1086
REGION_COUNTRY, REGION_NUMERIC, DHCP, IP = 1092, 1094, 1087, 1015
NONE, WPA2, WPA_WPA2 = 1082, 1105, 1106


def r(item):
    return esc("R", bytes([item]))


def w(item, value):
    return esc("W", bytes([item]) + text(value))


def read_frames(items):
    return [esc("V"), r(0), esc("I")] + [r(item) for item in items]


AP_READ = read_frames([16, 1, 2, 3, 4, 32, 33])
INFRA_READ = read_frames([16, 17, 18, 19, 20, 21, 22, 23, 24, 32, 33])


def sim(**settings):
    """A model 4 module with these items preset (see sim_options)."""
    return sim_options("4", **settings)


class Page3Test(PageCase):
    SAVE_ENABLED_AT_OPEN = True
    SAVE_SUCCESS = "Write Success"

    def open_and_read(self, frames, **settings):
        printer = self.start(COM1=sim(**settings))["COM1"]
        page = self.open_page("COM1", printer)
        self.read(page, printer, frames)
        return printer, page

    def test_infrastructure_read_save_and_read_back(self):
        printer, page = self.open_and_read(INFRA_READ, ssid="Office", passphrase="old-secret-1")
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

    def test_access_point_read_with_numeric_regions(self):
        _, page = self.open_and_read(AP_READ, version="E1.02", configured="0", ap_ssid="Shop",
                                     ap_security="0", region="8")
        self.assert_texts(page, {
            VERSION: "E1.02", WLAN_MODE: "Access Point mode", SSID: "Shop", KEY: "",
            REGION_NUMERIC: "8:Japan Special(0xFF)"})
        self.assert_visible(page, {REGION_NUMERIC: True, REGION_COUNTRY: False, WPA_WPA2: False})
        self.assert_checked(page, {NONE: True})
        self.assert_enabled(page, {REGION_NUMERIC: True, KEY: False, DHCP: False})

    def test_silent_printer_reaches_the_page_and_reads(self):
        printer = self.start(COM1=sim(identify="silent"))["COM1"]
        page = self.open_page("COM1", printer)
        self.read(page, printer, INFRA_READ)
        self.assert_texts(page, {VERSION: "V2.10", MAC: "00-1A-2B-3C-4D-5E", SSID: "Office"})
        self.close_page(page)
        self.assert_panel_buttons(open_enabled=True, close_enabled=False)


if __name__ == "__main__":
    unittest.main(verbosity=2)
