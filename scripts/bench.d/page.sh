#!/usr/bin/env bash
# The current-generation page's pause under Wine, with the simulated printer on a pseudo-terminal:
# from the printer's last byte of a reply to the first byte of the page's next request, over
# whole reads, against the simulator's defaults and against a printer whose read replies end only
# when the line goes quiet.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null
python3 scripts/bench.d/page_figures.py build/windows
