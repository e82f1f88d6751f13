#!/usr/bin/env bash
# The --solve and --id commands of the real program, without any display:
# the moves and the length for saved games of each grid, the ID of a game
# started from a seed, paths taken from the folder it is run in, and a
# plain refusal (status 2, one line) of a missing or damaged file, of a
# game without its seed, and of a wrong command line.
#
#   solve_test.sh <tesselo> <write_saved_game>
set -uo pipefail
TESSELO="$1"
WRITE="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The program with no display at all, and a cache of its own.
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CACHE_HOME="$work/cache" "$TESSELO" "$@" \
    >"$work/out" 2>"$work/err"
}
expect() { # status, expected stdout
  [ "$status" -eq "$1" ] || fail "$what: status $status, not $1 ($(cat "$work/err"))"
  [ "$(cat "$work/out")" = "$2" ] || fail "$what: printed '$(cat "$work/out")', not '$2'"
}
refused() { # exactly one line on stderr, nothing on stdout, status 2
  expect 2 ""
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$what: not one line on stderr: $(cat "$work/err")"
}

mkdir -p "$work/game/deeper" "$work/other"
(cd "$work/game" && QT_QPA_PLATFORM=offscreen "$WRITE" 3 3 R2+1 C3-1) || fail "could not write a saved game"

what="the default file"
(cd "$work/game" && run --solve); status=$?
expect 0 "$(printf 'C3+1 R2-1\nlength 2 optimal')"
what="a relative path"
(cd "$work/other" && run --solve ../game/tesselo.dat); status=$?
expect 0 "$(printf 'C3+1 R2-1\nlength 2 optimal')"
what="an absolute path"
(cd / && run --solve "$work/game/tesselo.dat"); status=$?
expect 0 "$(printf 'C3+1 R2-1\nlength 2 optimal')"

(cd "$work/game/deeper" && QT_QPA_PLATFORM=offscreen "$WRITE" 2 3) || fail "could not write a solved game"
what="a solved game"
(cd "$work/game/deeper" && run --solve); status=$?
expect 0 "$(printf '\nlength 0 optimal')"

# Larger grids: as many moves as the length says, each in the notation.
# The first 4 x 6 game builds the solver's large tables (saying so, as it
# takes seconds) and keeps them in the cache, as the game does; the next
# reads them there.
tables="$work/cache/tesselo/phase-tables-4x6-v1.bin"
for size in "3 4" "4 6" "4 6"; do
  rm -f "$work/game/deeper/tesselo.dat"
  (cd "$work/game/deeper" && QT_QPA_PLATFORM=offscreen "$WRITE" $size --shuffle 12345) || fail "could not write $size"
  (cd "$work/game/deeper" && run --solve); status=$?
  what="a shuffled $size game"
  [ "$status" -eq 0 ] || fail "$what: status $status ($(cat "$work/err"))"
  moves=$(sed -n 1p "$work/out")
  length=$(sed -n 2p "$work/out")
  count=$(printf '%s' "$moves" | wc -w)
  [[ "$length" =~ ^length\ ([0-9]+)\ (optimal|par)$ ]] || fail "$what: second line '$length'"
  [ "${BASH_REMATCH[1]}" -eq "$count" ] || fail "$what: $count moves, length ${BASH_REMATCH[1]}"
  [[ "$moves" =~ ^([RC][1-9]+[+-][1-9]( |$))+$ ]] || fail "$what: moves '$moves'"
  if [ "$size" = "4 6" ]; then
    [ -f "$tables" ] || fail "$what: the large tables were not kept"
    if grep -q "building the solver's tables" "$work/err"; then built=$((${built:-0} + 1)); fi
    [ "${built:-0}" -eq 1 ] || fail "$what: the tables were built ${built:-0} times, or built without a word"
    largeLength=$length
  fi
done
[ -z "$(find "$work/cache" -name '*.damaged*')" ] || fail "sound tables were set aside"

# Where the cache cannot be written, the tables are built in memory for
# the one answer, and the answer is as long.
echo in-the-way >"$work/no-cache"
what="a 4 x 6 game with a cache that cannot be written"
(cd "$work/game/deeper" && env -u DISPLAY XDG_CACHE_HOME="$work/no-cache/below" "$TESSELO" --solve) \
  >"$work/out" 2>"$work/err"; status=$?
[ "$status" -eq 0 ] || fail "$what: status $status ($(cat "$work/err"))"
[ "$(sed -n 2p "$work/out")" = "$largeLength" ] || fail "$what: $(sed -n 2p "$work/out"), not $largeLength"
grep -q "building the solver's tables" "$work/err" || fail "$what: built without a word"

what="a missing file"
(cd "$work/other" && run --solve); status=$?
refused
what="a damaged file"
head -c 100 "$work/game/tesselo.dat" >"$work/other/cut.dat"
(cd "$work/other" && run --solve cut.dat); status=$?
refused
what="a folder"
(cd "$work/other" && run --solve "$work/game"); status=$?
refused
what="a loop of links"
ln -s loop-b "$work/other/loop-a"
ln -s loop-a "$work/other/loop-b"
(cd "$work/other" && run --solve loop-a); status=$?
refused
grep -q '"loop-a" cannot be read' "$work/err" || fail "$what: $(cat "$work/err")"

# The ID comes from the seed in the history beside the saved game, and only
# from a history that leads to it.
mkdir -p "$work/ids" "$work/other-id"
(cd "$work/ids" && QT_QPA_PLATFORM=offscreen "$WRITE" 3 4 --start 2718281828) || fail "could not write a seeded game"
(cd "$work/other-id" && QT_QPA_PLATFORM=offscreen "$WRITE" 3 4 --start 31) || fail "could not write a seeded game"
what="--id"
(cd "$work/ids" && run --id); status=$?
expect 0 "Expert-2718281828"
what="--id with a path"
(cd / && run --id "$work/ids/tesselo.dat"); status=$?
expect 0 "Expert-2718281828"
what="--id with its seed edited"
sed -i 's/"seed": *2718281828/"seed": 2718281829/' "$work/ids/tesselo-history.json"
grep -q '2718281829' "$work/ids/tesselo-history.json" || fail "$what: the seed was not found to edit"
(cd "$work/ids" && run --id); status=$?
refused
grep -q 'damaged' "$work/err" || fail "$what: $(cat "$work/err")"
what="--id beside another game's history"
cp "$work/other-id/tesselo-history.json" "$work/ids/"
(cd "$work/ids" && run --id); status=$?
refused
what="--id without a history"
rm "$work/ids/tesselo-history.json"
(cd "$work/ids" && run --id); status=$?
refused
grep -q 'without its seed' "$work/err" || fail "$what: $(cat "$work/err")"
what="--id of a missing file"
(cd "$work/other" && run --id); status=$?
refused
# A grid no level has is named by its counts, rows first.
mkdir -p "$work/custom-id"
(cd "$work/custom-id" && QT_QPA_PLATFORM=offscreen "$WRITE" 5 7 --start 2718281828) || fail "could not write a 5 x 7 game"
what="--id of a 5 x 7 game"
(cd "$work/custom-id" && run --id); status=$?
expect 0 "5x7-2718281828"

what="tesselo --help"
(cd "$work/other" && run --help); status=$?
[ "$status" -eq 0 ] || fail "$what: status $status, not 0"
grep -q '^Exit status: 0 .* 2 ' "$work/out" || fail "$what: the exit statuses are not listed"
for command in --solve --id --export-records; do
  grep -q -- "^  $command" "$work/out" || fail "$what: $command not described"
done
for args in "--help --solve" "--bogus" "--solve a b" "--id a b" "-platform offscreen --solve"; do
  what="tesselo $args"
  # shellcheck disable=SC2086
  (cd "$work/other" && run $args); status=$?
  [ "$status" -eq 2 ] || fail "$what: status $status, not 2"
  grep -q '^usage: tesselo .*--solve \[FILE\].*--id \[FILE\]' "$work/out" "$work/err" || fail "$what: no usage line"
done
echo "PASS: --solve and --id print the way back and the ID without a display, and refuse what they cannot use"
