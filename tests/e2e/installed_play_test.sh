#!/usr/bin/env bash
# The installed game as a player meets it: installed into a scratch prefix
# and started through its tesselo command, with a fresh HOME, from an empty
# folder, through the same play as play_test.sh. The game must play in the
# player's folder, save there and resume from there, and leave the folder
# it was started from empty.
#
#   installed_play_test.sh <build dir> <wm_close>
set -euo pipefail
BUILD="$1"

fail() { echo "FAIL: $*" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cmake --install "$BUILD" --prefix "$work/prefix" >/dev/null
share="$work/prefix/share/tesselo"
mkdir "$work/home" "$work/start"
unset XDG_DATA_HOME
export HOME="$work/home" KEEP_PLAY=1
export TESSELO_COMMAND="$work/prefix/bin/tesselo" START_DIR="$work/start" PLAY="$work/home/.local/share/tesselo"

bash "$(dirname "$0")/play_test.sh" "$@"

diff -r "$share/Pictures" "$PLAY/Pictures" || fail "the player's folder lacks the sample pictures"
for f in "$share"/*.wav "$share/Attributions.txt"; do
  cmp -s "$f" "$PLAY/${f##*/}" || fail "the player's folder lacks ${f##*/}"
done
[ -z "$(ls -A "$work/start")" ] || fail "the starting folder was written to: $(ls -A "$work/start")"
echo "PASS: the installed command played, saved and resumed in $PLAY"
