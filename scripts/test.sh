#!/usr/bin/env bash
# Set-up, then the whole test suite: every test in the development build (formatting included), the
# library tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each
# fuzz target built with clang.
#
# SELEKTOR_SETUP_CHECK, when set, names a program run as `$SELEKTOR_SETUP_CHECK scripts/setup.sh build/dev`
# right after the development build is configured; the tests stop when it fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset dev
if [[ -n "${SELEKTOR_SETUP_CHECK:-}" ]]; then
    "$SELEKTOR_SETUP_CHECK" scripts/setup.sh build/dev
fi
cmake --build --preset dev
ctest --preset dev
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
cmake --preset fuzz
cmake --build --preset fuzz
ctest --preset fuzz
