#!/usr/bin/env bash
# Started without a display, or with one that does not answer, the program
# says it needs a graphical desktop and ends with status 1: no abort, and no
# core file left in the folder it was started from.
#
#   no_display_test.sh <tesselo>

set -uo pipefail
TESSELO="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

ulimit -c unlimited 2>/dev/null || true
for display in "" ":199"; do
  status=0
  (cd "$dir" && env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$TESSELO") \
    >"$dir/out" 2>"$dir/err" || status=$?
  [ "$status" -eq 1 ] || fail "DISPLAY='$display': status $status, not 1"
  grep -q "Tesselo needs a graphical desktop" "$dir/err" || fail "DISPLAY='$display': no plain message"
  [ -z "$(find "$dir" -name 'core*')" ] || fail "DISPLAY='$display': a core file was left"
done
echo "PASS: no display ends with status 1 and a plain message"
