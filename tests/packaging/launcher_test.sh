#!/usr/bin/env bash
# The installed tesselo command, with a stand-in for the game that records
# where and how it was started: the player's folder is made and filled on
# first use, later starts put back only missing sounds and keep everything
# else, the starting folder stays untouched, and XDG_DATA_HOME is read by
# the XDG rules. The commands never make or fill the folder; without it
# the real program finds no saved game.
#
#   launcher_test.sh <build dir> <libexec dir, relative to the prefix>
set -euo pipefail
BUILD=$1
LIBEXEC=$2

fail() { echo "FAIL: $*" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/pre fix"
cmake --install "$BUILD" --prefix "$prefix" >/dev/null
share="$prefix/share/tesselo"

# The real program's commands with no folder to read: no saved game
# (status 2), no wins, and still no folder.
fresh="$work/fresh home"
mkdir -p "$fresh" "$work/tmp"
real() { (cd "$work" && env -i PATH="$PATH" HOME="$fresh" TMPDIR="$work/tmp" "$prefix/bin/tesselo" "$@"); }
for command in --solve --id; do
  status=0
  real "$command" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 2 ] || fail "$command without a folder: status $status ($(cat "$work/err"))"
  grep -q 'there is no "tesselo.dat"' "$work/err" || fail "$command without a folder: $(cat "$work/err")"
done
real --export-records >"$work/out" || fail "--export-records without a folder failed"
[ "$(tr -d '\n' <"$work/out")" = '{"version":1,"results":[]}' ] || fail "wins exported from no folder: $(cat "$work/out")"
[ -z "$(find "$fresh" "$work/tmp" -mindepth 1)" ] || fail "a command made folders: $(find "$fresh" "$work/tmp" -mindepth 1)"

cat >"$prefix/$LIBEXEC/tesselo/tesselo" <<'GAME'
#!/bin/sh
{ readlink /proc/self/cwd; umask; printf '%s\n' "$@"; } >"$TESSELO_TEST_LOG"
GAME

home="$work/a home"
start="$work/start"
log="$work/log"
mkdir -p "$home" "$start"

# Runs the command from the starting folder with only the environment given.
play() {
  rm -f "$log"
  (cd "$start" && env -i PATH="$PATH" TESSELO_TEST_LOG="$log" "$@")
}
started_in() { [ "$(head -n 1 "$log")" = "$1" ] || fail "the game started in $(head -n 1 "$log"), not $1"; }

# The commands, and any other argument the program would refuse, never
# make the folder; each runs in an empty folder of its own that is gone.
for args in --help --solve --id "--id saved.dat" --export-records "--solve --help" "-style fusion --bogus"; do
  # shellcheck disable=SC2086
  play HOME="$home" TMPDIR="$work/tmp" "$prefix/bin/tesselo" $args
  [ "$(sed -n '3,$p' "$log" | tr '\n' ' ')" = "$(printf '%s ' $args | sed "s|saved.dat|$start/saved.dat|")" ] ||
    fail "$args: arguments changed: $(cat "$log")"
  ran=$(head -n 1 "$log")
  case $ran in "$work/tmp/"*" (deleted)") ;; *) fail "$args ran in $ran, not in a folder that is gone" ;; esac
  [ ! -e "$home/.local" ] || fail "$args made the player's folder"
done

# First start: XDG_DATA_HOME unset, a folder name with a space, arguments
# passed on, the player's umask kept for the game.
folder="$home/.local/share/tesselo"
play HOME="$home" sh -c 'umask 022; exec "$0" "one two" three' "$prefix/bin/tesselo"
started_in "$folder"
[ "$(sed -n 2,4p "$log")" = "$(printf '0022\none two\nthree')" ] || fail "umask or arguments not passed on: $(cat "$log")"
diff -r "$share/Pictures" "$folder/Pictures" || fail "the sample pictures were not copied"
for f in "$share"/*.wav "$share/Attributions.txt"; do
  cmp -s "$f" "$folder/${f##*/}" || fail "${f##*/} was not copied"
done
sounds=("$share"/*.wav)
[ "${#sounds[@]}" -eq 6 ] || fail "the install holds ${#sounds[@]} sounds, not 6"
[ "$(stat -c %a "$folder" "$home/.local/share")" = "$(printf '700\n700')" ] || fail "the new folders are not private"
[ -z "$(ls -A "$start")" ] || fail "the starting folder was written to"
[ "$(ls -A "$home/.local/share")" = tesselo ] || fail "stray files beside the folder: $(ls -A "$home/.local/share")"

# The player's changes survive a later start; only a missing sound comes back.
echo mine >"$folder/win.wav"
rm "$folder/move.wav" "$folder/Pictures/garden.png"
echo picture >"$folder/Pictures/own.png"
echo saved >"$folder/tesselo.dat"
ln -sf /nonexistent "$folder/clock.wav"
play HOME="$home" XDG_DATA_HOME= "$prefix/bin/tesselo"
started_in "$folder"
[ "$(cat "$folder/win.wav")" = mine ] || fail "a changed sound was replaced"
cmp -s "$share/move.wav" "$folder/move.wav" || fail "a missing sound was not put back"
[ ! -e "$folder/Pictures/garden.png" ] || fail "a removed sample picture came back"
[ "$(cat "$folder/Pictures/own.png" "$folder/tesselo.dat")" = "$(printf 'picture\nsaved')" ] ||
  fail "the player's files changed"
[ "$(readlink "$folder/clock.wav")" = /nonexistent ] || fail "a dangling link was replaced"
[ -z "$(find "$folder" -maxdepth 1 -name '.tesselo-*')" ] || fail "temporary files left behind"

# A command reads the folder there is, and puts back nothing.
rm "$folder/move.wav"
play HOME="$home" "$prefix/bin/tesselo" --id
started_in "$folder"
[ ! -e "$folder/move.wav" ] || fail "a command put back a sound"
play HOME="$home" "$prefix/bin/tesselo"
[ -e "$folder/move.wav" ] || fail "a game did not put back a sound"

# A relative XDG_DATA_HOME is ignored; an absolute one is used; a symlink to
# the command works.
play HOME="$home" XDG_DATA_HOME=relative "$prefix/bin/tesselo"
started_in "$folder"
[ -z "$(ls -A "$start")" ] || fail "a relative XDG_DATA_HOME wrote into the starting folder"
ln -s "$prefix/bin/tesselo" "$work/linked"
play HOME="$home" XDG_DATA_HOME="$work/x data" "$work/linked"
started_in "$work/x data/tesselo"
diff -r "$share/Pictures" "$work/x data/tesselo/Pictures" || fail "no sample pictures under XDG_DATA_HOME"

# A path given to a command is the caller's, made absolute before the
# folder changes; other arguments, and an absolute path, pass unchanged.
play HOME="$home" "$prefix/bin/tesselo" --solve "sub dir/saved.dat"
[ "$(sed -n 3p "$log")" = "--solve" ] && [ "$(sed -n 4p "$log")" = "$start/sub dir/saved.dat" ] ||
  fail "a relative path was not resolved: $(cat "$log")"
play HOME="$home" "$prefix/bin/tesselo" --id saved.dat
[ "$(sed -n 3,4p "$log")" = "$(printf -- '--id\n%s' "$start/saved.dat")" ] || fail "--id's path not resolved: $(cat "$log")"
play HOME="$home" "$prefix/bin/tesselo" --export-records wins.json
[ "$(sed -n 4p "$log")" = "$start/wins.json" ] || fail "an export's file was not resolved: $(cat "$log")"
play HOME="$home" "$prefix/bin/tesselo" --solve /abs/saved.dat
[ "$(sed -n 4p "$log")" = /abs/saved.dat ] || fail "an absolute path changed: $(cat "$log")"
play HOME="$home" "$prefix/bin/tesselo" -style fusion --solve
[ "$(sed -n 3,5p "$log")" = "$(printf -- '-style\nfusion\n--solve')" ] || fail "arguments changed: $(cat "$log")"
play HOME="$home" "$prefix/bin/tesselo" --solve --help
[ "$(sed -n 3,4p "$log")" = "$(printf -- '--solve\n--help')" ] || fail "an option taken for a path: $(cat "$log")"

# Refusals: a file where the folder should be, and a relative HOME.
mkdir "$work/blocked"
echo file >"$work/blocked/tesselo"
if play HOME="$home" XDG_DATA_HOME="$work/blocked" "$prefix/bin/tesselo" 2>/dev/null; then
  fail "started with a file in the folder's place"
fi
[ ! -e "$log" ] || fail "the game started with a file in the folder's place"
[ "$(cat "$work/blocked/tesselo")" = file ] || fail "a file in the folder's place was touched"
if play HOME=. "$prefix/bin/tesselo" 2>/dev/null; then fail "started with a relative HOME"; fi
[ -z "$(ls -A "$start")" ] || fail "a relative HOME wrote into the starting folder"
echo "PASS: the launcher prepares, keeps and restores the player's folder"
