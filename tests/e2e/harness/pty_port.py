"""A pseudo-terminal that stands in for a printer on a COM port."""

import os
import select
import termios
import time
import tty

_SPEEDS = {
    getattr(termios, name): int(name[1:])
    for name in dir(termios)
    if name.startswith("B") and name[1:].isdigit()
}
_SIZES = {termios.CS5: 5, termios.CS6: 6, termios.CS7: 7, termios.CS8: 8}


class PtyPort:
    """Holds both ends of a raw pty: the program opens the slave by its path, the test talks
    through the master. Holding the slave keeps its termios between the program's opens."""

    def __init__(self):
        self.master, self.slave = os.openpty()
        tty.setraw(self.slave)
        self.path = os.ttyname(self.slave)
        os.set_blocking(self.master, False)

    def close(self):
        for fd in (self.master, self.slave):
            try:
                os.close(fd)
            except OSError:
                pass

    def write(self, data: bytes):
        view = memoryview(data)
        deadline = time.monotonic() + 5
        while view:
            select.select([], [self.master], [], max(0, deadline - time.monotonic()))
            n = os.write(self.master, view)
            view = view[n:]
            if time.monotonic() > deadline:
                raise TimeoutError("pty write stalled")

    def write_paced(self, data: bytes, baud: int, bits_per_byte: int = 10) -> float:
        """Writes byte by byte, each when it would have finished on a line at this baud rate.
        Returns the longest pause between two bytes, which a busy machine can stretch."""
        byte_time = bits_per_byte / baud
        start = last = time.monotonic()
        longest = 0.0
        for i in range(len(data)):
            time.sleep(max(0.0, start + i * byte_time - time.monotonic()))
            self.write(data[i:i + 1])
            now = time.monotonic()
            longest, last = max(longest, now - last), now
        return longest

    def read_for(self, seconds: float) -> bytes:
        """Everything that arrives within the given time."""
        return self._read(seconds, None)

    def read_exact(self, count: int, timeout: float) -> bytes:
        """Returns as soon as count bytes arrived, or what came before the time-out."""
        return self._read(timeout, count)

    def _read(self, seconds, count):
        data = bytearray()
        deadline = time.monotonic() + seconds
        while count is None or len(data) < count:
            left = deadline - time.monotonic()
            if left <= 0:
                break
            ready, _, _ = select.select([self.master], [], [], left)
            if not ready:
                continue
            try:
                chunk = os.read(self.master, 4096)
            except (BlockingIOError, InterruptedError):
                continue
            except OSError:  # EIO: no process holds the slave
                break
            data += chunk
        return bytes(data)

    def drain(self):
        self.read_for(0.05)

    def line_settings(self) -> dict:
        """Baud rate, parity, stop bits and data bits as the program set them on the slave
        (a pty master reports its slave's termios). Data bits always read 8 on a pty."""
        iflag, _, cflag, _, _, ospeed, _ = termios.tcgetattr(self.master)
        # The pty driver clears PARENB (and forces CS8) on every tcsetattr, but keeps PARODD
        # and the input parity check that is switched on together with parity.
        if cflag & termios.PARENB or iflag & termios.INPCK:
            parity = "odd" if cflag & termios.PARODD else "even"
        else:
            parity = "none"
        return {
            "baud": _SPEEDS.get(ospeed, -1),
            "parity": parity,
            "stop_bits": 2 if cflag & termios.CSTOPB else 1,
            "data_bits": _SIZES.get(cflag & termios.CSIZE, -1),
        }
