#!/usr/bin/env bash
# zip.sh SOURCE OUT: Zephra-<version>-win32.zip into folder OUT, from the release-windows build of
# the source tree SOURCE: the two programs, the README and the licence as Windows text files, in
# a folder Zephra-<version>. Entries sorted, without extra attributes.
set -euo pipefail
. "$(dirname "$0")/common.sh"
package_setup "$1" "$2" release-windows

top=${work}/Zephra-${version}
put 0755 "${build}/Zephra.exe" "${top}/Zephra.exe"
put 0755 "${build}/cli/zephra-cli.exe" "${top}/zephra-cli.exe"
windows_text "${src}/README.md" "${top}/README.txt"
windows_text "${src}/LICENSE" "${top}/LICENSE.txt"

zip=${out}/Zephra-${version}-win32.zip
rm -f "${zip}"
(cd "${work}" && find "Zephra-${version}" -type f | sort | zip -q -X -D "${zip}" -@)
echo "${zip}"
