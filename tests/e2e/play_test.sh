#!/usr/bin/env bash
# Plays the real program under a private X server: answers the title card,
# starts a game, drags a row, slides with the keys, undoes and redoes,
# checks the screen, closes the window as a window manager would, and
# checks the saved game and its history. Then starts it again,
# kills it with the window open, and checks that the saved game survived
# and that a third start resumes it.
#
#   play_test.sh <build dir> <wm_close>

BUILD="$1"
WM_CLOSE="$2"
source "$(dirname "$0")/x_session.sh"
trap stop_all EXIT

# The yellow selection frame: pixels of exactly #FFFF00 in a region.
yellow_pixels() {
  convert "$1" -crop "$2" +repage -alpha off -fill white -opaque "#FFFF00" \
    -fill black +opaque white -format "%[fx:int(mean*w*h+0.5)]" info:
}

# Looks at the board until the selection frame shows, for up to ten seconds:
# a slow machine paints late. Sets frame to the count of its pixels.
wait_for_frame() {
  local i
  for i in $(seq 1 20); do
    screenshot "$1"
    frame="$(yellow_pixels "$1" "${WW}x${boardH}+${WX}+$((WY + bar))")"
    [ "$frame" -gt 100 ] && return 0
    sleep 0.5
  done
  echo "window ${WW}x${WH} at ${WX},${WY}; frame pixels: $frame" >&2
  return 1
}

start_x
make_play_dir
open_game

screenshot "$PLAY/before.png"
[ "$(yellow_pixels "$PLAY/before.png" "${WW}x${boardH}+${WX}+$((WY + bar))")" -eq 0 ] ||
  fail "the board shows a selection frame before any game"

click_at 0 "WX + WW / 10" "WY + bar / 2"        # New Game
cw=$((WW / 3))
drag $((WX + cw / 2)) $((WY + bar + boardH / 4)) $((WX + cw / 2 + cw)) $((WY + bar + boardH / 4 + 3))

wait_for_frame "$PLAY/after.png" || fail "no scrambled board with its selection frame on screen"
echo "selection frame pixels: $frame"
cp "$PLAY/after.png" "${E2E_SHOT:-/dev/null}" 2>/dev/null || true

# Two slides with the keys, both taken back, one made again: two moves.
for k in Right Down ctrl+z ctrl+z ctrl+y; do
  xdotool key "$k"
  sleep 0.2
done

"$WM_CLOSE" "$main" || fail "could not send the close request"
for _ in $(seq 1 100); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not end after the close request"
wait "$GAME_PID" || fail "the game exited with an error"
GAME_PID=""

[ -f "$PLAY/tesselo.dat" ] || fail "no tesselo.dat after closing"
size=$(stat -c %s "$PLAY/tesselo.dat")
[ "$size" -eq 1217 ] || fail "tesselo.dat is $size bytes, not 1217"
state=$(od -An -t d4 -j 12 -N 4 "$PLAY/tesselo.dat" | tr -d ' ')
moves=$(od -An -t d4 -j 20 -N 4 "$PLAY/tesselo.dat" | tr -d ' ')
[ "$state" -eq 1 ] || fail "the saved game is not in play (state $state)"
[ "$moves" -eq 2 ] || fail "the saved game counts $moves moves, not 2"
history="$PLAY/tesselo-history.json"
[ -f "$history" ] || fail "no history beside the saved game"
grep -q '"position":2' "$history" || fail "the history does not stand at move 2: $(cat "$history")"
[ "$(grep -o '\[[01],[0-9-]*,[0-9-]*,[0-9]*,[0-9]*,[0-9]*,[0-9]*\]' "$history" | wc -l)" -eq 3 ] ||
  fail "the history does not hold the three moves made: $(cat "$history")"
echo "saved game in play after 2 moves, its history with a move to redo"

# Killed with the window open, after another move: the game only writes at
# close, so the file on disk is the one from before.
cp "$PLAY/tesselo.dat" "$PLAY/saved.copy"
open_game
drag $((WX + WW / 6)) $((WY + bar + boardH / 4)) $((WX + WW / 6)) $((WY + bar + boardH * 3 / 4))
kill -KILL "$GAME_PID"
wait "$GAME_PID" 2>/dev/null || true
GAME_PID=""
cmp -s "$PLAY/tesselo.dat" "$PLAY/saved.copy" || fail "a killed game changed tesselo.dat"

# The next start reads it: the game is back in play, frame and all, before
# anything is pressed.
open_game
wait_for_frame "$PLAY/resumed.png" || fail "the game after a kill did not resume the saved one"
echo "selection frame pixels after the restart: $frame"
echo "PASS: saved game in play after 2 moves with its history, intact after a kill, resumed"
