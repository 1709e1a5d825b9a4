#!/usr/bin/env bash
# Runs both fuzz targets for the given number of seconds each (default 60),
# starting from the seeds in tests/fuzz/seeds. New inputs collect in the
# build folder's corpus-* folders; a crash leaves its input there as crash-*.
# Usage: bash tests/fuzz/run.sh BUILD_DIR [SECONDS]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$1" && pwd)"
seconds="${2:-60}"

status=0
for format in tvk fac; do
  corpus="$build/corpus-$format"
  mkdir -p "$corpus"
  dict=()
  if [ -f "$here/$format.dict" ]; then
    dict=(-dict="$here/$format.dict")
  fi
  echo "fuzzing the .$format reader for ${seconds}s"
  (cd "$build" && ASAN_OPTIONS=detect_leaks=1 ./fuzz_$format "${dict[@]}" -max_total_time="$seconds" \
      -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$here/seeds/$format") \
    || status=1
done
exit $status
