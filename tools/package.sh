#!/usr/bin/env bash
# Builds the zip a Windows user downloads, build/windows-release/Tressel-<version>-win64.zip,
# from the release configuration (stripped, static runtime, reproducible). Installs missing
# Debian packages first. The release tests (imports, reproducibility, the whole journey under
# Wine) run with `TRESSEL_PRESETS=windows-release tools/test.sh`.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release --target package_zip
version=$(sed -n 's/^project(Tressel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip="build/windows-release/Tressel-$version-win64.zip"
[ -f "$zip" ] || { echo "package: $zip was not made" >&2; exit 1; }
echo "$zip ($(stat -c %s "$zip") bytes)"
