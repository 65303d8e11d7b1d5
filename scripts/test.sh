#!/usr/bin/env bash
# Installs the packages it needs the first time (scripts/setup.sh), then builds every preset and
# runs every test level: formatting, unit and panel tests natively and under the sanitizers, then
# Zephra.exe and its tests under Wine; then makes a release of the commit and tests its Debian
# package on this machine and its installer under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh test
scripts/check-format.sh

# Each stage's heading says how long the run has taken so far, so a slow stage shows in the log.
for preset in native native-asan windows; do
    echo "=== ${preset} (${SECONDS} s in)"
    cmake --preset "${preset}" >/dev/null
    cmake --build --preset "${preset}"
    ctest --preset "${preset}"
done

echo "=== release (${SECONDS} s in)"
scripts/release.sh --check
tests/release/deb_test.sh dist/zephra_*_amd64.deb
tests/release/next_msi.sh build/release/src build/release/next
ZEPHRA_BUILD_DIR=$PWD/build/windows ZEPHRA_UIDRIVER=$PWD/build/windows/tests/e2e/uidriver.exe \
    python3 tests/release/msi_test.py dist/Zephra-*-win32.msi build/release/next/Zephra-*-win32.msi
echo "=== passed in ${SECONDS} s"
