#!/usr/bin/env bash
# Installs what is missing, builds the debug and the sanitizer builds, and
# runs every test of both. The exit code is the tests'.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

jobs=$(nproc)
status=0

cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default || status=1

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan || status=1

exit $status
