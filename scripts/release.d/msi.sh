#!/usr/bin/env bash
# msi.sh SOURCE OUT: Zephra-<version>-win32.msi into folder OUT, from the release-windows build of
# the source tree SOURCE, by wixl. wixl stamps the summary with the clock and a random package
# code: it runs at the commit's time, frozen, and the code is then set from the version.
set -euo pipefail
. "$(dirname "$0")/common.sh"
package_setup "$1" "$2" release-windows
number=${version%%+*}

put 0755 "${build}/Zephra.exe" "${work}/Zephra.exe"
put 0755 "${build}/cli/zephra-cli.exe" "${work}/zephra-cli.exe"
windows_text "${src}/LICENSE" "${work}/LICENSE.txt"
put 0644 "${src}/res/zephra.ico" "${work}/zephra.ico"

# Every version of Zephra has this upgrade code, so a newer one finds and replaces an older one.
upgrade_code=32056D90-9598-44D9-B554-46F22C6A271D
# A code derived from a name under the upgrade code: the same name, the same code.
code() {
    python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' "${upgrade_code}" "$1"
}

msi=${out}/Zephra-${version}-win32.msi
(cd "${work}" && faketime -f "$(date -d "@${SOURCE_DATE_EPOCH}" '+%Y-%m-%d %H:%M:%S')" \
    wixl -o "${msi}" -D Version="${number}" -D FullVersion="${version}" \
    -D UpgradeCode="${upgrade_code}" -D ProductCode="$(code "product ${number}")" \
    "${src}/packaging/zephra.wxs")
msibuild "${msi}" -s "Zephra ${version}" "The Zephra developers" "Intel;1033" \
    "{$(code "package ${version}")}"
echo "${msi}"
