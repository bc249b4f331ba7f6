#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted with the project's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | while read -r f; do [ -f "$f" ] && echo "$f"; done)
bad=()
for f in "${files[@]}"; do
  clang-format --style=file --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]})); then
  echo "Not formatted (run: clang-format -i ${bad[*]}):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "Formatting: ${#files[@]} files clean."
