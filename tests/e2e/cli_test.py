"""zephra-cli.exe under Wine: the console build reads a simulated printer on COM1."""

import json
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness.base import WineTestCase, program  # noqa: E402

SSID = "Lab Printer"


class CliTest(WineTestCase):
    PORTS = ()  # COM1 is served by the simulated printer

    def test_read_prints_the_printers_profile(self):
        self.start_printers(COM1=dict(model="5", options=("--set", f"ssid={SSID}")))
        cli = self.session.start(program("ZEPHRA_CLI_EXE"), ["read", "--port", "com1", "--yes"],
                                 stdin=subprocess.DEVNULL, stderr=subprocess.PIPE)
        out, err = cli.communicate(timeout=60)
        self.assertEqual(cli.returncode, 0, err.decode(errors="replace"))
        profile = json.loads(out)
        self.assertEqual(profile["family"], "current")
        self.assertEqual(profile["settings"]["ssid"], SSID)


if __name__ == "__main__":
    unittest.main(verbosity=2)
