# Shared by the end-to-end test and the screenshot tool: a private X server,
# a play directory, and the real program driven by real input events.
#
# Expects: BUILD (the build directory); XVFB_SCREEN, if set, is the
# server's screen (1280x1024x24 otherwise). Sets: PLAY, DISPLAY, GAME_PID.
# With TESSELO_COMMAND set (an installed game's command), that command is
# started from START_DIR instead, and PLAY names the folder it plays in.

set -euo pipefail

start_x() {
  # A display number drawn at random, which the server's lock file refuses
  # when another server holds it; then another is drawn. (With -displayfd
  # the server takes no lock, and two started at once can share a socket.)
  # -noreset keeps the server from resetting when its last client leaves.
  local n
  for _ in $(seq 1 50); do
    n=$((100 + RANDOM % 3000))
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do
      kill -0 "$XVFB_PID" 2>/dev/null || break # refused: the display was taken
      # Only our own server's lock counts: another's on this number is not ours.
      if [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$XVFB_PID" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
      fi
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  done
  echo "Xvfb did not start" >&2
  return 1
}

make_play_dir() {
  [ -z "${TESSELO_COMMAND:-}" ] || return 0
  PLAY="$(mktemp -d)"
  mkdir -p "$PLAY/Pictures"
  cp "$BUILD"/assets/Pictures/* "$PLAY/Pictures/"
  cp "$BUILD"/assets/*.wav "$BUILD/assets/Attributions.txt" "$PLAY/"
}

# The game speaks English here, whatever the languages of the machine, as
# the tests find its windows by their titles; TESSELO_LANGUAGE picks another
# (a screenshot of the German game: TESSELO_LANGUAGE=de). The solver keeps
# its tables in the play directory (or TESSELO_CACHE), never the machine's
# own cache; an installed game has a HOME of its test's own.
start_game() {
  (cd "${START_DIR:-$PLAY}" &&
    if [ -z "${TESSELO_COMMAND:-}" ]; then export XDG_CACHE_HOME="${TESSELO_CACHE:-$PLAY/cache}"; fi &&
    SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb LANGUAGE="${TESSELO_LANGUAGE:-en}" \
    exec "${TESSELO_COMMAND:-$BUILD/src/app/program/tesselo}") &
  GAME_PID=$!
}

# Waits for a visible window with exactly this name and prints its id.
wait_window() {
  local id
  for _ in $(seq 1 150); do
    id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1 || true)"
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  echo "no window named $1" >&2
  return 1
}

fail() { echo "FAIL: $*" >&2; exit 1; }

# Window geometry: sets WX, WY, WW, WH.
window_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1" | sed -e 's/^X=/WX=/' -e 's/^Y=/WY=/' -e 's/^WIDTH=/WW=/' -e 's/^HEIGHT=/WH=/')"
}

# Clicks at a point relative to a window.
click_at() {
  xdotool mousemove --sync "$(($2))" "$(($3))" click 1
  sleep 0.3
}

drag() {
  xdotool mousemove --sync "$1" "$2" mousedown 1
  local i
  for i in 1 2 3 4 5 6 7 8; do
    xdotool mousemove --sync "$(($1 + ($3 - $1) * i / 8))" "$(($2 + ($4 - $2) * i / 8))"
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.3
}

# Starts the game, answers the title card and waits for the game window:
# sets main, WX, WY, WW, WH, bar and boardH.
open_game() {
  start_game
  local splash
  splash="$(wait_window Tesselo)"
  window_geometry "$splash"
  # "Proceed" sits centred near the foot of the title card.
  click_at 0 "WX + WW / 2" "WY + WH * 121 / 134"
  for _ in $(seq 1 100); do
    main="$(xdotool search --onlyvisible --name '^Tesselo$' 2>/dev/null | tail -n 1 || true)"
    [ -n "$main" ] && [ "$main" != "$splash" ] && break
    main=""
    sleep 0.1
  done
  [ -n "$main" ] || fail "the game window did not open after Proceed"
  # The window is fitted around its board as it opens; on a busy machine
  # (a sanitized build beside other tests) that can take seconds and come in
  # steps, so wait until its geometry has held still for three looks.
  local before="" still=0
  for _ in $(seq 1 60); do
    sleep 0.3
    window_geometry "$main"
    if [ "$before" = "$WX,$WY,$WW,$WH" ]; then
      still=$((still + 1))
      [ "$still" -ge 2 ] && break
    else
      still=0
    fi
    before="$WX,$WY,$WW,$WH"
  done
  bar=$((WW / 15))
  boardH=$((WH - bar))
  echo "game window ${WW}x${WH} at ${WX},${WY}, bar ${bar}"
}

# ImageMagick's import, not xwd -root: under Xvfb without a window manager
# xwd -root showed a modal dialog as a black rectangle that import and
# xwd -id both showed whole.
screenshot() {
  import -window root "$1"
}

stop_all() {
  # A game sent SIGTERM saves before it ends: wait for that (a few seconds
  # at most) before its folder goes, or the removal races the save.
  if [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null; then
    for _ in $(seq 1 50); do
      kill -0 "$GAME_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$GAME_PID" 2>/dev/null || true
  fi
  # The server removes its socket as it ends; wait for it, or that removal
  # can take away the socket of the next session's server on the same display.
  if [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; then
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  [ -n "${PLAY:-}" ] && [ -z "${KEEP_PLAY:-}" ] && rm -rf "$PLAY"
  return 0
}
