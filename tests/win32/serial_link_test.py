"""The serial link under Wine: the probe program opens COM ports mapped to ptys served here."""

import os
import sys
import termios
import threading
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
        self.assertEqual(self.open(baud=9600), "opened")
        time.sleep(0.3)
        self.assertEqual(self.read_queue(), (0, b""), "no notification while the line is idle")

        # Bytes are handed over in batches that end when the line falls quiet for a few
        # milliseconds; where a reply ends is the page's to say. A byte stream at 9600 baud comes
        # in one batch or several, and a pause of ten gaps inside a reply ends one, unless a busy
        # machine stalls the reader past it: then the case is tried again.
        long_reply = bytes.fromhex("1b7e4100") + bytes(range(0x20, 0x6c))
        two_bursts = bytes.fromhex("1b7e52") + b"ssid=home\r\n"

        def paced():
            self.com1.write_paced(long_reply, 9600)

        def bursts_50_ms_apart():
            self.com1.write(two_bursts[:5])
            time.sleep(0.05)
            self.com1.write(two_bursts[5:])

        def replies_200_ms_apart():
            self.com1.write(two_bursts)
            time.sleep(0.2)
            self.com1.write(long_reply)

        cases = [(paced, long_reply, range(1, len(long_reply) + 1)),
                 (bursts_50_ms_apart, two_bursts, [2]),
                 (replies_200_ms_apart, two_bursts + long_reply, [2])]
        for send, expected, notes in cases:
            with self.subTest(send.__name__):
                for _ in range(3):
                    send()
                    received, data = self.wait_queue(len(expected))
                    if received in notes:
                        break
                self.assertEqual(data, expected)
                self.assertIn(received, notes)

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

        self.assertLess(int(self.probe("close")), 2000)
        self.assertEqual(self.probe("reader"), "ended", "close waits for the reader")
        self.assertEqual(self.probe("close"), "0", "closing twice is harmless")

        # Bytes sent while the port is closed are not delivered later.
        self.com1.write(b"stale")
        self.assertEqual(self.open(baud=9600), "opened")
        self.assertEqual(self.probe("write " + IDENTIFY.hex()), "4")
        self.assertEqual(self.com1.read_exact(4, 3.0), IDENTIFY)
        self.com1.write(b"\x1b~B")
        self.assertEqual(self.wait_queue(3)[1], b"\x1b~B")

        # Close in the middle of a reply that is still arriving returns promptly too.
        sender = threading.Thread(target=self.com1.write_paced, args=(bytes(400), 9600))
        sender.start()
        time.sleep(0.1)
        self.assertLess(int(self.probe("close")), 2000)
        sender.join()
        self.assertEqual(self.probe("reader"), "ended")

    def test_a_write_the_line_never_takes_is_bounded(self):
        self.assertEqual(self.open(baud=9600), "opened")
        termios.tcflow(self.com1.slave, termios.TCOOFF)  # the line stops taking bytes
        started = time.monotonic()
        self.assertEqual(self.probe("write " + IDENTIFY.hex(), timeout=20), "0")
        waited = time.monotonic() - started
        self.assertTrue(1.9 <= waited <= 3.0, f"write returned after {waited:.2f} s")
        termios.tcflow(self.com1.slave, termios.TCOON)
        self.assertEqual(self.probe("write 1b7e"), "2", "the next write goes through")
        self.assertEqual(self.com1.read_exact(2, 3.0), b"\x1b~", "the given-up write is gone")

    def test_soak_open_and_close(self):
        stop = threading.Event()

        def echo():
            while not stop.is_set():
                data = self.com1.read_exact(1, 0.05)
                if data:
                    self.com1.write(data)

        echoer = threading.Thread(target=echo)
        echoer.start()
        try:
            counts = self.probe("soak COM1 115200 1000", timeout=300).split()
        finally:
            stop.set()
            echoer.join()
        handles, threads, end_handles, end_threads, lost = map(int, counts)
        self.assertEqual((end_handles, end_threads), (handles, threads), "handles, threads")
        self.assertEqual(lost, 0, "checked cycles whose bytes did not come back")
        print(f"[soak] 1000 serial cycles: {handles} handles, {threads} threads", flush=True)

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
        self.assertLess(int(self.probe("close")), 2000)

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
