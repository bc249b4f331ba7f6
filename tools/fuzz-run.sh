#!/usr/bin/env bash
# One short run of a fuzz harness (the test command's run): from a throw-away copy of its
# checked-in corpus, so the corpus stays as it is. Every checked-in input (regressions
# included) is run first. Fails on any crash, sanitizer report, leak, timeout or out-of-memory;
# the input that caused it is kept under the findings folder.
# Usage: tools/fuzz-run.sh HARNESS CORPUS SECONDS FINDINGS
set -uo pipefail
harness=$1 corpus=$2 seconds=$3 findings=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$corpus/." "$work/"
mkdir -p "$findings"
name=$(basename "$harness")
"$harness" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$findings/$name-" "$work" >"$work.log" 2>&1
rc=$?
grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE)' "$work.log" | tail -n 2
if [ $rc -ne 0 ]; then
  tail -n 60 "$work.log"
  echo "$name: finding (exit $rc), input kept in $findings"
fi
rm -f "$work.log"
exit $rc
