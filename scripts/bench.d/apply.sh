#!/usr/bin/env bash
# A whole native apply of a current-generation profile (identification, read, save and read-back)
# against the simulated printer at 57600 baud, against the line's own floor for the same exchange.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset native >/dev/null
cmake --build --preset native --target zephra-cli printer-sim >/dev/null
python3 scripts/bench.d/apply_figures.py build/native
