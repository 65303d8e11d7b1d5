#!/usr/bin/env bash
# The pre-shared key against OpenSSL's PBKDF2: with the SHA instructions where the processor has
# them, and on the portable path.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset native >/dev/null
cmake --build --preset native --target psk_bench >/dev/null
build/native/tests/page_legacy/psk_bench
