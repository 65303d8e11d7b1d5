"""What the printer-page tests share: the panel and page ids, request frames, and a test case that
opens a page on a simulated printer and runs its read and save chains."""

import re
import time

from .base import UI_WAIT, WineTestCase
from .ui import IDOK, SC_CLOSE

CAPTION = "Velmora_v7.3"
PAGE_CAPTION = "Velmora_v7.4"
IDENTIFY = bytes.fromhex("1b000202")

# Main dialog.
PORT_COMBO, OPEN, CLOSE, PANEL_STATUS = 1156, 1143, 1124, 1006
PORT_INDEX = {"COM1": 0, "COM2": 1}

# The page controls every family has.
READ, SAVE, STATUS, SSID = 1110, 1111, 1027, 1093

CHAIN_TIMEOUT = 30.0  # a whole chain against the simulator's 20 ms replies: only a hang runs out
OPEN_HANDLER_WAIT = 0.5 + 0.3  # the Open handler's own wait, and a margin


def esc(letter, payload=b""):
    return b"\x1b~" + letter.encode() + payload


def text(value):
    return value.encode() + b"\x00"


def split_frames(data):
    """The bytes as hex texts, one per request (each begins with ESC '~')."""
    starts = [m.start() for m in re.finditer(b"\x1b~", data)]
    if not starts or starts[0] != 0:
        starts.insert(0, 0)
    return [data[a:b].hex(" ") for a, b in zip(starts, starts[1:] + [len(data)]) if a < b]


def sim_options(model, **settings):
    """printer-sim options of a printer of this model with these items preset; the keys silent
    and refuse name a request that the printer never answers or refuses, identify how it answers
    the identification."""
    options, identify = [], "normal"
    for name, value in settings.items():
        if name == "identify":
            identify = value
        elif name in ("silent", "refuse"):
            options += [f"--{name}", value]
        else:
            options += ["--set", f"{name}={value}"]
    return dict(model=model, identify=identify, options=options)


class PageCase(WineTestCase):
    """A page opened on simulated printers, with checks of its controls, the wire and the boxes."""

    PORTS = ()
    maxDiff = None
    READ, SAVE, STATUS = READ, SAVE, STATUS  # the page's own ids where they differ
    pressed = None  # when Open was last pressed
    SAVE_ENABLED_AT_OPEN = False  # whether the page offers Save before any read
    SAVE_SUCCESS = "Save Success"  # the box and status that end a good save

    def start(self, args=(), **ports):
        printers = self.start_printers(**ports)
        self.start_zephra(CAPTION, args)
        return printers

    def open_page(self, port, printer):
        """Opens the port and returns the page shown; the printer has had the identification
        request and nothing else."""
        # The Open handler shows the panel's held values again half a second after the press,
        # which would put back a port chosen before then.
        if self.pressed is not None:
            time.sleep(max(0.0, self.pressed + OPEN_HANDLER_WAIT - time.monotonic()))
        self.ui.select(self.dlg, PORT_COMBO, PORT_INDEX[port])
        self.pressed = time.monotonic()
        self.ui.click(self.dlg, OPEN)
        page = self.ui.wait(PAGE_CAPTION, 5.0)
        self.assertEqual(printer.wait_received(len(IDENTIFY), 3.0), IDENTIFY)
        self.assertEqual(self.ui.text(page, self.STATUS), "")
        self.assert_buttons(page, read=True, save=self.SAVE_ENABLED_AT_OPEN)
        return page

    def assert_buttons(self, page, read, save):
        self.assertEqual(self.ui.state(page, self.READ).enabled, read, "Read WLAN Info enabled")
        self.assertEqual(self.ui.state(page, self.SAVE).enabled, save, "Save WLAN Info enabled")

    def assert_panel_buttons(self, open_enabled, close_enabled):
        self.assertEqual(self.ui.state(self.dlg, OPEN).enabled, open_enabled, "Open enabled")
        self.assertEqual(self.ui.state(self.dlg, CLOSE).enabled, close_enabled, "Close enabled")

    def assert_texts(self, page, expected):
        self.assertEqual({ctl: self.ui.text(page, ctl) for ctl in expected}, expected)

    def assert_enabled(self, page, expected):
        self.assertEqual({ctl: self.ui.state(page, ctl).enabled for ctl in expected}, expected)

    def assert_checked(self, page, expected):
        self.assertEqual({ctl: self.ui.state(page, ctl).checked for ctl in expected}, expected)

    def assert_wire(self, printer, since, frames, timeout=CHAIN_TIMEOUT):
        """Since offset `since` of the printer's log the page sent exactly these frames, in order,
        and nothing after them."""
        expected = b"".join(frames)
        data = printer.wait_received(since + len(expected), timeout)[since:]
        if len(data) == len(expected):
            time.sleep(0.2)  # room for a stray extra request to show up
            data = printer.received()[since:]
        self.assertEqual(split_frames(data), [frame.hex(" ") for frame in frames],
                         f"the frames the printer had within {timeout:g} s")

    def answer_box(self, expected, timeout=UI_WAIT):
        """Answers the one message box, which must have this text; returns when it appeared."""
        box = self.ui.message_box(timeout=timeout)
        seen = time.monotonic()
        self.assertIsNotNone(box, f"no message box {expected!r} within {timeout:g} s")
        self.assertEqual(box[1], expected)
        self.ui.answer(box[0], IDOK)
        self.assertTrue(self.ui.gone(box[0]))
        return seen

    def read(self, page, printer, frames):
        """Read WLAN Info on a printer that answers: the chain on the wire, then "Read Success"
        with Save offered and Read offered again."""
        since = len(printer.received())
        self.ui.click(page, self.READ)
        self.assertEqual(self.wait_text(page, self.STATUS, "Read Success", CHAIN_TIMEOUT),
                         "Read Success")
        self.assert_wire(printer, since, frames)
        self.assert_buttons(page, read=True, save=True)
        self.assertIsNone(self.ui.message_box(timeout=0), "a message box after the read")

    def save(self, page, printer, frames):
        since = len(printer.received())
        self.ui.click(page, self.SAVE)
        self.answer_box(self.SAVE_SUCCESS, timeout=CHAIN_TIMEOUT)
        self.assert_wire(printer, since, frames)
        self.assertEqual(self.ui.text(page, self.STATUS), self.SAVE_SUCCESS)
        self.assert_buttons(page, read=True, save=False)
        self.assert_panel_buttons(open_enabled=False, close_enabled=True)
        self.assertEqual(self.ui.state(page, SSID).enabled, False, "settings held off")

    def save_and_read_back(self, page, printer, saved, frames, shown):
        """Save sends the saved frames; a read after it shows what was saved."""
        self.save(page, printer, saved)
        self.read(page, printer, frames)
        self.assert_texts(page, shown)

    def close_page(self, page):
        self.ui.sys_command(page, SC_CLOSE)
        self.assertTrue(self.ui.gone(page), "the close box ends the page")
