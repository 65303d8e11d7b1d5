"""The serial link under Wine: the probe program opens COM ports mapped to ptys served here."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from harness.base import WineTestCase, program  # noqa: E402
from harness.repl import Repl  # noqa: E402

IDENTIFY = bytes.fromhex("1b000202")


class SerialLinkTest(WineTestCase):
    PORTS = ("COM1", "COM12")

    def setUp(self):
        super().setUp()
        self.probe = Repl(self.session.start(program("ZEPHRA_SERIAL_PROBE")))

    def open(self, port="COM1", baud=57600, data=8, parity=0, stop=0):
        return self.probe(f"open {port} {baud} {data} {parity} {stop}")

    def read_queue(self):
        notes, hex_bytes = self.probe("read").split()
        return int(notes), b"" if hex_bytes == "-" else bytes.fromhex(hex_bytes)

    def wait_queue(self, count, timeout=2.0):
        """Collects queued bytes until count have come; returns (notifications, bytes)."""
        notes, data = 0, b""
        deadline = time.monotonic() + timeout
        while len(data) < count and time.monotonic() < deadline:
            time.sleep(0.1)
            n, d = self.read_queue()
            notes, data = notes + n, data + d
        return notes, data

    def test_writes_reach_the_tty_byte_exact(self):
        self.assertEqual(self.open(), "opened")
        self.assertEqual(self.probe("write " + IDENTIFY.hex()), "4")
        self.assertEqual(self.com1.read_exact(4, 3.0), IDENTIFY)
        self.assertEqual(self.com1.read_for(0.3), b"", "nothing beyond the frame")

        every_byte = bytes(range(256))
        self.assertEqual(self.probe("write " + every_byte.hex()), "256")
        self.assertEqual(self.com1.read_exact(256, 3.0), every_byte)

    def test_received_bytes_queue_in_order(self):
        self.assertEqual(self.open(), "opened")
        time.sleep(0.3)
        self.assertEqual(self.read_queue(), (0, b""), "no notification while the line is idle")

        # A reply split over three writes inside one reader cycle comes with one notification.
        reply = bytes.fromhex("1b7e4100") + b"5" + bytes(range(0x80, 0x90))
        for piece in (reply[:3], reply[3:9], reply[9:]):
            self.com1.write(piece)
            time.sleep(0.005)
        time.sleep(0.4)
        self.assertEqual(self.read_queue(), (1, reply))

        # A longer stream with every byte value arrives complete and in order.
        stream = bytes(range(256)) * 6
        for i in range(0, len(stream), 300):
            self.com1.write(stream[i:i + 300])
        notes, data = self.wait_queue(len(stream))
        self.assertEqual(data, stream)
        self.assertGreaterEqual(notes, 1)

    def test_line_settings_reach_the_tty(self):
        cases = [
            ((9600, 8, 2, 2), {"baud": 9600, "parity": "even", "stop_bits": 2, "data_bits": 8}),
            ((115200, 8, 0, 0), {"baud": 115200, "parity": "none", "stop_bits": 1,
                                 "data_bits": 8}),
            ((19200, 8, 1, 0), {"baud": 19200, "parity": "odd", "stop_bits": 1, "data_bits": 8}),
        ]
        for (baud, data, parity, stop), expected in cases:
            with self.subTest(baud=baud, parity=parity, stop=stop):
                self.assertEqual(self.open("COM1", baud, data, parity, stop), "opened")
                self.assertEqual(self.com1.line_settings(), expected)
                self.probe("close")

    def test_close_is_prompt_and_reopen_works(self):
        self.assertEqual(self.probe("close"), "0", "close with nothing open is harmless")
        self.assertEqual(self.open(), "opened")
        self.com1.write(b"\x1b~A")
        self.assertEqual(self.wait_queue(3)[1], b"\x1b~A")
        self.assertEqual(self.probe("reader"), "running")

        self.assertLess(int(self.probe("close")), 200)
        self.assertEqual(self.probe("reader"), "ended", "close waits for the reader")
        self.assertEqual(self.probe("close"), "0", "closing twice is harmless")

        # Bytes sent while the port is closed are not delivered later.
        self.com1.write(b"stale")
        self.assertEqual(self.open(baud=9600), "opened")
        self.assertEqual(self.probe("write " + IDENTIFY.hex()), "4")
        self.assertEqual(self.com1.read_exact(4, 3.0), IDENTIFY)
        self.com1.write(b"\x1b~B")
        self.assertEqual(self.wait_queue(3)[1], b"\x1b~B")

        # Close while the printer keeps sending still returns promptly.
        self.com1.write(bytes(1000))
        self.assertLess(int(self.probe("close")), 200)
        self.assertEqual(self.probe("reader"), "ended")

    def test_flood_beyond_the_queue(self):
        self.assertEqual(self.open(baud=115200), "opened")
        stream = bytes(i % 251 for i in range(6000))
        self.com1.write(stream)
        time.sleep(0.6)
        notes, data = self.read_queue()
        self.assertGreaterEqual(notes, 1)
        self.assertTrue(0 < len(data) <= 2047, f"{len(data)} bytes queued")
        self.assertIn(data[:100], stream, "queued bytes are whole pieces of the stream")
        # Chunks that did not fit were dropped whole; the link goes on working.
        self.com1.write(b"\x1b~Z")
        self.assertEqual(self.wait_queue(3)[1][-3:], b"\x1b~Z")
        self.assertLess(int(self.probe("close")), 200)

    def test_open_failures(self):
        self.assertEqual(self.open("COM5"), "open_failed", "an unmapped port does not exist")
        self.assertEqual(self.open(parity=9), "config_failed")
        self.assertEqual(self.open(data=9), "config_failed")
        self.assertEqual(self.open(), "opened", "a refused setting leaves the port free")
        self.probe("close")

    def test_port_names(self):
        self.assertEqual(self.open(r"\\.\COM12"), "opened", "device-namespace form")
        self.assertEqual(self.probe("write 1b7e"), "2")
        self.assertEqual(self.ports["COM12"].read_exact(2, 3.0), b"\x1b~")
        self.assertEqual(self.com1.read_for(0.1), b"")
        self.assertEqual(self.open("COM1"), "opened", "opening again replaces the open link")
        self.assertEqual(self.ports["COM12"].read_for(0.1), b"")


if __name__ == "__main__":
    unittest.main(verbosity=2)
