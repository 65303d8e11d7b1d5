#!/usr/bin/env bash
# apply --verify on 32 simulated printers that join their network a second after each save, all
# at once, against one printer alone.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset native >/dev/null
cmake --build --preset native --target zephra-cli printer-sim >/dev/null
python3 scripts/bench.d/verify_fleet_figures.py build/native
