#!/usr/bin/env bash
# --solve on 4 x 4 games, checked from outside the solver: every plan is
# called optimal, brings the picture home, and is shortest as far as its
# neighbours tell (a position one slide away is never more than one slide
# nearer, and the plan's first slide leads to one exactly one nearer). The
# first game builds the 4 x 4 tables, saying so, and keeps them in the
# cache; the others read them there.
#
#   shortest_solve_test.sh <tesselo> <write_saved_game>
set -uo pipefail
TESSELO="$1"
WRITE="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
mkdir -p "$work/game"

# Writes a shuffled game slid by the given moves, and prints its plan's
# length; the plan itself is left in $work/moves.
length_of() { # seed, moves...
  local seed="$1"
  shift
  rm -f "$work/game/tesselo.dat"
  (cd "$work/game" && QT_QPA_PLATFORM=offscreen "$WRITE" 4 4 --shuffle "$seed" "$@") || fail "could not write $seed $*"
  (cd "$work/game" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CACHE_HOME="$work/cache" \
    "$TESSELO" --solve >"$work/out" 2>"$work/err") || fail "--solve of $seed $*: $(cat "$work/err")"
  local line
  line=$(sed -n 2p "$work/out")
  [[ "$line" =~ ^length\ ([0-9]+)\ optimal$ ]] || fail "$seed $*: '$line', not an optimal length"
  sed -n 1p "$work/out" >"$work/moves"
  echo "${BASH_REMATCH[1]}"
}

slides=()
for line in 1 2 3 4; do
  for amount in +1 +2 -1; do
    slides+=("R$line$amount" "C$line$amount")
  done
done

for seed in 4848 2718 31415; do
  length=$(length_of "$seed") || exit 1
  read -r -a plan <"$work/moves"
  [ "${#plan[@]}" -eq "$length" ] || fail "seed $seed: ${#plan[@]} moves, length $length"
  if [ "$seed" = 4848 ]; then
    grep -q "building the solver's tables for 4 x 4 games" "$work/err" || fail "the first game built no tables, or without a word"
  else
    [ ! -s "$work/err" ] || fail "seed $seed: the kept tables were not read: $(cat "$work/err")"
  fi
  [ "$(length_of "$seed" "${plan[@]}")" -eq 0 ] || fail "seed $seed: the plan does not bring the picture home"
  nearer=0
  for slide in "${slides[@]}"; do
    next=$(length_of "$seed" "$slide") || exit 1
    [ $((next - length)) -le 1 ] && [ $((length - next)) -le 1 ] ||
      fail "seed $seed: $length slides, but $next after $slide"
    [ "$next" -eq $((length - 1)) ] && nearer=$((nearer + 1))
  done
  [ "$nearer" -gt 0 ] || fail "seed $seed: no neighbour is one slide nearer"
  [ "$(length_of "$seed" "${plan[0]}")" -eq $((length - 1)) ] || fail "seed $seed: the plan's first slide leads no nearer"
done
ls "$work/cache/tesselo/"bound-tables-4x4-v*.bin >/dev/null 2>&1 || fail "the 4 x 4 tables were not kept"
echo "PASS: every 4 x 4 plan of --solve is optimal, brings the picture home, and is one slide more than its nearest neighbour's"
