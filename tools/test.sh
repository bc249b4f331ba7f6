#!/usr/bin/env bash
# Builds everything and runs every test: the native core (plain, ASan+UBSan, TSan), a short run
# of every fuzz harness (each one test), the Windows build under Wine in Xvfb, and the release
# zip (its imports, reproducibility and a user's whole journey with it). Installs missing Debian
# packages first.
# Ends with one line "N passed, N failed" over all ctest runs; exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh || exit 1

status=0
passed=0
failed=0
# The formatting and static checks count as one test each, so that the last line never reads
# "0 failed" when one of them failed.
for check in tools/check-format.sh tools/static-check.sh; do
  if "$check"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    status=1
  fi
done

run_preset() {
  local preset=$1
  echo "== $preset: configure and build"
  local log="build/$preset-build.log"
  mkdir -p build
  if ! cmake --preset "$preset" >"$log" 2>&1 || ! cmake --build --preset "$preset" >>"$log" 2>&1; then
    tail -n 60 "$log"
    echo "== $preset: build failed"
    failed=$((failed + 1))
    status=1
    return
  fi
  echo "== $preset: test"
  local out
  out=$(ctest --preset "$preset" --timeout 900 2>&1)
  local rc=$?
  # The failures with their output, then the summary; every passing case would be noise.
  echo "$out" | grep -v -E '^ *(Start +[0-9]+:|[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed)' | tail -n 200
  local line total nfail
  line=$(echo "$out" | grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' | tail -n 1)
  if [ -n "$line" ]; then
    nfail=$(echo "$line" | sed -E 's/.*passed, ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
    total=$(echo "$line" | sed -E 's/.*passed, ([0-9]+) tests? failed out of ([0-9]+).*/\2/')
    passed=$((passed + total - nfail))
    failed=$((failed + nfail))
  else
    failed=$((failed + 1))
  fi
  [ $rc -eq 0 ] || status=1
}

presets=(native native-asan native-tsan native-fuzz windows windows-release)
[ -n "${TRESSEL_PRESETS:-}" ] && read -r -a presets <<<"$TRESSEL_PRESETS"
for p in "${presets[@]}"; do run_preset "$p"; done
echo "$passed passed, $failed failed"
exit $status
