#!/usr/bin/env bash
# zip.sh SOURCE OUT: Zephra-<version>-win32.zip into folder OUT, from the release-windows build of
# the source tree SOURCE: the two programs, the README and the licence as Windows text files, in
# a folder Zephra-<version>. Entries sorted, without extra attributes.
set -euo pipefail
. "$(dirname "$0")/common.sh"
src=$(realpath "$1") out=$(realpath "$2")
build=${src}/build/release-windows
version=$(<"${build}/version.txt")

stage=$(mktemp -d)
trap 'rm -rf "${stage}"' EXIT
top=${stage}/Zephra-${version}
put 0755 "${build}/Zephra.exe" "${top}/Zephra.exe"
put 0755 "${build}/cli/zephra-cli.exe" "${top}/zephra-cli.exe"
windows_text "${src}/README.md" "${top}/README.txt"
windows_text "${src}/LICENSE" "${top}/LICENSE.txt"

zip=${out}/Zephra-${version}-win32.zip
rm -f "${zip}"
(cd "${stage}" && find "Zephra-${version}" -type f | sort | zip -q -X -D "${zip}" -@)
echo "${zip}"
