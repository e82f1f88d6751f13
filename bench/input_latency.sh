#!/usr/bin/env bash
# Times inputs on the real game window under a private X server: a key
# press to the first changed pixel of the board, and a pointer move of a
# drag to the first changed pixel, on a 1920 x 1080 board at device pixel
# ratio 1 and at ratio 2 (3840 x 2160 device pixels), each alone and with
# a race's ghost moving beside the player (a move every 400 ms).
#
#   bench/input_latency.sh BUILD_DIR [COUNT]
#
# The screen is 3900 x 2600 pixels: the board at ratio 2 with the bar over
# it (2160 + 256 pixels) and the room the window keeps from the screen's
# edge.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "$1" && pwd)"
count="${2:-200}"
source "$root/tests/e2e/x_session.sh"
trap stop_all EXIT
export XVFB_SCREEN=3900x2600x24
# The solver's large tables, built in the background the first time a
# "Genius" game opens (some seconds of a processor), are kept between runs.
export TESSELO_CACHE="$BUILD/bench-latency-cache"
mkdir -p "$TESSELO_CACHE"

# Waits until the game uses less than a twentieth of a processor over a
# second (its solver done with the game's par; a fifth while a ghost
# glides), at most two minutes.
wait_idle() {
  local ticks before now share="${2:-20}"
  ticks="$(getconf CLK_TCK)"
  before="$(awk '{print $14 + $15}' "/proc/$1/stat")"
  for _ in $(seq 1 120); do
    sleep 1
    now="$(awk '{print $14 + $15}' "/proc/$1/stat")"
    [ $((now - before)) -le $((ticks / share)) ] && return 0
    before="$now"
  done
}

for ratio in 1 2; do
  for race in "" race; do
    start_x
    make_play_dir
    "$BUILD/bench/input_latency" --prepare "$PLAY" 1920 1080 $race
    QT_SCALE_FACTOR="$ratio" open_game >/dev/null
    expected="$((1920 * ratio))x$(((1080 + 1920 / 15) * ratio))"
    [ "${WW}x${WH}" = "$expected" ] || echo "  (the window is ${WW}x${WH}, not $expected)"
    wait_idle "$GAME_PID" "$([ -n "$race" ] && echo 5 || echo 20)"
    echo "Input latency, board 1920 x 1080 at device pixel ratio $ratio${race:+, racing a ghost} ($count inputs each):"
    "$BUILD/bench/input_latency" --measure "$main" "$ratio" $((1920 / 15)) 1920 1080 "$count"
    stop_all
    GAME_PID="" XVFB_PID=""
  done
done
