"""unittest base class: a Wine session, a pty per COM port, a screenshot when a test fails."""

import os
import re
import time
import unittest

from .printer_sim import PrinterSim
from .pty_port import PtyPort
from .ui import UiDriver
from .wine import WineSession

# How long the UI is given to show what a test expects, which it does within a second or so:
# only a hang runs out.
UI_WAIT = 30.0


def _setting(name):
    value = os.environ.get(name)
    if not value:
        raise unittest.SkipTest(f"{name} is not set")
    return value


def build_dir():
    return _setting("ZEPHRA_BUILD_DIR")


def program(name):
    """Path of a cross-built program given by the environment variable name."""
    path = _setting(name)
    if not os.path.exists(path):
        raise unittest.SkipTest(f"{path} has not been built")
    return path


class WineTestCase(unittest.TestCase):
    """Each test gets its own prefix copy, display and ptys; all are released whatever happens."""

    # Ports mapped to a pty for every test of the class, e.g. ("COM1",).
    PORTS = ("COM1",)

    def setUp(self):
        self.started = time.monotonic()
        root = build_dir()
        self.artifacts = os.path.join(root, "test-artifacts")
        name = re.sub(r"[^A-Za-z0-9_.-]", "_", self.id().split(".", 1)[-1])
        self.session = WineSession(os.path.join(root, "wineprefix-base"),
                                   os.path.join(root, "wine-tests"), name)
        self.addCleanup(self.session.close)
        self.ports = {}
        self.printers = {}
        for port in self.PORTS:
            pty = PtyPort()
            self.addCleanup(pty.close)
            self.ports[port] = pty
        if self.ports:
            self.session.map_ports({name: pty.path for name, pty in self.ports.items()})

    @property
    def com1(self):
        return self.ports["COM1"]

    def start_printers(self, ptys=(), **ports):
        """Serves each named COM port with its own printer-sim, e.g.
        start_printers(COM1=dict(model="5"), COM2=dict(identify="silent")), and each port named
        in ptys with a bare pty that the test answers itself (in self.ports). Returns
        {port: PrinterSim}. Call it before starting the program that opens the ports; the
        simulators stop when the test ends, whatever its outcome."""
        sim = program("ZEPHRA_PRINTER_SIM")
        printers = {}
        for port, options in ports.items():
            log = os.path.join(self.session.root, f"printer-{port}.log")
            printer = PrinterSim(sim, log, **options)
            self.addCleanup(printer.stop)
            printers[port] = printer
        for port in ptys:
            pty = PtyPort()
            self.addCleanup(pty.close)
            self.ports[port] = pty
        self.printers.update(printers)
        mapping = {port: printer.path for port, printer in printers.items()}
        mapping.update({port: self.ports[port].path for port in ptys})
        self.session.map_ports(mapping)
        return printers

    def start_zephra(self, caption, args=()):
        """Starts Zephra.exe, its output in zephra.log, and the UI driver; sets self.ui and
        self.dlg, the main dialog with this caption, and returns Zephra.exe's process. Ports and
        printers must be in place before, as the program opens them."""
        log = open(os.path.join(self.session.root, "zephra.log"), "wb")
        self.addCleanup(log.close)
        app = self.session.start(program("ZEPHRA_EXE"), args, stdin=None, stdout=log,
                                 stderr=log)
        self.ui = UiDriver(self.session.start(program("ZEPHRA_UIDRIVER")))
        self.dlg = self.ui.wait(caption, timeout=30)
        return app

    def wait_text(self, hwnd, ctl, expected, timeout=UI_WAIT):
        """The control's text once it is the expected one; fails, saying so, when it is not
        by the time-out."""
        deadline = time.monotonic() + timeout
        value = self.ui.text(hwnd, ctl)
        while value != expected and time.monotonic() < deadline:
            time.sleep(0.05)
            value = self.ui.text(hwnd, ctl)
        self.assertEqual(value, expected, f"waited {timeout:g} s for control {ctl} to read "
                                          f"{expected!r}")
        return value

    def _failed(self):
        outcome = getattr(self, "_outcome", None)
        if outcome is None:
            return False
        if getattr(outcome, "errors", None):  # Python before 3.11
            return any(exc for _, exc in outcome.errors)
        result = outcome.result
        # Failed subtests are recorded under a stand-in whose test_case is this test.
        return any(test is self or getattr(test, "test_case", None) is self
                   for test, _ in result.errors + result.failures)

    def tearDown(self):
        # Cleanups (session.close) run after this, so the display is still up here.
        if self._failed():
            name = re.sub(r"[^A-Za-z0-9_.-]", "_", self.id())
            path = os.path.join(self.artifacts, f"{name}.png")
            self.session.screenshot(path)
            print(f"[harness] screenshot: {path}", flush=True)
            for port, printer in self.printers.items():
                chunks = " | ".join(chunk.hex(" ") for chunk in printer.chunks())
                print(f"[harness] {port} printer received: {chunks or 'nothing'}", flush=True)
        print(f"[harness] {self.id()} took {time.monotonic() - self.started:.1f} s", flush=True)
