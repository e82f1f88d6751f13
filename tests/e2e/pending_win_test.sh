#!/usr/bin/env bash
# A win the records cannot take outlives the game. Another program holds
# the records file (BEGIN EXCLUSIVE) while a game is solved with Shift+H:
# the game says the win is kept, and it is, in the pending file beside the
# records. Once the lock is gone, SIGTERM (a session that ends) writes it
# before the game ends. Held again, a win survives even SIGKILL in the
# pending file, and the next start writes it.
#
#   pending_win_test.sh <build dir> <near_win>

BUILD="$1"
NEAR_WIN="$2"
source "$(dirname "$0")/x_session.sh"
trap 'kill "${LOCK_PID:-}" 2>/dev/null || true; stop_all' EXIT

records() { sqlite3 "$PLAY/tesselo-records.sqlite" "SELECT count(*) FROM wins"; }
pending="tesselo-records-pending.json"

# Holds the records for `$1` seconds from another process.
hold_records() {
  (echo "BEGIN EXCLUSIVE;"; sleep "$1"; echo "COMMIT;") | sqlite3 "$PLAY/tesselo-records.sqlite" &
  LOCK_PID=$!
  sleep 0.5
}

# A new game solved by the game: a win with help.
solve_new_game() {
  click_at 0 "WX + WW / 10" "WY + bar / 2" # New Game
  sleep 2                                  # par and plan, worked out in the background
  xdotool key shift+h
}

# Waits for the message that the win could not be written: a second window
# named Tesselo over the game's.
wait_message() {
  for _ in $(seq 1 300); do
    [ "$(xdotool search --onlyvisible --name '^Tesselo$' 2>/dev/null | wc -l)" -ge 2 ] && return 0
    sleep 0.1
  done
  fail "no message that the win could not be written"
}

start_x
make_play_dir
(cd "$PLAY" && "$NEAR_WIN") || fail "could not write the nearly won game"
open_game
xdotool key Left
for _ in $(seq 50); do
  [ "$(records 2>/dev/null)" = 1 ] && break
  sleep 0.1
done
[ "$(records)" = 1 ] || fail "the first win was not kept"

hold_records 12
solve_new_game
wait_message
[ -f "$PLAY/$pending" ] || fail "the win held out is not in the pending file"
grep -q '"assisted"' "$PLAY/$pending" || fail "the pending file holds no win"
echo "the win held out waits in the pending file"
xdotool key Return
wait "$LOCK_PID"
kill -TERM "$GAME_PID"
for _ in $(seq 1 100); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$GAME_PID" 2>/dev/null && fail "SIGTERM did not end the game"
status=0
wait "$GAME_PID" || status=$?
[ "$status" -eq 0 ] || fail "SIGTERM ended the game with status $status"
GAME_PID=""
[ "$(records)" = 2 ] || fail "SIGTERM did not write the waiting win: $(records) wins"
[ -f "$PLAY/$pending" ] && fail "the written win is still in the pending file"
echo "SIGTERM wrote the waiting win"

open_game
hold_records 30
solve_new_game
wait_message
[ -f "$PLAY/$pending" ] || fail "the second win held out is not in the pending file"
kill -KILL "$GAME_PID"
wait "$GAME_PID" 2>/dev/null || true
GAME_PID=""
kill "$LOCK_PID"
wait "$LOCK_PID" 2>/dev/null || true
[ "$(records)" = 2 ] || fail "the lock kept nothing out"
open_game
for _ in $(seq 1 50); do
  [ "$(records)" = 3 ] && break
  sleep 0.1
done
[ "$(records)" = 3 ] || fail "the next start did not write the win of the killed game: $(records) wins"
[ -f "$PLAY/$pending" ] && fail "the win of the killed game is still in the pending file"
echo "the win of a killed game went in at the next start"

# Killed two seconds after the win, long before the database gives up
# waiting for the lock: the win is in the pending file already, and the
# export and the next start list it once.
hold_records 12
solve_new_game
sleep 2
kill -KILL "$GAME_PID"
wait "$GAME_PID" 2>/dev/null || true
GAME_PID=""
[ -f "$PLAY/$pending" ] || fail "two seconds after the win, while the records were locked, it was in no file"
kill "$LOCK_PID"
wait "$LOCK_PID" 2>/dev/null || true
exported=$(cd "$PLAY" && "$BUILD/src/app/program/tesselo" --export-records | grep -c '"assisted":[1-9]')
[ "$exported" = 3 ] || fail "the export lists $exported wins with help, not 3"
open_game
for _ in $(seq 1 50); do
  [ "$(records)" = 4 ] && break
  sleep 0.1
done
[ "$(records)" = 4 ] || fail "the next start did not write the win killed two seconds after it: $(records) wins"
[ -f "$PLAY/$pending" ] && fail "the win killed two seconds after it is still in the pending file"
echo "PASS: a win held out waits in the pending file from the moment it is won, and goes in on SIGTERM or at the next start after SIGKILL"
