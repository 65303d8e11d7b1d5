#!/usr/bin/env bash
# Builds Zephra.exe and starts it under Wine: on the user's display when there is one, otherwise
# on a virtual display, where a screenshot shows what it looks like.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

cmake --preset windows >/dev/null
cmake --build --preset windows --target Zephra

export WINEDEBUG=-all
export WINEPREFIX="${root}/build/windows/wineprefix-run"
exe="${root}/build/windows/Zephra.exe"

xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    if [ -n "${xvfb_pid}" ]; then kill "${xvfb_pid}" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
    read -r display <&3
    xvfb_pid=$!
    export DISPLAY=":${display}"
    headless=1
    echo "No display: running on the virtual display ${DISPLAY}."
else
    headless=0
fi

if [ ! -f "${WINEPREFIX}/system.reg" ]; then
    echo "Preparing the Wine prefix (once)..."
    wineboot -i >/dev/null 2>&1
fi

if [ "${headless}" = 0 ]; then
    wine "${exe}"
    exit 0
fi

# A Wine desktop window draws the title bars that a missing window manager would.
wine explorer /desktop=Zephra,1024x768 "${exe}" &
wine_pid=$!
sleep "${ZEPHRA_RUN_SECONDS:-8}"
shot="${root}/build/windows/zephra-screenshot.png"
import -window root "${shot}"
echo "Screenshot of the running utility: ${shot}"
kill "${wine_pid}" 2>/dev/null || true
