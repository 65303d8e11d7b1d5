#!/usr/bin/env bash
# scripts/setup.sh against package databases of its own (dpkg honours DPKG_ADMINDIR), with apt-get,
# sudo and cmake replaced by stubs that record their calls: it installs exactly what is missing
# for the command that asks, nothing when nothing is, and without root or sudo it stops with the
# install command before anything is built.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "${work}"' EXIT
chmod 755 "${work}"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "${work}/stubs"
for stub in apt-get cmake; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n' "${stub}" "${work}" >"${work}/stubs/${stub}"
done
printf '#!/bin/sh\nexit 1\n' >"${work}/stubs/sudo"  # sudo that wants a password
chmod 755 "${work}/stubs/"*
native=$(dpkg --print-architecture)

# A package database holding every listed package but those named, with the foreign
# architectures given.
database() {  # database ARCHS [MISSING...]
    local archs=$1
    shift
    rm -rf "${work}/db" "${work}/calls"
    mkdir -p "${work}/db/info" "${work}/db/updates"
    printf '%s\n' ${archs} >"${work}/db/arch"
    awk '$1 !~ /^#/ && NF >= 2 { print $2 }' "${src}/scripts/packages.txt" | while read -r package; do
        for gone in "$@"; do [ "${package}" = "${gone}" ] && continue 2; done
        name=${package%%:*}
        arch=${native}
        [ "${name}" != "${package}" ] && arch=${package#*:}
        printf 'Package: %s\nStatus: install ok installed\nArchitecture: %s\nVersion: 1\n\n' \
            "${name}" "${arch}"
    done >"${work}/db/status"
    chmod -R a+rX "${work}/db"
}

setup() {  # setup KIND: runs it with the stubs; sets out and rc
    rc=0
    out=$(PATH="${work}/stubs:${PATH}" DPKG_ADMINDIR="${work}/db" "${src}/scripts/setup.sh" "$1" \
        2>&1) || rc=$?
}

calls() { cat "${work}/calls" 2>/dev/null || true; }

# kind, the database's foreign architectures, the packages it lacks; then the apt-get install
# expected ("" for none) and whether i386 is enabled first.
while IFS='|' read -r kind archs gone expected arch_added; do
    # shellcheck disable=SC2086
    database "${archs}" ${gone}
    setup "${kind}"
    [ "${rc}" = 0 ] || fail "${kind} without ${gone:-nothing}: exit ${rc}: ${out}"
    installs=$(calls | sed -n 's/^apt-get install -y -q //p')
    [ "${installs}" = "${expected}" ] ||
        fail "${kind} without ${gone:-nothing}: installed '${installs}', not '${expected}'"
    grep -qxF i386 "${work}/db/arch" || [ "${arch_added}" = no ] ||
        fail "${kind} without ${gone}: i386 not enabled"
    if [ -z "${expected}" ]; then
        [ -z "$(calls)" ] || fail "${kind} with nothing missing called: $(calls)"
        [ -z "${out}" ] || fail "${kind} with nothing missing said: ${out}"
    else
        [ "$(calls | head -n1)" = "apt-get update -q" ] || fail "no apt-get update first"
        [ "$(wc -l <<<"${out}")" = 1 ] || fail "more than one line: ${out}"
        [[ "${out}" == *"${expected}"* ]] || fail "the line does not name ${expected}: ${out}"
    fi
done <<'TABLE'
run|i386|||no
test|i386|||no
run|i386|xvfb|xvfb|no
test|i386|xvfb lintian|xvfb lintian|no
run|i386|lintian||no
run||wine32:i386|wine32:i386|yes
TABLE

# Without root and without sudo: the install command, exit non-zero, and no build.
if [ "$(id -u)" = 0 ]; then
    database "" xvfb wine32:i386 lintian
    # A copy of the scripts that user can read, wherever the checkout lies.
    mkdir -p "${work}/checkout/scripts"
    cp "${src}/scripts/run.sh" "${src}/scripts/setup.sh" "${src}/scripts/packages.txt" \
        "${work}/checkout/scripts/"
    chmod -R a+rX "${work}/checkout"
    rc=0
    out=$(setpriv --reuid=65534 --regid=65534 --clear-groups \
        env PATH="${work}/stubs:${PATH}" DPKG_ADMINDIR="${work}/db" HOME="${work}" \
        "${work}/checkout/scripts/run.sh" 2>&1) || rc=$?
    [ "${rc}" != 0 ] || fail "run.sh without root went on"
    command="sudo dpkg --add-architecture i386 && sudo apt-get update && sudo apt-get install -y wine32:i386 xvfb"
    [[ "${out}" == *"    ${command}"* ]] || fail "run.sh without root did not give '${command}': ${out}"
    [ -z "$(calls)" ] || fail "run.sh without root called: $(calls)"
else
    echo "skipped: without root and sudo (the test needs root to become another user)"
fi

echo "setup: ${failures} failed"
[ "${failures}" = 0 ]
