#!/usr/bin/env bash
# Static analysis of the platform-neutral core with cppcheck.
set -euo pipefail
cd "$(dirname "$0")/.."
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --inline-suppr \
  --enable=warning,performance,portability --suppress=missingIncludeSystem \
  -I . -i app/win32 config actions macros app seam/portable foreground programs hookwatch keeping
echo "cppcheck: core clean."
