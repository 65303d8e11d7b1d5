"""Python side of the UI driver: typed calls for the driver's one-line commands."""

from collections import namedtuple

from .repl import Repl, ReplError

State = namedtuple("State", "enabled visible checked")

IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7
VK_RETURN, VK_ESCAPE = 0x0D, 0x1B
SC_CLOSE = 0xF060


def unescape(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            out.append({"n": "\n", "r": "\r", "t": "\t"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def _split(value):
    return [unescape(item) for item in value.split("\t")] if value else []


class UiDriver:
    def __init__(self, proc):
        self.repl = Repl(proc)

    def wait(self, caption, timeout=20.0):
        """Handle of the visible top-level window with this caption."""
        return self.repl(f"wait {int(timeout * 1000)} {caption}", timeout + 10)

    def try_wait(self, caption, timeout):
        try:
            return self.wait(caption, timeout)
        except ReplError:
            return None

    def gone(self, hwnd, timeout=5.0):
        try:
            self.repl(f"gone {int(timeout * 1000)} {hwnd}", timeout + 10)
            return True
        except ReplError:
            return False

    def click(self, hwnd, ctl):
        self.repl(f"click {hwnd} {ctl}")

    def select(self, hwnd, ctl, index):
        self.repl(f"select {hwnd} {ctl} {index}")

    def set_text(self, hwnd, ctl, text):
        self.repl(f"settext {hwnd} {ctl} {text}")

    def text(self, hwnd, ctl=0):
        return unescape(self.repl(f"text {hwnd} {ctl}"))

    def items(self, hwnd, ctl):
        return _split(self.repl(f"items {hwnd} {ctl}"))

    def state(self, hwnd, ctl=0):
        """Of a control; ctl 0: of the window itself (checked is then always False)."""
        return State(*(v == "1" for v in self.repl(f"state {hwnd} {ctl}").split()))

    def client_size(self, hwnd):
        width, height = self.repl(f"client {hwnd}").split()
        return int(width), int(height)

    def children(self, hwnd):
        """[(id, class, text)] of the window's controls."""
        result = []
        for item in self.repl(f"children {hwnd}").split("\t"):
            ctl, cls, text = item.split(":", 2)
            result.append((int(ctl), unescape(cls), unescape(text)))
        return result

    def windows(self):
        """[(hwnd, class, caption)] of the process's visible top-level windows."""
        value = self.repl("windows")
        result = []
        for item in value.split("\t") if value else []:
            hwnd, cls, caption = item.split(":", 2)
            result.append((hwnd, unescape(cls), unescape(caption)))
        return result

    def message_box(self, timeout=5.0):
        """(hwnd, text) of a message box of the process, or None after the time-out."""
        try:
            value = self.repl(f"msgbox {int(timeout * 1000)}", timeout + 10)
        except ReplError:
            return None
        hwnd, _, text = value.partition(" ")
        return hwnd, unescape(text)

    def answer(self, hwnd, command=IDOK):
        self.repl(f"answer {hwnd} {command}")

    def sys_command(self, hwnd, command):
        self.repl(f"syscommand {hwnd} {command}")

    def menu(self, hwnd, command):
        self.repl(f"menu {hwnd} {command}")

    def close(self, hwnd):
        self.repl(f"close {hwnd}")

    def dacl(self, path):
        """A file's access list as SDDL, as Windows keeps it."""
        return unescape(self.repl(f"dacl {path}"))

    def key(self, hwnd, vk):
        """A key press (virtual-key code) where the window's keyboard focus is."""
        self.repl(f"key {hwnd} {vk}")
