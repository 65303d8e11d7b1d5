#!/usr/bin/env bash
# Whole native applies of a current-generation profile (identification, read, save and read-back)
# against simulated printers at 57600 baud: one printer against the line's own floor for the same
# exchange, and eight printers at once against one.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset native >/dev/null
cmake --build --preset native --target zephra-cli printer-sim >/dev/null
python3 scripts/bench.d/apply_figures.py build/native
