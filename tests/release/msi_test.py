"""The Windows installer under Wine: it installs the programs and the Start-menu shortcut, the
program starts from the shortcut, the next version replaces it in place, and uninstalling takes
away every file it added.

  ZEPHRA_BUILD_DIR=build/windows ZEPHRA_UIDRIVER=build/windows/tests/e2e/uidriver.exe \\
      python3 tests/release/msi_test.py MSI NEXT_MSI
"""

import os
import re
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from harness.base import WineTestCase, program  # noqa: E402
from harness.ui import UiDriver  # noqa: E402

CAPTION = "Velmora_v7.3"
PORT, OPEN, CLOSE, SERIAL = 1156, 1143, 1124, 1159
PROGRAMS = ["LICENSE.txt", "Zephra.exe", "zephra-cli.exe"]
MSI, NEXT_MSI = (os.path.abspath(path) for path in sys.argv[1:3])
del sys.argv[1:3]


def version_of(msi):
    return re.fullmatch(r"Zephra-(.+)-win32\.msi", os.path.basename(msi)).group(1)


class MsiTest(WineTestCase):
    PORTS = ()

    def setUp(self):
        super().setUp()
        # Shortcuts must stay in the prefix, not reach this machine's desktop menus.
        self.session.env["WINEDLLOVERRIDES"] += ";winemenubuilder.exe=d"
        self.drive_c = os.path.join(self.session.prefix, "drive_c")
        self.folder = os.path.join(self.drive_c, "Program Files", "Zephra")

    def wine(self, *args):
        """Runs a Windows program to its end; returns its output."""
        proc = self.session.start(args[0], args[1:], stdin=subprocess.DEVNULL)
        out, _ = proc.communicate(timeout=120)
        self.assertEqual(proc.returncode, 0, args)
        return out.decode().strip()

    def files(self):
        return {os.path.join(folder, name)
                for folder, _, names in os.walk(self.drive_c) for name in names}

    def shortcuts(self):
        # Walked without following links: Wine links the user's folders to $HOME, which may hold
        # this checkout and so the prefix itself.
        return [os.path.join(folder, name)
                for folder, _, names in os.walk(self.drive_c) for name in names
                if name == "Zephra.lnk" and "Start Menu" in folder.split(os.sep)]

    def assert_installed(self, msi):
        self.assertEqual(sorted(os.listdir(self.folder)), PROGRAMS)
        self.assertEqual(len(self.shortcuts()), 1)
        listed = self.wine("uninstaller", "--list").splitlines()
        self.assertEqual([line.split("|||")[1] for line in listed], ["Zephra"])
        cli = r"C:\Program Files\Zephra\zephra-cli.exe"
        self.assertEqual(self.wine(cli, "--version"), version_of(msi))

    def assert_panel_shown(self, ui, dlg):
        """The installed program shows its panel, not just a window: the controls are there,
        visible and enabled, with their lists and captions."""
        for ctl in (PORT, OPEN, CLOSE, SERIAL):
            self.assertEqual(ui.state(dlg, ctl)[:2], (True, True), f"control {ctl}")
        self.assertEqual(ui.items(dlg, PORT), [f"COM{n}" for n in range(1, 21)])
        self.assertEqual((ui.text(dlg, OPEN), ui.text(dlg, CLOSE)), ("Open", "Close"))
        self.assertTrue(ui.state(dlg, SERIAL).checked)

    def test_install_start_upgrade_uninstall(self):
        before = self.files()
        self.wine("msiexec", "/i", MSI, "/qn")
        self.assert_installed(MSI)

        self.session.start("start", ["/unix", self.shortcuts()[0]], stdin=subprocess.DEVNULL)
        ui = UiDriver(self.session.start(program("ZEPHRA_UIDRIVER")))
        dlg = ui.wait(CAPTION, timeout=30)
        self.assert_panel_shown(ui, dlg)
        screenshot = os.path.join(self.artifacts, "installed-zephra.png")
        self.session.screenshot(screenshot)
        print(f"[harness] the installed program's window: {screenshot}", flush=True)
        ui.close(dlg)
        self.assertTrue(ui.gone(dlg, timeout=30))

        self.wine("msiexec", "/i", NEXT_MSI, "/qn")
        self.assert_installed(NEXT_MSI)

        self.wine("msiexec", "/x", NEXT_MSI, "/qn")
        self.assertEqual(self.files(), before)
        self.assertEqual(self.wine("uninstaller", "--list"), "")


if __name__ == "__main__":
    unittest.main()
