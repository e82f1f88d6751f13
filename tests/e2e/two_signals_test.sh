#!/usr/bin/env bash
# Two Ctrl+C 5 ms apart while a game with a long history is saved: the
# second waits for the save, so the saved game and its history still agree
# at the next start, and the program ends all the same.
#
#   two_signals_test.sh <build dir> <long_history>

BUILD="$1"
HELPER="$2"
source "$(dirname "$0")/x_session.sh"
trap stop_all EXIT

# On a RAM disk the sync of each file costs nothing, so the first file is
# surely written within the 5 ms: the second signal meets the save between
# the two files, where it used to cut the save in two.
start_x
if [ -d /dev/shm ] && [ -w /dev/shm ]; then TMPDIR=/dev/shm make_play_dir; else make_play_dir; fi
(cd "$PLAY" && "$HELPER" write) || fail "could not write the game and its history"
open_game
# One move, so that the save has something new to write.
xdotool key Right
sleep 0.3

"$HELPER" signal "$GAME_PID" || fail "could not signal the game"
for _ in $(seq 1 100); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$GAME_PID" 2>/dev/null && fail "two SIGINTs did not end the game within 10 s"
wait "$GAME_PID" || true
GAME_PID=""

(cd "$PLAY" && "$HELPER" check) || fail "the saved game and its history no longer agree"
echo "PASS: two SIGINTs 5 ms apart left a saved game and a history that agree"
