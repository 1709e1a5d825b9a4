#!/usr/bin/env bash
# Installs what is missing, builds the debug and the sanitizer builds, and
# runs every test of both: the debug build's under the C library's locale of
# a Spanish desktop (es_ES.UTF-8), the sanitizer build's under C.UTF-8. The
# exit code is the tests'.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
bash scripts/spanish-locale.sh

jobs=$(nproc)
status=0

summary=$(mktemp)
trap 'rm -f "$summary"' EXIT

cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default 2>&1 | tee -a "$summary" || status=1

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan 2>&1 | tee -a "$summary" || status=1

# The two project-file readers under libFuzzer (clang, a build of its own),
# about a minute each.
if cmake -S tests/fuzz -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    && cmake --build build/fuzz -j "$jobs"; then
  bash tests/fuzz/run.sh build/fuzz 60 || status=1
else
  status=1
fi

# The two test runs' closing lines again, after the fuzzers' output.
echo
echo "Debug and sanitizer builds:"
grep -E 'tests passed|tests failed' "$summary" || true
exit $status
