#!/usr/bin/env bash
# Wins a game in the real program and watches it again: resumes a saved
# game one move from the whole picture, makes that move, checks the title's
# announcement and the records database, replays the solve with Ctrl+P and
# checks the board at the replay's start and end against what the game
# showed before and after the win.
#
#   win_replay_test.sh <build dir> <near_win>

BUILD="$1"
NEAR_WIN="$2"
source "$(dirname "$0")/x_session.sh"
trap stop_all EXIT

# Pixels that differ between the board areas of two screenshots.
board_difference() {
  compare -metric AE -crop "${WW}x${boardH}+${WX}+$((WY + bar))" "$1" "$2" null: 2>&1 || true
}

start_x
make_play_dir
(cd "$PLAY" && "$NEAR_WIN") || fail "could not write the nearly won game"
open_game

screenshot "$PLAY/resumed.png"
xdotool key Left
# The win is written to the records, synced to disk, before the title
# announces it: on a busy disk that can take a while.
for _ in $(seq 50); do
  [ "$(xdotool getwindowname "$main")" = "Tesselo - New record!" ] && break
  sleep 0.1
done
sleep 0.5
screenshot "$PLAY/won.png"
[ "$(xdotool getwindowname "$main")" = "Tesselo - New record!" ] ||
  fail "the first win is not announced: title '$(xdotool getwindowname "$main")'"
records="$PLAY/tesselo-records.sqlite"
[ -f "$records" ] || fail "no records after a win"
kept="$(sqlite3 "$records" "SELECT level, style, moves FROM wins")"
[ "$kept" = "Pro|Strategy|8" ] || fail "the win is not in the records: '$kept'"
echo "win announced and kept"

# The replay starts from the resumed board, and ends on the whole picture.
xdotool key ctrl+p
sleep 0.2
screenshot "$PLAY/replay-start.png"
diff_start="$(board_difference "$PLAY/resumed.png" "$PLAY/replay-start.png")"
sleep 3.5
screenshot "$PLAY/replay-end.png"
diff_end="$(board_difference "$PLAY/won.png" "$PLAY/replay-end.png")"
echo "board pixels differing: at the replay's start $diff_start, at its end $diff_end"
[ "$diff_start" = 0 ] || fail "the replay does not start from the game's start"
[ "$diff_end" = 0 ] || fail "the replay does not end on the whole picture"
[ "$(board_difference "$PLAY/resumed.png" "$PLAY/won.png")" != 0 ] || fail "the win changed nothing on the board"

# The same solve leaves as a moving picture, with no display at all: the
# start, a few frames a move, the whole picture; the folder gains the file
# and nothing else.
before="$(cd "$PLAY" && ls)"
(cd "$PLAY" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "${TESSELO_COMMAND:-$BUILD/src/app/program/tesselo}" --export-replay 1 solve.gif 2>"$PLAY/export.err") ||
  fail "--export-replay failed: $(cat "$PLAY/export.err")"
frames="$(identify "$PLAY/solve.gif" | wc -l)"
[ "$frames" -gt 1 ] && [ $(((frames - 1) % 4)) = 0 ] || fail "the animation has $frames frames, not 1 + 4 a move"
[ "$(cd "$PLAY" && ls | grep -v '^export.err$' | grep -v '^solve.gif$')" = "$before" ] ||
  fail "--export-replay changed the folder"
echo "the solve saved as a GIF of $frames frames"
echo "PASS: a win kept in the records, replayed from its start to the whole picture, and saved as an animation"
