#!/usr/bin/env bash
# Installs what it needs the first time (scripts/setup.sh), builds Zephra.exe and starts it under
# Wine with COM1 connected to a simulated printer, so Open shows a printer page without any
# hardware. On the user's display when there is one, otherwise on a virtual display, where a
# screenshot shows what it looks like.
#
#   scripts/run.sh [--model 3|4|5|7] [--silent-id] [--no-printer] [--screenshot FILE]
#
# --silent-id: the printer does not answer the identification, so the Wi-Fi module page comes up
# after a second (its settings are those of --model 4). --screenshot: where the virtual
# display's screenshot goes.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

model=5
identify=normal
printer=1
shot="${root}/build/windows/zephra-screenshot.png"
usage="usage: scripts/run.sh [--model 3|4|5|7] [--silent-id] [--no-printer] [--screenshot FILE]"
while [ $# -gt 0 ]; do
    case "$1" in
        --model)
            case "${2:-}" in 3|4|5|7) model="$2" ;; *) echo "${usage}" >&2; exit 2 ;; esac
            shift 2 ;;
        --silent-id) model=4; identify=silent; shift ;;
        --no-printer) printer=0; shift ;;
        --screenshot)
            [ -n "${2:-}" ] || { echo "${usage}" >&2; exit 2; }
            shot=$(realpath -m "$2"); shift 2 ;;
        *) echo "${usage}" >&2; exit 2 ;;
    esac
done

scripts/setup.sh run

echo "Building Zephra.exe and the simulated printer (minutes the first time)..."
cmake --preset windows >/dev/null
cmake --build --preset windows --target Zephra printer_sim_host uidriver >/dev/null

export WINEDEBUG=-all
export WINEPREFIX="${root}/build/windows/wineprefix-run"
exe="${root}/build/windows/Zephra.exe"
run_dir="${root}/build/windows/run"
trace="${run_dir}/zephra-trace.log"
mkdir -p "${run_dir}"

xvfb_pid=""
sim_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    if [ -n "${sim_pid}" ]; then kill "${sim_pid}" 2>/dev/null || true; fi
    if [ -n "${xvfb_pid}" ]; then kill "${xvfb_pid}" 2>/dev/null || true; fi
}
trap cleanup EXIT

headless=0
if [ -z "${DISPLAY:-}" ]; then
    exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
    xvfb_pid=$!
    read -r display <&3
    export DISPLAY=":${display}"
    headless=1
    echo "No display: running on the virtual display ${DISPLAY}."
fi

if [ ! -f "${WINEPREFIX}/system.reg" ]; then
    echo "Preparing the Wine prefix (once, about ten seconds)..."
    wineboot -i >/dev/null 2>&1
fi

# COM1 is whatever the registry maps it to; Wine reads the mapping when its server starts.
wineserver -k 2>/dev/null || true
if [ "${printer}" = 1 ]; then
    exec 4< <("${root}/build/windows/host-sim/printer-sim" --model "${model}" \
        --identify "${identify}" --log "${run_dir}/printer-sim.log")
    sim_pid=$!
    read -r tty <&4
    wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "${tty}" /f >/dev/null 2>&1
    silent=""
    [ "${identify}" = silent ] && silent=", which does not answer the identification"
    echo "Simulated printer: model '${model}'${silent}, on ${tty}, which the utility sees as COM1."
else
    wine reg delete 'HKLM\Software\Wine\Ports' /v COM1 /f >/dev/null 2>&1 || true
    echo "No simulated printer: COM1 leads nowhere."
fi
if [ "${headless}" = 1 ]; then
    # A Wine desktop window draws the title bars that a missing window manager would; every
    # program of the prefix shares it, so the UI driver below sees the utility's windows.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
else
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
fi
wineserver -k 2>/dev/null || true

# The utility writes a diagnostic line for every exchange; they go to a file, not the terminal.
echo "The window's trace lines go to ${trace}."
if [ "${headless}" = 0 ]; then
    echo "Zephra is running: choose COM1 and press Open. Close its window (or press Ctrl-C here)" \
        "to stop."
    wine "${exe}" >"${trace}" 2>&1
    exit 0
fi

wine "${exe}" >"${trace}" 2>&1 &

# Nobody can press the buttons on a virtual display: the UI driver presses Open and, once the
# printer's page shows, "Read WLAN Info", so the screenshot shows a page filled by a read.
if [ "${printer}" = 1 ]; then
    echo "Pressing Open and \"Read WLAN Info\" for you..."
    python3 "${root}/scripts/demo_drive.py" "${root}/build/windows/tests/e2e/uidriver.exe" ||
        echo "Could not press Open and Read; the screenshot shows what is there."
fi
sleep "${ZEPHRA_RUN_SECONDS:-3}"
mkdir -p "$(dirname "${shot}")"
import -window root -trim +repage "${shot}"
echo "Screenshot of the running utility: ${shot}"
echo "Stopped: on a virtual display the utility ends once its screenshot is taken."
