#!/usr/bin/env bash
# Runs every fuzz target for longer than the test suite does: scripts/fuzz.sh [seconds], 600 by
# default, each target in turn on the corpus it keeps in the native-asan build tree and on its
# seeds in tests/fuzz/corpus, which it only reads. A crash stops the run and leaves its input next
# to the corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-600}"
targets=()
for source in tests/fuzz/*_fuzzer.cpp; do
    targets+=("$(basename "${source}" .cpp)")
done

cmake --preset native-asan >/dev/null
cmake --build --preset native-asan --target "${targets[@]}"

dir=build/native-asan/tests/fuzz
for target in "${targets[@]}"; do
    echo "=== ${target}: ${seconds} s"
    mkdir -p "${dir}/${target}-corpus"
    seeds=()
    [[ -d "tests/fuzz/corpus/${target}" ]] && seeds=("tests/fuzz/corpus/${target}")
    ASAN_OPTIONS=detect_leaks=0 "${dir}/${target}" -max_total_time="${seconds}" \
        -print_final_stats=1 -artifact_prefix="${dir}/${target}-" "${dir}/${target}-corpus" \
        "${seeds[@]}"
done
