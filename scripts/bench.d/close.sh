#!/usr/bin/env bash
# Close of the serial and USB links under Wine, with each link's reader waiting for the printer.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null
python3 scripts/bench.d/close_figures.py build/windows
