#!/usr/bin/env bash
# Installs the Debian packages a command of the project needs and this machine lacks, so that
# the README's two commands are all a newcomer types. scripts/run.sh and scripts/test.sh call it
# first.
#
#   scripts/setup.sh run|test
#
# "run" takes the packages scripts/packages.txt marks run; "test" takes them all. What is missing
# is found in the package database alone, with no registry asked, so a machine that has
# everything passes at once. Only then does it install, as root or through `sudo -n`; where it
# cannot, it prints the command that would and fails before anything is built.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

case "${1:-}" in
    run) purpose="scripts/run.sh needs to build Zephra.exe and run it under Wine" ;;
    test) purpose="scripts/test.sh needs to build and test every program and the release" ;;
    *) echo "usage: scripts/setup.sh run|test" >&2; exit 2 ;;
esac
kind=$1

# The list's packages of this kind: the second word of each line that is not a comment.
mapfile -t wanted < <(awk -v kind="${kind}" \
    '$1 !~ /^#/ && NF >= 2 && (kind == "test" || $1 == kind) { print $2 }' "${here}/packages.txt")

# One look at the database: the packages installed, as name:arch, with "all" and this machine's
# own architecture also under the bare name.
native=$(dpkg --print-architecture)
installed=$(dpkg-query -W -f='${db:Status-Status} ${Package} ${Architecture}\n' 2>/dev/null |
    awk -v native="${native}" '$1 == "installed" {
        print $2 ":" $3
        if ($3 == "all" || $3 == native) print $2
    }')
missing=()
for package in "${wanted[@]}"; do
    grep -qxF -- "${package}" <<<"${installed}" || missing+=("${package}")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# A package of another architecture needs that architecture enabled first.
foreign=$(dpkg --print-foreign-architectures)
add_arch=()
for package in "${missing[@]}"; do
    case "${package}" in
        *:*)
            arch=${package#*:}
            if ! grep -qxF -- "${arch}" <<<"${foreign}" &&
                [[ " ${add_arch[*]} " != *" ${arch} "* ]]; then
                add_arch+=("${arch}")
            fi
            ;;
    esac
done

if [ "$(id -u)" = 0 ]; then
    as_root=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    as_root=(sudo -n)
else
    as_root=(none)
fi
debian=0
if [ -r /etc/os-release ] && command -v apt-get >/dev/null; then
    # shellcheck disable=SC1091
    ids=$(. /etc/os-release && echo " ${ID:-} ${ID_LIKE:-} ")
    [[ "${ids}" == *" debian "* || "${ids}" == *" ubuntu "* ]] && debian=1
fi

if [ "${as_root[*]}" = none ] || [ "${debian}" = 0 ]; then
    command=""
    for arch in "${add_arch[@]}"; do command+="sudo dpkg --add-architecture ${arch} && "; done
    command+="sudo apt-get update && sudo apt-get install -y ${missing[*]}"
    if [ "${debian}" = 0 ]; then
        echo "This machine lacks packages that ${purpose}, and it installs them only on Debian" \
            "or Ubuntu. There, the command would be:" >&2
    else
        echo "This machine lacks packages that ${purpose}, and installing them needs root" \
            "(or sudo without a password). Run this, then the command again:" >&2
    fi
    echo "    ${command}" >&2
    exit 1
fi

echo "Installing ${#missing[@]} packages that ${purpose} (once; a first time takes minutes):" \
    "${missing[*]}"
log=$(mktemp "${TMPDIR:-/tmp}/zephra-setup.XXXXXX.log")
if ! {
    for arch in "${add_arch[@]}"; do "${as_root[@]}" dpkg --add-architecture "${arch}"; done
    "${as_root[@]}" apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
} >"${log}" 2>&1; then
    tail -n 20 "${log}" >&2
    echo "The install failed; apt's whole output is in ${log}." >&2
    exit 1
fi
rm -f "${log}"
