#!/usr/bin/env bash
# The Options and Records windows as a screen reader finds them: the real
# program under a private X server and a D-Bus session of its own, with
# Qt's accessibility always on, read from outside through pyatspi
# (atspi_dialogs.py). The game plays a "Pro" grid in "Strategy"; its records
# (an earlier version's file, imported as the game opens them) hold a few
# wins of that kind and of "Pro" in "Speed", over the last days, so that
# every chart of the Progress tab draws.
#
#   screen_reader_dialogs_test.sh <build dir> <write_saved_game>
#
# Ends with status 77 (a skip) where the machine lacks the tools;
# tools/setup installs them.

BUILD="$1"
WRITE="$2"
HERE="$(cd "${0%/*}" && pwd)"
PYTHON=/usr/bin/python3 # the system's, which has pyatspi; not a virtual environment's
STRATEGY_WINS=5
SPEED_WINS=7

source "$HERE/atspi_session.sh"

# One win a day back from yesterday, each kind with moves (and times) of its own.
wins() {
  local style="$1" count="$2" i
  for i in $(seq 1 "$count"); do
    printf '%s{"level":"Pro","style":"%s","moves":%d,"milliseconds":%d,"finished":"%s","picture":""}' \
      "$([ "$i" -gt 1 ] && echo ,)" "$style" $((10 + 3 * i)) $((20000 + 1700 * i)) \
      "$(date -u -d "-$i day" +%Y-%m-%dT10:00:00.000Z)"
  done
}
{
  printf '{"version":1,"results":['
  wins Strategy "$STRATEGY_WINS"
  printf ','
  wins Speed "$SPEED_WINS"
  printf ']}\n'
} >"$PLAY/tesselo-records.json"
(cd "$PLAY" && QT_QPA_PLATFORM=offscreen "$WRITE" 3 3 --shuffle 4) || fail "could not write the Pro game"

open_game
"$PYTHON" "$HERE/atspi_dialogs.py" "$STRATEGY_WINS" "$SPEED_WINS" ||
  fail "the Options and Records windows as a screen reader reads them"
echo "PASS: every control of the Options and the Records has a name, every chart its wins in words"
