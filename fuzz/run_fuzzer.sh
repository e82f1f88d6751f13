#!/usr/bin/env bash
# Runs one libFuzzer target for CTest.
#
#   run_fuzzer.sh fuzz   <fuzzer> <seeds> <regressions> <work>
#   run_fuzzer.sh replay <fuzzer> <seeds> <regressions> <work>
#
# fuzz: fuzzes for TESSELO_FUZZ_SECONDS (10 unless set) from the seeds, the
# kept regressions and what earlier runs found, then prints the executions.
# replay: runs every seed and every kept regression once.
# Any crash, sanitizer report, leak, input slower than TESSELO_FUZZ_TIMEOUT
# seconds (25 unless set) or memory beyond 2 GiB fails the test.
set -uo pipefail
mode="$1" fuzzer="$2" seeds="$3" regressions="$4" work="$5"
name="$(basename "$fuzzer")"
mkdir -p "$work/corpus" "$work/artifacts" "$work/tmp"
# The targets work in temporary directories; keep them in the build tree.
export TMPDIR="$work/tmp"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
log="$work/$mode.log"
common=(-timeout="${TESSELO_FUZZ_TIMEOUT:-25}" -rss_limit_mb=2048 -artifact_prefix="$work/artifacts/"
        -print_final_stats=1)

if [ "$mode" = fuzz ]; then
  "$fuzzer" "${common[@]}" -max_total_time="${TESSELO_FUZZ_SECONDS:-10}" \
    "$work/corpus" "$seeds" "$regressions" >"$log" 2>&1
else
  # Every input once: all of the seeds and regressions as a corpus, no mutation.
  "$fuzzer" "${common[@]}" -runs=0 -max_len=1048576 "$seeds" "$regressions" >"$log" 2>&1
fi
status=$?

# LeakSanitizer's own tracer can crash in the leak check at exit, after
# every input has run ("Tracer caught signal 11"); libFuzzer then writes an
# empty input as the crash. That is a fault of the tool, not of an input:
# said, kept out of the way, and not taken for a find.
if [ $status -ne 0 ] && grep -q '^Done [0-9]* runs' "$log" &&
   grep -q 'LeakSanitizer has encountered a fatal error' "$log"; then
  unit="$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)"
  if [ -n "$unit" ] && [ -f "$unit" ] && [ ! -s "$unit" ]; then
    echo "$name $mode: LeakSanitizer failed in its check at exit after the runs; no input failed" >&2
    rm -f "$unit"
    status=0
  fi
fi

if [ $status -ne 0 ]; then
  tail -n 80 "$log"
  echo "$name $mode failed with status $status; the input is in $work/artifacts/." >&2
  echo "Keep it as fuzz/regressions/${name%_fuzzer}/<what it shows> once the fault is fixed." >&2
  exit 1
fi
runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
inputs="$(sed -n 's/.*INITED.* corp: \([0-9]*\)\/.*/\1/p' "$log" | tail -n 1)"
echo "$name $mode: ${runs:-?} executions, ${inputs:-?} inputs in the corpus at start, no failure"
