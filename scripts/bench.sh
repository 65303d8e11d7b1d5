#!/usr/bin/env bash
# Benchmarks, not tests: runs every figure script in scripts/bench.d in name order. Each prints
# lines "BENCH <name> ours=<value> <unit> peer=<value> <unit> ratio=<ours/peer>".
set -euo pipefail
cd "$(dirname "$0")/.."

for figure in scripts/bench.d/*.sh; do
    [ -e "${figure}" ] || continue
    bash "${figure}"
done
