#!/usr/bin/env bash
# next_msi.sh SOURCE OUT: the installer of the next version, for the upgrade test. Raises the last
# number of the project's version in the release clone SOURCE (scripts/release.sh's, already
# built), rebuilds its Windows programs and writes their installer to folder OUT.
set -euo pipefail
src=$1 out=$2
rm -rf "${out}"
perl -pi -e 's/^(project\(Zephra VERSION \d+\.\d+\.)(\d+)/$1 . ($2 + 1)/e' "${src}/CMakeLists.txt"
(cd "${src}" && cmake --build --preset release-windows >/dev/null)
mkdir "${out}"
SOURCE_DATE_EPOCH=$(git -C "${src}" log -1 --format=%ct) "${src}/scripts/release.d/msi.sh" \
    "${src}" "${out}"
