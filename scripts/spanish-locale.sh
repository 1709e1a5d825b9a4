#!/usr/bin/env bash
# Makes sure the C library has the locale of a Spanish desktop, es_ES.UTF-8,
# which the debug build's tests run under. Fails when it cannot be made.
set -euo pipefail

has_locale() { locale -a 2>/dev/null | grep -qix 'es_ES\.utf-\?8'; }

has_locale && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

echo "Making the C library's locale es_ES.UTF-8"
if command -v localedef >/dev/null 2>&1; then
  $sudo localedef -i es_ES -c -f UTF-8 es_ES.UTF-8 || true
fi
if ! has_locale && command -v locale-gen >/dev/null 2>&1; then
  if [ -f /etc/locale.gen ]; then
    $sudo sed -i 's/^# *\(es_ES.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^es_ES.UTF-8 UTF-8' /etc/locale.gen || echo 'es_ES.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen
fi

if ! has_locale; then
  echo "error: the C library has no locale es_ES.UTF-8 and it could not be made" \
       "(Debian's 'locales' package brings localedef and locale-gen)" >&2
  exit 1
fi
