"""Boots the shared base Wine prefix (a CTest fixture, so the tests do not race to boot it)."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

from harness.wine import ensure_base_prefix  # noqa: E402

if __name__ == "__main__":
    ensure_base_prefix(sys.argv[1])
