#!/usr/bin/env bash
# Makes a release of the commit checked out and writes it to dist/: the Windows installer, the
# portable zip, the Debian package and SHA256SUMS. It builds a clean clone of the commit under
# build/release/, so uncommitted changes stay out, and dates everything by the commit's time.
#
#   scripts/release.sh --check   builds the release again in a second folder, with another
#                                umask and time zone, and fails unless every program and
#                                package is the same, byte for byte
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
commit=$(git rev-parse HEAD)

# release FOLDER: clones the commit into FOLDER, builds both release presets there and packages
# them into FOLDER/dist.
release() {
    local src=$1
    rm -rf "${src}"
    git clone --quiet --no-checkout "${root}" "${src}"
    git -C "${src}" checkout --quiet --detach "${commit}"
    (
        cd "${src}"
        SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
        export SOURCE_DATE_EPOCH
        for preset in release-windows release-native; do
            cmake --preset "${preset}" >/dev/null
            cmake --build --preset "${preset}"
        done
        mkdir dist
        for package in msi zip deb; do
            "scripts/release.d/${package}.sh" . dist
        done
        (cd dist && sha256sum -- * >SHA256SUMS)
    )
}

# The files that must come out the same: the packages and the programs in them.
outputs() {
    (cd "$1" && ls dist/* build/release-windows/{Zephra.exe,cli/zephra-cli.exe} \
        build/release-native/{cli/zephra-cli,sim/printer-sim})
}

src=build/release/src other=build/release/check
release "${src}"
if [[ ${1:-} == --check ]]; then
    (umask 0077 && TZ=Pacific/Auckland release "${other}")
    differ=0
    for file in $(outputs "${src}"); do
        if ! cmp -s "${src}/${file}" "${other}/${file}"; then
            echo "differs: ${file}, $(cmp -l "${src}/${file}" "${other}/${file}" | wc -l) bytes" >&2
            differ=1
        fi
    done
    [[ ${differ} == 0 ]] || exit 1
    echo "reproducible: $(outputs "${src}" | wc -l) files the same in ${src} and ${other}"
fi

rm -rf dist
cp -r "${src}/dist" dist
echo "release of ${commit}:"
(cd dist && ls -l --time-style=+ -- *)
