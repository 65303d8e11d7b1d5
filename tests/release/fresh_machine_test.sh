#!/usr/bin/env bash
# fresh_machine_test.sh [--test]: the README's commands on a fresh Debian 12 machine. Makes a root
# of the base system with apt and git alone (mmdebstrap, from this machine's package sources),
# clones the commit checked out into it, and inside it, as a newcomer would with no display, runs
# scripts/run.sh and checks that its screenshot is saved; with --test, then scripts/test.sh. Prints
# each command's time. As root; minutes, so it is not part of scripts/test.sh.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
also_test=0
[ "${1:-}" = --test ] && also_test=1

root=$(mktemp -d /var/tmp/zephra-fresh.XXXXXX)
cleanup() {
    # Whatever still runs inside (a Wine server, a display) holds the mounts.
    for proc in /proc/[0-9]*; do
        [ "$(readlink "${proc}/root" 2>/dev/null)" = "${root}" ] && kill -9 "${proc#/proc/}" 2>/dev/null
    done
    sleep 1
    # The binds, and whatever the tests mounted inside (network namespaces), deepest first.
    findmnt -rn -o TARGET | { grep "^${root}/" || true; } | sort -r | while read -r mount; do
        umount -l "${mount}"
    done
    # Never remove what a mount that failed to go still shows of this machine.
    if findmnt -rn -o TARGET | grep -q "^${root}/"; then
        echo "left ${root} in place: something is still mounted there" >&2
    else
        rm -rf --one-file-system "${root}"
    fi
}
trap cleanup EXIT

sources=()
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -s "${file}" ] && sources+=("${file}")
done
echo "=== a fresh Debian 12 root in ${root}"
mmdebstrap --quiet --variant=apt --include=git,ca-certificates bookworm "${root}" "${sources[@]}"
cp /etc/resolv.conf "${root}/etc/resolv.conf"
git clone --quiet --no-local "${src}" "${root}/root/zephra"
git -C "${root}/root/zephra" checkout --quiet "$(git -C "${src}" rev-parse HEAD)"

mount -t proc proc "${root}/proc"
mount --rbind /sys "${root}/sys" && mount --make-rslave "${root}/sys"
mount --rbind /dev "${root}/dev" && mount --make-rslave "${root}/dev"
mountpoint -q "${root}/dev/pts" || mount --bind /dev/pts "${root}/dev/pts"

inside() {  # inside COMMAND: in the fresh root, with a newcomer's clean environment
    chroot "${root}" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 TERM=dumb bash -c "cd /root/zephra && $1"
}

echo "=== scripts/run.sh"
start=${SECONDS}
inside "scripts/run.sh" 2>&1 | tee "${root}/run.log"
echo "scripts/run.sh took $((SECONDS - start)) s"
shot="${root}/root/zephra/build/windows/zephra-screenshot.png"
if [ ! -s "${shot}" ] || ! grep -q "^Screenshot of the running utility: " "${root}/run.log"; then
    echo "FAIL: scripts/run.sh saved no screenshot" >&2
    exit 1
fi
cp "${shot}" "${src}/build/fresh-machine-screenshot.png" 2>/dev/null || true

if [ "${also_test}" = 1 ]; then
    echo "=== scripts/test.sh"
    start=${SECONDS}
    inside "scripts/test.sh"
    echo "scripts/test.sh took $((SECONDS - start)) s"
fi
echo "fresh machine: 1 passed, 0 failed"
