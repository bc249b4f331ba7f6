# Keeps every core busy with another process until the sourcing script ends: for runs that must
# hold on a loaded machine. Sourced, not run: `source tools/busy-cores.sh; keep_cores_busy`.
keep_cores_busy() {
  busy_cores=()
  for _ in $(seq 1 "$(nproc)"); do
    (while :; do :; done) &
    busy_cores+=($!)
  done
  trap 'kill "${busy_cores[@]}" 2>/dev/null' EXIT
}
