#!/usr/bin/env bash
# deb_test.sh DEB: lintian finds no error in the Debian package; it installs on this machine (as
# root, or through sudo), its programs print the version, zephra-cli identifies the installed
# printer-sim on a pseudo-terminal, the man page renders, and removing it takes every file away.
set -euo pipefail
deb=$(realpath "$1")
version=$(dpkg-deb --field "${deb}" Version)
as_root=()
[[ $(id -u) == 0 ]] || as_root=(sudo -n)

# expect WHAT ACTUAL EXPECTED
expect() {
    [[ $2 == "$3" ]] || { echo "deb: $1 is '$2', not '$3'" >&2; exit 1; }
}

lintian --fail-on error "${deb}"

# Checkouts on one machine take turns: they install the same package.
exec 9>/tmp/zephra-deb-test.lock
flock 9
# Minimal images leave man pages out of every install; this one is under test.
"${as_root[@]}" dpkg --path-include='/usr/share/man/*' -i "${deb}" >/dev/null
trap 'kill ${sim_PID:-} 2>/dev/null; "${as_root[@]}" dpkg -r zephra >/dev/null' EXIT
files=()
for path in $(dpkg -L zephra); do
    [[ ! -f ${path} ]] || files+=("${path}")
done

expect "zephra-cli --version" "$(/usr/bin/zephra-cli --version)" "${version}"
expect "printer-sim --version" "$(/usr/bin/printer-sim --version)" "${version}"
coproc sim { exec /usr/bin/printer-sim --model 5; }
read -r -t 10 pty <&"${sim[0]}"
expect "zephra-cli identify" "$(timeout 60 /usr/bin/zephra-cli identify --port "${pty}")" \
    "current 5"
synopsis=$(MANWIDTH=80 man zephra-cli | grep -m1 -o 'zephra-cli identify --port DEVICE')
expect "man zephra-cli's first line of synopsis" "${synopsis}" "zephra-cli identify --port DEVICE"

trap - EXIT
kill "${sim_PID}"
"${as_root[@]}" dpkg -r zephra >/dev/null
for path in "${files[@]}"; do
    expect "after removal, ${path}" "$(ls "${path}" 2>/dev/null)" ""
done
echo "deb: installed, ran and removed ${#files[@]} files; lintian found no error"
