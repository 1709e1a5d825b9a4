#!/usr/bin/env bash
# Runs a program on an X server of its own, without a window manager:
#   onxvfb.sh WIDTHxHEIGHT [--workarea "X, Y, W, H"] -- program [args...]
# The work area is what a desktop panel leaves free (the root window's
# _NET_WORKAREA). The server picks a free display number itself, so several
# runs can go on at once.
set -euo pipefail

usage() {
  echo "usage: $0 WIDTHxHEIGHT [--workarea \"X, Y, W, H\"] -- program [args...]" >&2
  exit 2
}
[ $# -ge 3 ] || usage
screen=$1
shift
workarea=""
if [ "$1" = "--workarea" ]; then
  workarea=$2
  shift 2
fi
[ "${1:-}" = "--" ] || usage
shift

dir=$(mktemp -d)
server=""
cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

mkfifo "$dir/display"
# -noreset: the root window keeps its properties when the last client leaves.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -noreset -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
server=$!
display=""
read -r -t 30 display <"$dir/display" || true
if [ -z "$display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$dir/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$display"
if [ -n "$workarea" ]; then
  xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$workarea"
fi

set +e
"$@"
status=$?
set -e
exit $status
