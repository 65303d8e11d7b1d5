"""The current-generation page of Zephra.exe under Wine against simulated printers (model 5):
the read and save chains byte for byte, what the page shows, read-back from the printer's store,
time-outs and a refused write."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness.base import UI_WAIT  # noqa: E402
from harness.page_case import (  # noqa: E402
    CHAIN_TIMEOUT, CLOSE, PANEL_STATUS, READ, SAVE, SSID, STATUS, PageCase, esc, sim_options,
    text)
from harness.ui import VK_ESCAPE  # noqa: E402

# The page.
VERSION, MAC = 1075, 1076
WLAN_MODE, BAND, CHANNEL, KEY, KEY_FORMAT = 1107, 1007, 1125, 1086, 1053
PORT, REGION, DHCP = 1089, 1092, 1087
IP, NETMASK, GATEWAY, DNS = 1015, 1072, 1073, 1074
AP_IP, AP_NETMASK, AP_GATEWAY = 1016, 1017, 1018
NONE, WEP, WPA, WEP_SIZE, KEY1 = 1082, 1041, 1042, 1028, 1045
ENCRYPTION, CIPHER = 1031, 1032
SETTINGS = (BAND, WLAN_MODE, CHANNEL, SSID, PORT, REGION, DHCP, IP, NETMASK, GATEWAY, DNS,
            AP_IP, AP_NETMASK, AP_GATEWAY, NONE, WEP, WPA, KEY, WEP_SIZE, KEY1, KEY_FORMAT,
            ENCRYPTION, CIPHER)

REPLY_TIMEOUT = 3.0  # the page's reply timer for R, Q? and the Q, W and C writes


def r(item):
    return esc("R", bytes([item]))


def query(letter):
    return esc(letter, b"?")


AP_READ = [r(0x20), r(0x21), r(0x02), query("Q"), r(0x00), r(0x6A), query("C"), r(0x01),
           query("H"), r(0x03)]
INFRA_WPA_READ = [r(0x20), r(0x21), r(0x02), query("Q"), r(0x00), r(0x6A), query("C"), r(0x01),
                  query("B"), r(0x03), r(0x04), r(0x07)]


def sim(**settings):
    """A model 5 printer with these items preset (see sim_options)."""
    return sim_options("5", **settings)


class Page1Test(PageCase):
    # --- helpers ---

    def click_until_timeout(self, page, button, message):
        """Clicks the button on a printer that does not answer: the box with this message comes
        once the reply time-out has passed."""
        clicked = time.monotonic()
        self.ui.click(page, button)
        seen = self.answer_box(message, timeout=REPLY_TIMEOUT + UI_WAIT)
        # Not before the page's timer; the upper limit only catches a timer that never ends.
        self.assertTrue(2.8 <= seen - clicked <= REPLY_TIMEOUT * 10,
                        f"time-out after {seen - clicked:.2f} s")

    def open_and_read(self, frames, args=(), **settings):
        """A model 5 printer on COM1 with these settings, and Zephra.exe started with these
        arguments, and the page opened on it after a read that sent these frames."""
        printer = self.start(args, COM1=sim(**settings))["COM1"]
        page = self.open_page("COM1", printer)
        self.read(page, printer, frames)
        return printer, page

    # --- cases ---

    def test_access_point_read_save_and_read_back(self):
        printer, page = self.open_and_read(
            AP_READ, version="V9.87", mac="00:11:22:AA:BB:CC", mode="2", ssid="LabPrinter",
            port="9101", band="6", region="JP", channel="44", apip="10.0.0.1",
            apmask="255.255.0.0", apgateway="10.0.0.254", security="0")
        self.assert_texts(page, {
            VERSION: "V9.87", MAC: "00:11:22:AA:BB:CC", WLAN_MODE: "Access Point mode",
            BAND: "5Ghz", SSID: "LabPrinter", PORT: "9101", REGION: "JP - Japan",
            CHANNEL: "44", AP_IP: "10.0.0.1", AP_NETMASK: "255.255.0.0",
            AP_GATEWAY: "10.0.0.254", KEY: ""})
        self.assertEqual(self.ui.items(page, CHANNEL), ["36", "40", "44", "48"])
        self.assert_checked(page, {NONE: True, WEP: False, WPA: False})
        # Access Point mode: its own addresses and the channel, not the Infrastructure ones;
        # with None there is no key to enter.
        self.assert_enabled(page, {
            BAND: True, CHANNEL: True, SSID: True, PORT: True, REGION: True, AP_IP: True,
            DHCP: False, IP: False, DNS: False, NONE: True, WPA: True, WEP: False, KEY: False,
            ENCRYPTION: False})

        # The E payload quotes an SSID with a space, a slash before its double quote.
        self.ui.set_text(page, SSID, 'Lab "AP"')
        self.ui.select(page, CHANNEL, 3)
        self.assertEqual(self.ui.text(page, CHANNEL), "48")
        saved = [esc("Q", b"6\x00"), esc("W", text("j9101")), esc("C", text("JP")),
                 esc("H", text("10.0.0.1 255.255.0.0 10.0.0.254")),
                 esc("E", text('"Lab /"AP/"" 48'))]
        self.save_and_read_back(page, printer, saved, AP_READ, {
            SSID: 'Lab "AP"', CHANNEL: "48", WLAN_MODE: "Access Point mode", BAND: "5Ghz",
            REGION: "JP - Japan"})

    def test_infrastructure_wpa2_read_save_and_read_back(self):
        printer, page = self.open_and_read(
            INFRA_WPA_READ, mode="0", ssid="Office", port="9100", band="2", region="US",
            channel="11", security="3", cipher="1", wpakey="old-secret-1", dhcp="0",
            ip="172.16.5.20", mask="255.255.254.0", gateway="172.16.4.1", dns="8.8.4.4")
        self.assert_texts(page, {
            WLAN_MODE: "Infrastructure mode", BAND: "2.4Ghz", SSID: "Office", PORT: "9100",
            REGION: "US - United states of America", IP: "172.16.5.20",
            NETMASK: "255.255.254.0", GATEWAY: "172.16.4.1", DNS: "8.8.4.4",
            ENCRYPTION: "WPA2 PSK", CIPHER: "AES", KEY: "old-secret-1"})
        self.assert_checked(page, {DHCP: False, NONE: False, WEP: False, WPA: True})
        self.assert_enabled(page, {
            IP: True, NETMASK: True, GATEWAY: True, DNS: True, DHCP: True, AP_IP: False,
            CHANNEL: False, WPA: True, ENCRYPTION: True, CIPHER: True, KEY: True,
            WEP_SIZE: False, KEY1: False})

        # A key with an equals sign and a space goes quoted in G.
        self.ui.set_text(page, KEY, "new key=42")
        saved = [esc("Q", b"2\x00"), esc("W", text("j9100")), esc("C", text("US")),
                 esc("B", text("0172.16.5.20 255.255.254.0 172.16.4.1 8.8.4.4")),
                 esc("I", text("3 1 1")), esc("G", text('"new key=42"')),
                 esc("M", text("Office"))]
        self.save_and_read_back(page, printer, saved, INFRA_WPA_READ, {
            KEY: "new key=42", ENCRYPTION: "WPA2 PSK", CIPHER: "AES", SSID: "Office",
            WLAN_MODE: "Infrastructure mode"})
        self.assert_checked(page, {WPA: True, DHCP: False})

    def test_split_replies_read_whole(self):
        # Every reply, the identification's too, comes in two writes 20 ms apart, cut inside its
        # payload: the page must wait for the rest of each, not take the first part.
        settings = sim(mode="2", ssid="ShopAP", port="9101", band="6", region="JP",
                       channel="44", apip="10.0.0.1", apmask="255.255.0.0",
                       apgateway="10.0.0.254", security="0")
        settings["options"].append("--split")
        printer = self.start(COM1=settings)["COM1"]
        page = self.open_page("COM1", printer)
        self.read(page, printer, AP_READ)
        self.assert_texts(page, {
            VERSION: "V1.04", MAC: "00:1A:2B:3C:4D:5E", WLAN_MODE: "Access Point mode",
            BAND: "5Ghz", SSID: "ShopAP", PORT: "9101", REGION: "JP - Japan", CHANNEL: "44",
            AP_IP: "10.0.0.1", AP_NETMASK: "255.255.0.0", AP_GATEWAY: "10.0.0.254", KEY: ""})
        self.assert_checked(page, {NONE: True, WEP: False, WPA: False})

    def test_trace_file_holds_the_exchange_with_the_key_masked(self):
        path = os.path.join(self.session.root, "trace.txt")
        self.open_and_read(INFRA_WPA_READ, args=["--trace", "Z:" + path.replace("/", "\\")],
                           mode="0", security="3", cipher="1", wpakey="wine-secret-7")
        with open(path) as file:
            lines = file.read().splitlines()
        hex_lines = [line.split("|")[0] for line in lines]
        for frame in INFRA_WPA_READ:
            self.assertTrue(any(frame.hex(" ").upper() in line for line in hex_lines), frame)
        self.assertTrue(any(line.endswith("# Printer Status: Read Success") for line in lines))
        text = "\n".join(lines)
        self.assertNotIn("wine-secret-7", text)
        self.assertNotIn("wine-secret-7".encode().hex(" ").upper(), text)
        self.assertIn("** " * len("wine-secret-7"), text)

    def test_silent_printer_times_out(self):
        printers = self.start(COM1=sim(silent="R"), COM2=sim(silent="W"))

        # No answer to the first read request: the connection has failed.
        printer = printers["COM1"]
        page = self.open_page("COM1", printer)
        since = len(printer.received())
        self.click_until_timeout(page, READ, "Connection failure : Error [Timeout]")
        self.assert_wire(printer, since, [r(0x20)], timeout=0)
        self.assert_buttons(page, read=True, save=False)
        self.assert_enabled(page, {ctl: False for ctl in SETTINGS})
        self.close_page(page)

        # No acknowledgement of the port write: the save stops there.
        printer = printers["COM2"]
        page = self.open_page("COM2", printer)
        self.read(page, printer, AP_READ)
        since = len(printer.received())
        self.click_until_timeout(page, SAVE, "Write Error : code [Timeout]")
        self.assert_wire(printer, since, [esc("Q", b"7\x00"), esc("W", text("j9100"))], timeout=0)
        self.assert_buttons(page, read=True, save=False)
        self.assertEqual(self.ui.text(page, STATUS), "")
        self.assert_panel_buttons(open_enabled=False, close_enabled=False)

    def test_refused_region_stops_the_save(self):
        printer = self.start(COM1=sim(refuse="C", region="DE"))["COM1"]
        page = self.open_page("COM1", printer)
        self.read(page, printer, AP_READ)
        self.assertEqual(self.ui.text(page, REGION), "DE - Germany")

        since = len(printer.received())
        clicked = time.monotonic()
        self.ui.click(page, SAVE)
        self.answer_box("Check Region", timeout=CHAIN_TIMEOUT)
        sent = [esc("Q", b"7\x00"), esc("W", text("j9100")), esc("C", text("DE"))]
        self.assert_wire(printer, since, sent, timeout=0)
        self.assert_buttons(page, read=True, save=False)
        self.assert_panel_buttons(open_enabled=False, close_enabled=False)
        # Nothing follows the refusal, not even the time-out of the refused step.
        left = clicked + REPLY_TIMEOUT + 0.6 - time.monotonic()
        self.assertIsNone(self.ui.message_box(timeout=max(0.0, left)), "a later box")
        self.assert_wire(printer, since, sent, timeout=0)

        # Once the page ends, the panel offers Close for the link still open, and it closes it.
        self.ui.key(page, VK_ESCAPE)
        self.assertTrue(self.ui.gone(page), "Escape ends the page")
        self.assert_panel_buttons(open_enabled=False, close_enabled=True)
        self.ui.click(self.dlg, CLOSE)
        self.assertEqual(self.wait_text(self.dlg, PANEL_STATUS, "Close Port"), "Close Port")
        self.assert_panel_buttons(open_enabled=True, close_enabled=False)

if __name__ == "__main__":
    unittest.main(verbosity=2)
