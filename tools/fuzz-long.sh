#!/usr/bin/env bash
# Runs the fuzz harnesses long, one after the other at the lowest priority: each until it has
# executed RUNS inputs (default 10 million) or SECONDS have passed (default 2 hours), from a
# growing working corpus under build/fuzz-long/ seeded from the checked-in one. Counts add up
# over sessions in build/fuzz-long/counts.txt. Findings stop the harness and are kept in
# build/fuzz-long/findings/; turn each into a regression input in fuzz/corpus/<harness>/.
# Several may run at once (one per harness, say): each keeps its own log. The time limit per
# input is generous because at the lowest priority on a busy machine a run can stall for
# seconds; an input that really hangs still counts as a finding.
# Usage: tools/fuzz-long.sh [harness ...]   (env: RUNS, SECONDS_PER_HARNESS, and FUZZ_FLAGS for
# further libFuzzer flags, e.g. FUZZ_FLAGS=-max_len=1024)
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-10000000}
seconds=${SECONDS_PER_HARNESS:-7200}
mkdir -p build
if ! { cmake --preset native-fuzz && cmake --build --preset native-fuzz; } >build/fuzz-long-build.log 2>&1; then
  tail -n 40 build/fuzz-long-build.log
  exit 1
fi
harnesses=("$@")
((${#harnesses[@]})) || harnesses=(script ini settings command_line start_with_windows macro_argument)
out=build/fuzz-long
mkdir -p "$out/findings" "$out/bin"
status=0
for name in "${harnesses[@]}"; do
  corpus="$out/corpus/$name"
  mkdir -p "$corpus"
  cp -rn "fuzz/corpus/$name/." "$corpus/"
  log="$out/$name.$$.log"
  # A copy of its own, so that a rebuild meanwhile does not touch the running harness.
  bin="$out/bin/fuzz_$name.$$"
  cp "build/native-fuzz/fuzz_$name" "$bin"
  # shellcheck disable=SC2086 # FUZZ_FLAGS is a list of flags
  nice -n 19 "$bin" -runs="$runs" -max_total_time="$seconds" -timeout=120 ${FUZZ_FLAGS:-} \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/findings/$name-" \
    "$corpus" >"$log" 2>&1
  rc=$?
  rm -f "$bin"
  executed=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  executed=${executed:-0}
  echo "$(date -u +%FT%TZ) $name $executed exit=$rc" >>"$out/counts.txt"
  total=$(awk -v n="$name" '$2 == n {s += $3} END {print s + 0}' "$out/counts.txt")
  echo "$name: $executed executions this run, $total in total, exit $rc"
  if [ $rc -ne 0 ]; then
    tail -n 40 "$log"
    status=1
  fi
done
exit $status
