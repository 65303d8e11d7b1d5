#!/usr/bin/env bash
# Builds every preset and runs every test level: formatting, unit and panel tests natively and
# under the sanitizers, then Zephra.exe and its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/check-format.sh

for preset in native native-asan windows; do
    echo "=== ${preset}"
    cmake --preset "${preset}" >/dev/null
    cmake --build --preset "${preset}"
    ctest --preset "${preset}"
done
