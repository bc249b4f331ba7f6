#!/usr/bin/env bash
# Runs the benchmarks: the native Google Benchmark suite and the timing harnesses under Wine.
# Both report ratios measured within one run; absolute times on a shared machine are noise.
# TRESSEL_BENCH_BUSY=1 keeps every core busy with another process while the Wine harnesses run
# (the hook callback's tail on a loaded machine).
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
tools/install-deps.sh || exit 1
cmake --preset native >/dev/null && cmake --build --preset native --target tressel_native_bench || exit 1
build/native/tressel_native_bench --benchmark_counters_tabular=true
cmake --preset windows >/dev/null && cmake --build --preset windows || exit 1
if [ -n "${TRESSEL_BENCH_BUSY:-}" ]; then
  # shellcheck source=busy-cores.sh
  source tools/busy-cores.sh
  keep_cores_busy
fi
for bench in build/windows/wine-bin/*Bench.exe; do
  echo "== $(basename "$bench")"
  tools/wine-run.sh "$bench"
done
