#!/usr/bin/env bash
# Installs what is missing, builds the release program and starts it with
# the catalogue that ships beside it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
exec build/release/bin/tenvik "$@"
