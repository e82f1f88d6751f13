#!/usr/bin/env bash
# Ends the real program with the signals a desktop session, a terminal and
# Ctrl+C send: on the title card nothing is written; with a game in play
# the move is saved and the program ends within seconds, also with a
# dialog open over the game window.
#
#   signal_test.sh <build dir>

BUILD="$1"
source "$(dirname "$0")/x_session.sh"
trap stop_all EXIT

# Sends a signal and waits up to five seconds for the game to end with
# status 0.
end_with() {
  kill "-$1" "$GAME_PID"
  local status=0
  for _ in $(seq 1 50); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$GAME_PID" 2>/dev/null && fail "SIG$1 did not end the game within 5 s"
  wait "$GAME_PID" || status=$?
  GAME_PID=""
  [ "$status" -eq 0 ] || fail "SIG$1 ended the game with status $status"
}

saved_moves() {
  local state
  state=$(od -An -t d4 -j 12 -N 4 "$PLAY/tesselo.dat" | tr -d ' ')
  [ "$state" -eq 1 ] || fail "the saved game is not in play (state $state)"
  od -An -t d4 -j 20 -N 4 "$PLAY/tesselo.dat" | tr -d ' '
}

start_x
make_play_dir

start_game
wait_window Tesselo >/dev/null
end_with INT
[ -e "$PLAY/tesselo.dat" ] && fail "ended on the title card, yet tesselo.dat was written"
echo "SIGINT on the title card: ended, nothing written"

open_game
click_at 0 "WX + WW / 10" "WY + bar / 2"        # New Game
cw=$((WW / 3))
drag $((WX + cw / 2)) $((WY + bar + boardH / 4)) $((WX + cw / 2 + cw)) $((WY + bar + boardH / 4 + 3))
end_with TERM
[ "$(saved_moves)" -eq 1 ] || fail "SIGTERM saved $(saved_moves) moves, not 1"
echo "SIGTERM in play: the move was saved"

open_game
drag $((WX + cw / 2)) $((WY + bar + boardH / 4)) $((WX + cw / 2 + cw)) $((WY + bar + boardH / 4 + 3))
click_at 0 "WX + WW * 9 / 10" "WY + bar / 2"    # Help
wait_window "Tesselo Help" >/dev/null
end_with HUP
[ "$(saved_moves)" -eq 2 ] || fail "SIGHUP over the help dialog saved $(saved_moves) moves, not 2"
echo "PASS: SIGINT on the title card, SIGTERM in play and SIGHUP over a dialog each saved and ended"
