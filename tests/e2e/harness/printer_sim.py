"""The simulated printer (printer-sim, a host program) serving a pty that a test maps to a COM port."""

import os
import select
import signal
import subprocess
import time

from .wine import _die_with_parent

START_TIMEOUT = 10


class PrinterSim:
    """One printer-sim process. Always call stop(); it is safe to call more than once."""

    def __init__(self, program, log_path, model="5", identify="normal", delay_ms=None,
                 options=()):
        """options: further printer-sim arguments, e.g. ("--set", "mode=0", "--silent", "R")."""
        self.log_path = log_path
        self.model, self.identify = model, identify
        args = [program, "--model", model, "--identify", identify, "--log", log_path]
        if delay_ms is not None:
            args += ["--delay", str(delay_ms)]
        args += list(options)
        self.proc = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                     start_new_session=True, preexec_fn=_die_with_parent)
        try:
            self.path = self._read_path()
        except Exception:
            self.stop()
            raise

    def _read_path(self):
        fd = self.proc.stdout.fileno()
        text = b""
        deadline = time.monotonic() + START_TIMEOUT
        while not text.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                raise TimeoutError("printer-sim did not print its pty path")
            chunk = os.read(fd, 256)
            if not chunk:
                raise RuntimeError(f"printer-sim ended (exit code {self.proc.poll()})")
            text += chunk
        path = text.decode().splitlines()[0].strip()
        if not path.startswith("/dev/"):
            raise RuntimeError(f"printer-sim printed {path!r}, not a tty path")
        return path

    def chunks(self):
        """The chunks that reached the printer so far, each as bytes, in arrival order."""
        try:
            with open(self.log_path) as log:
                lines = log.read().split("\n")
        except FileNotFoundError:
            return []
        # The last line may still be being written; only lines ending in a newline count.
        return [bytes.fromhex(line) for line in lines[:-1] if line]

    def received(self):
        return b"".join(self.chunks())

    def wait_received(self, count, timeout):
        """Everything received, as soon as it has at least count bytes or after the time-out."""
        deadline = time.monotonic() + timeout
        data = self.received()
        while len(data) < count and time.monotonic() < deadline:
            time.sleep(0.02)
            data = self.received()
        return data

    def stop(self):
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                os.killpg(self.proc.pid, signal.SIGKILL)
                self.proc.wait()
        if self.proc.stdout:
            self.proc.stdout.close()
