"""The USB link under Wine: the probe opens a named pipe as the device, the test plays the
printer at the pipe's other end and unplugs it by breaking the pipe."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from harness.base import WineTestCase, program  # noqa: E402
from harness.repl import Repl  # noqa: E402

IDENTIFY = bytes.fromhex("1b000202")


class UsbLinkTest(WineTestCase):
    PORTS = ()

    def setUp(self):
        super().setUp()
        self.probe = Repl(self.session.start(program("ZEPHRA_USB_PROBE")))
        self.pipes = 0

    def open_device(self, in_buffer=65536):
        self.pipes += 1
        path = self.probe(f"pipe zephra-usb-{os.getpid()}-{self.pipes} {in_buffer}")
        self.assertEqual(self.probe(f"open {path}"), "opened")
        return path

    def events(self):
        return tuple(int(v) for v in self.probe("events").split())

    def queue(self):
        value = self.probe("queue")
        return b"" if value == "-" else bytes.fromhex(value)

    def served(self, wait_ms=2000):
        value = self.probe(f"served {wait_ms}")
        return b"" if value == "-" else bytes.fromhex(value)

    def write(self, data):
        count, ms = self.probe("write " + data.hex(), timeout=20).split()
        return int(count), int(ms)

    def serve(self, data, settle=0.3):
        self.assertEqual(self.probe("serve " + data.hex()), str(len(data)))
        time.sleep(settle)

    def test_bytes_both_ways(self):
        self.open_device()
        self.assertEqual(self.write(IDENTIFY)[0], 4)
        self.assertEqual(self.served(), IDENTIFY)
        every_byte = bytes(range(256))
        self.assertEqual(self.write(every_byte)[0], 256)
        self.assertEqual(self.served(), every_byte)

        time.sleep(0.2)
        self.assertEqual(self.events(), (0, 0, 0), "nothing announced while the printer is quiet")
        reply = bytes.fromhex("1b7e4100") + b"5" + bytes(range(0x80, 0x90))
        self.serve(reply)
        self.assertEqual(self.events(), (1, 0, 0))
        self.assertEqual(self.queue(), reply)
        self.serve(every_byte * 4)
        data = self.queue()
        self.assertEqual(data, every_byte * 4)
        self.assertGreaterEqual(self.events()[0], 1)

    def test_read_mode_holds_a_reply_until_it_ends(self):
        self.open_device()
        self.probe("readmode 1")
        self.serve(b"\x1b~Rssid=home\r\n")
        self.assertEqual(self.events(), (1, 0, 0))
        self.assertEqual(self.queue(), b"\x1b~Rssid=home\r\n")
        # A reply may end in any byte: it is announced once the line falls quiet, and the read
        # that found the line quiet takes the next reply whole.
        reply = bytes.fromhex("1b7e433f42520d")
        self.serve(reply)
        self.assertEqual(self.events(), (1, 0, 0))
        self.assertEqual(self.queue(), reply)
        self.serve(b"\x1b~R\x00")
        self.assertEqual(self.events(), (1, 0, 0), "a 0 byte ends a reply too")
        self.assertEqual(self.queue(), b"\x1b~R\x00")

        self.probe("readmode 0")
        self.serve(b"\x1b~S")
        self.assertEqual(self.events(), (1, 0, 0))
        self.probe("readmode 1")
        self.serve(b"\x1b~R")
        self.assertEqual(self.events(), (1, 0, 0))
        self.assertLess(int(self.probe("close")), 2000, "the read left waiting is cancelled")

    def test_queue_full_drops_the_chunk_and_says_so(self):
        self.open_device()
        self.probe("readmode 1")
        self.serve(b"x" * 2000)
        self.serve(b"y" * 100)
        self.assertEqual(self.events(), (1, 1, 0), "the held chunk told once the line fell quiet")
        self.assertEqual(self.queue(), b"x" * 2000, "the chunk that did not fit is dropped whole")
        self.serve(b"z\r\n")
        self.assertEqual(self.events(), (1, 0, 0), "the link goes on working")
        self.assertEqual(self.queue(), b"z\r\n")

    def test_unplug_is_reported_after_a_grace_period(self):
        before = int(self.probe("threads"))
        self.open_device()
        self.serve(b"\x1b~A")
        self.assertEqual(self.queue(), b"\x1b~A")
        self.probe("unplug")
        time.sleep(1.2)
        self.assertEqual(self.events()[2], 0, "not before the grace period")
        deadline = time.monotonic() + 3
        while self.probe("unplugged_for") == "-" and time.monotonic() < deadline:
            time.sleep(0.1)
        waited = self.probe("unplugged_for")
        self.assertNotEqual(waited, "-", "no disconnect reported")
        self.assertTrue(1400 <= int(waited) <= 2300, f"reported after {waited} ms")
        self.assertEqual(self.events(), (0, 0, 1), "reported once")
        time.sleep(0.2)
        self.assertEqual(int(self.probe("threads")), before, "the reader ended after reporting")
        self.assertEqual(self.write(IDENTIFY)[0], 0, "the device is gone")
        self.assertLess(int(self.probe("close")), 2000)

        # A fresh open works like the first.
        self.open_device()
        self.assertEqual(self.write(IDENTIFY)[0], 4)
        self.assertEqual(self.served(), IDENTIFY)

    def test_close_cancels_the_pending_read(self):
        before = int(self.probe("threads"))
        self.open_device()
        time.sleep(0.3)
        self.assertEqual(int(self.probe("threads")), before + 1, "the reader runs")
        self.assertLess(int(self.probe("close")), 2000, "the read is cancelled, not waited out")
        self.assertEqual(int(self.probe("threads")), before, "close waits for the reader")
        self.assertEqual(self.probe("peer"), "gone", "the device handle is closed")
        self.assertEqual(self.probe("close"), "0", "closing twice is harmless")
        self.assertEqual(self.write(IDENTIFY)[0], 0, "nothing goes to a closed link")

        # Closing inside the unplug grace period ends the reader quietly.
        self.open_device()
        self.probe("unplug")
        time.sleep(0.3)
        self.assertLess(int(self.probe("close")), 2000)
        time.sleep(1.6)
        self.assertEqual(self.events(), (0, 0, 0))
        self.assertEqual(int(self.probe("threads")), before)

    def test_a_write_the_device_never_takes_is_bounded(self):
        self.open_device(in_buffer=512)
        count, ms = self.write(bytes(200000))
        # Bounded by the write's grace; the upper bound only catches a hang.
        self.assertTrue(1800 <= ms <= 20000, f"write returned after {ms} ms")
        self.assertLess(count, 200000)
        self.served(300)  # the printer reads again
        time.sleep(0.2)
        self.served(300)
        count, ms = self.write(IDENTIFY)
        self.assertEqual(count, 4, "the next write goes through")
        self.assertLess(int(self.probe("close")), 7000)

    def test_soak_open_and_close(self):
        counts = self.probe(f"soak zephra-soak-{os.getpid()} 200", timeout=300).split()
        handles, threads, end_handles, end_threads, lost = map(int, counts)
        self.assertEqual((end_handles, end_threads), (handles, threads), "handles, threads")
        self.assertEqual(lost, 0, "checked cycles whose bytes did not arrive")
        print(f"[soak] 200 USB cycles: {handles} handles, {threads} threads", flush=True)

    def test_open_and_search_failures(self):
        self.assertEqual(self.probe(r"open \\.\pipe\zephra-no-such-device"), "open_failed")
        self.assertEqual(self.probe("search"), "no_accepted_device", "no USB printer here")
        self.assertEqual(self.probe("provider"), "no_accepted_device")
        self.assertEqual(int(self.probe("close")), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
