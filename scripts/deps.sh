#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and run Tenvik.
# Only packages that are missing are installed; apt-get update runs only then.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6svg6 libqt6opengl6-dev qt6-translations-l10n
  libxkbcommon-dev
  libsqlite3-dev sqlite3
  nlohmann-json3-dev
  libhpdf-dev zlib1g-dev libfontconfig-dev fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  poppler-utils xvfb xauth x11-utils
  libcups2-dev cups-daemon cups-client cups-ipp-utils
  locales
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
