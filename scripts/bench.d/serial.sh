#!/usr/bin/env bash
# Serial-link figures under Wine, with the simulated printer on a pseudo-terminal: the round
# trip from a request leaving to its reply's notification, and the CPU used with a link open
# and idle.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null
python3 scripts/bench.d/serial_figures.py build/windows
