#!/usr/bin/env bash
# The real program as a screen reader finds it: under a private X server,
# with a D-Bus session of its own and the AT-SPI bus it starts, the game
# started with Qt's accessibility always on, read from outside through
# pyatspi (atspi_board.py). Three saved games: a "Novice" and a 5 x 7 game
# slid from the whole picture, whose boards must read as tables of the
# saved tiles that follow Right and Shift+Down, and a "Pro" game one move
# from the whole picture, whose win the status must say.
#
#   screen_reader_test.sh <build dir> <write_saved_game> <near_win>
#
# Ends with status 77 (a skip) where the machine lacks the tools;
# tools/setup installs them.

BUILD="$1"
WRITE="$2"
NEAR_WIN="$3"
HERE="$(cd "${0%/*}" && pwd)"
PYTHON=/usr/bin/python3 # the system's, which has pyatspi; not a virtual environment's

source "$HERE/atspi_session.sh"

# Reads one saved game: written by the command given, opened, read from
# outside, then ended (a signal saves it, which the next one overwrites).
read_game() {
  local rows="$1" columns="$2" moves="$3" slides="$4"
  shift 4
  open_game
  "$PYTHON" "$HERE/atspi_board.py" "$rows" "$columns" "$moves" "$slides" "$@" ||
    fail "the $rows x $columns board as a screen reader reads it"
  kill "$GAME_PID"
  wait "$GAME_PID" 2>/dev/null || true
  GAME_PID=""
}

(cd "$PLAY" && QT_QPA_PLATFORM=offscreen "$WRITE" 2 3 R1+1) || fail "could not write the Novice game"
read_game 2 3 0 "R1+1"
(cd "$PLAY" && QT_QPA_PLATFORM=offscreen "$WRITE" 5 7 R2+1 C3-1 R5+3) || fail "could not write the 5 x 7 game"
read_game 5 7 0 "R2+1 C3-1 R5+3"
# Row 2 one cell right of home, after 7 moves (near_win); Left wins.
(cd "$PLAY" && QT_QPA_PLATFORM=offscreen "$NEAR_WIN") || fail "could not write the nearly won game"
read_game 3 3 7 "R2+1" --win Left
echo "PASS: the board, the counter and the status read through AT-SPI"
