#!/usr/bin/env bash
# The --export-records command of the real program, without any display:
# the records of the folder it is run in (a JSON file of an earlier version
# not imported yet and a win waiting in the pending file read as they are,
# a field this version does not know kept) written onto standard output or
# into a file named relative to that folder. The folder is only read:
# nothing is made, imported or set aside.
#
#   export_records_test.sh <tesselo>
set -uo pipefail
TESSELO="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$TESSELO" "$@" >"$work/out" 2>"$work/err"
}

mkdir -p "$work/game" "$work/other"
cat >"$work/game/tesselo-records.json" <<'JSON'
{"version":1,"results":[{"level":"Pro","style":"Speed","moves":9,"milliseconds":4321,
"finished":"2026-12-01T10:00:00.000Z","picture":"","fromLater":{"kept":true}}]}
JSON

cat >"$work/game/tesselo-records-pending.json" <<'JSON'
{"version":1,"results":[{"level":"Genius","style":"Strategy","moves":77,"milliseconds":99000,
"finished":"2026-12-02T10:00:00.125Z","picture":""}]}
JSON
listing() { (cd "$work/game" && find . -printf '%p %s %T@\n' | sort); }
before="$(listing)"

(cd "$work/game" && run --export-records); status=$?
[ "$status" -eq 0 ] || fail "status $status ($(cat "$work/err"))"
grep -q '"milliseconds": *4321' "$work/out" || fail "the win is not in the export: $(cat "$work/out")"
grep -q '"fromLater"' "$work/out" || fail "a field of a later version was lost"
grep -q '"moves": *77' "$work/out" || fail "the pending win is not in the export"
[ "$(listing)" = "$before" ] || fail "the export changed the folder: $(listing)"
cp "$work/out" "$work/stdout.json"

(cd "$work/game" && run --export-records ../other/wins.json); status=$?
[ "$status" -eq 0 ] || fail "into a file: status $status ($(cat "$work/err"))"
cmp -s "$work/other/wins.json" "$work/stdout.json" || fail "the file differs from standard output"

# A name ending in .csv, in any case: a header and a row a win, in CSV.
(cd "$work/game" && run --export-records ../other/wins.CSV); status=$?
[ "$status" -eq 0 ] || fail "as CSV: status $status ($(cat "$work/err"))"
[ "$(head -n 1 "$work/other/wins.CSV" | tr -d '\r')" = "date,size,style,moves,time_ms,par,helped,daily,picture,dnf,race" ] ||
  fail "the CSV has no header: $(head -n 1 "$work/other/wins.CSV")"
grep -q '^2026-12-01T10:00:00.000Z,3x3,Speed,9,4321,,0,,' "$work/other/wins.CSV" || fail "the win is not a row: $(cat "$work/other/wins.CSV")"
grep -q ',4x6,Strategy,77,99000,' "$work/other/wins.CSV" || fail "the pending win is not a row"
[ "$(wc -l <"$work/other/wins.CSV")" -eq 3 ] || fail "not one row a win"

(cd "$work/game" && run --export-records "$work/no such folder/wins.json"); status=$?
[ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "an unwritable file: status $status"
[ "$(listing)" = "$before" ] || fail "the exports changed the folder: $(listing)"
echo "PASS: --export-records writes every kept win without a display, as JSON or CSV"
