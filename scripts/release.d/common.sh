# What the packaging scripts share, sourced by each. They date every file by SOURCE_DATE_EPOCH
# (the commit's time, set by scripts/release.sh) and fix modes, time zone and order, so that the
# same commit gives the same bytes wherever and whenever it is packaged.
: "${SOURCE_DATE_EPOCH:?is the commit time, set by scripts/release.sh}"
umask 022
export TZ=UTC LC_ALL=C

# put MODE FILE DEST: copies FILE to DEST, making its folders, with MODE and the commit's time.
put() {
    install -D -m "$1" "$2" "$3"
    touch -d "@${SOURCE_DATE_EPOCH}" "$3"
}

# windows_text FILE DEST: FILE with Windows line ends, for Notepad, dated like put's copies.
windows_text() {
    mkdir -p "$(dirname "$2")"
    sed 's/$/\r/' "$1" >"$2"
    touch -d "@${SOURCE_DATE_EPOCH}" "$2"
}

# Gives every file and folder under $1 the commit's time.
date_tree() {
    find "$1" -exec touch -h -d "@${SOURCE_DATE_EPOCH}" {} +
}

# package_setup SOURCE OUT BUILD: sets src and out (absolute), build (SOURCE's build folder named
# BUILD), version (the one that build stamped) and work, a scratch folder removed on exit.
package_setup() {
    src=$(realpath "$1") out=$(realpath "$2")
    build=${src}/build/$3
    version=$(<"${build}/version.txt")
    work=$(mktemp -d)
    trap 'rm -rf "${work}"' EXIT
}
