#!/usr/bin/env bash
# How soon apply --verify sees a printer once it has joined its network, against one second.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset native >/dev/null
cmake --build --preset native --target zephra-cli printer-sim >/dev/null
python3 scripts/bench.d/verify_latency_figures.py build/native
