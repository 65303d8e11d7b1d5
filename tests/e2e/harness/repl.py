"""Talks to a line-based command program (serial probe, UI driver) running under Wine."""

import os
import select
import time


class ReplError(Exception):
    pass


class Repl:
    """One command line out, one reply line back: "ok VALUE" or "err REASON"."""

    def __init__(self, proc, start_timeout=30):
        self.proc = proc
        self.fd = proc.stdout.fileno()
        self.buffer = b""
        self.start_timeout = start_timeout
        self.started = False

    def _readline(self, timeout):
        deadline = time.monotonic() + timeout
        while b"\n" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.fd], [], [], left)[0]:
                raise TimeoutError("no reply within %.1f s" % timeout)
            chunk = os.read(self.fd, 65536)
            if not chunk:
                raise ReplError("program ended (exit code %s)" % self.proc.poll())
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        return line.decode("utf-8").rstrip("\r")

    def raw(self, line, timeout=10):
        """Sends a command and returns the whole reply line."""
        self.proc.stdin.write((line + "\n").encode("utf-8"))
        self.proc.stdin.flush()
        # The first reply also waits for Wine to start the program.
        if not self.started:
            timeout += self.start_timeout
            self.started = True
        return self._readline(timeout)

    def __call__(self, line, timeout=10):
        """Sends a command; returns the value of an "ok" reply, raises ReplError on "err"."""
        reply = self.raw(line, timeout)
        if reply == "ok":
            return ""
        if reply.startswith("ok "):
            return reply[3:]
        raise ReplError(f"{line!r} -> {reply!r}")
