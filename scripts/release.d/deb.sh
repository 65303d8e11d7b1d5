#!/usr/bin/env bash
# deb.sh SOURCE OUT: zephra_<version>_amd64.deb into folder OUT, from the release-native build of
# the source tree SOURCE: zephra-cli and printer-sim, their man pages, the copyright file and a
# changelog, every file dated by the commit.
set -euo pipefail
. "$(dirname "$0")/common.sh"
package_setup "$1" "$2" release-native

# dpkg-shlibdeps looks for a debian/control where it runs and for the DEBIAN folder of the
# package above the programs.
mkdir "${work}/debian"
touch "${work}/debian/control"
root=${work}/zephra
doc=${root}/usr/share/doc/zephra
mkdir -p "${root}/DEBIAN" "${root}/usr/share/man/man1" "${doc}"

for program in cli/zephra-cli sim/printer-sim; do
    install -D -m 0755 "${build}/${program}" "${root}/usr/bin/${program#*/}"
    strip --remove-section=.comment --remove-section=.note --strip-unneeded \
        "${root}/usr/bin/${program#*/}"
    gzip -9n <"${src}/man/${program#*/}.1" >"${root}/usr/share/man/man1/${program#*/}.1.gz"
done

{
    echo "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
    echo "Upstream-Name: Zephra"
    echo
    echo "Files: *"
    echo "Copyright: $(sed -n 's/^Copyright (c) //p' "${src}/LICENSE")"
    echo "License: Expat"
    sed -n '/^Permission/,$ { s/^$/./; s/^/ /; p }' "${src}/LICENSE"
} >"${doc}/copyright"
{
    echo "zephra (${version}) unstable; urgency=medium"
    echo
    echo "  * Release ${version}."
    echo
    echo " -- The Zephra developers <zephra@example.org>  $(date -R -d "@${SOURCE_DATE_EPOCH}")"
} | gzip -9n >"${doc}/changelog.gz"

depends=$(cd "${work}" && dpkg-shlibdeps -O -e"${root}/usr/bin/zephra-cli" \
    -e"${root}/usr/bin/printer-sim" | sed 's/^shlibs:Depends=//')
# In KiB, each file's size rounded up, as dpkg counts it.
size=$(find "${root}/usr" -type f -printf '%s\n' |
    awk '{ k += int(($1 + 1023) / 1024) } END { print k }')
cat >"${root}/DEBIAN/control" <<CONTROL
Package: zephra
Version: ${version}
Architecture: amd64
Maintainer: The Zephra developers <zephra@example.org>
Installed-Size: ${size}
Depends: ${depends}
Section: utils
Priority: optional
Description: set up the WLAN interface of printers over a serial port
 zephra-cli identifies a printer on a serial port, reads its wireless-LAN
 settings as a profile and applies a profile to one printer or many, with the
 same requests and checks as the Zephra utility for Windows.
 .
 printer-sim serves a simulated printer on a pseudo-terminal, for training and
 for trying things without a printer.
CONTROL
(cd "${root}" && find usr -type f | sort | xargs md5sum >DEBIAN/md5sums)
date_tree "${root}"

deb=${out}/zephra_${version}_amd64.deb
# One compressor thread: xz's output depends on the number of threads.
dpkg-deb --root-owner-group -Zxz --threads-max=1 --build "${root}" "${deb}" >/dev/null
echo "${deb}"
