#!/usr/bin/env bash
# zephra-cli ports --identify of eight simulated printers on pseudo-terminals, all asked at once,
# against one identify of one printer.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset native >/dev/null
cmake --build --preset native --target zephra-cli printer-sim >/dev/null
python3 scripts/bench.d/ports_identify_figures.py build/native
