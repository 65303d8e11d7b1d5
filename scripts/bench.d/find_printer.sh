#!/usr/bin/env bash
# "Find printer..." under Wine: the window's search over eight simulated printers against the
# same search over one, that is one identification.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null
python3 scripts/bench.d/find_printer_figures.py build/windows
