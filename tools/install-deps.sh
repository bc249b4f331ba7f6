#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when something is missing.
set -euo pipefail
packages=(cmake g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev clang-format cppcheck clang-14
          g++-mingw-w64-x86-64-posix wine64 wine xvfb xdotool libxtst-dev imagemagick x11-utils
          fonts-dejavu-core fonts-dejavu-extra fontconfig zip unzip e2fsprogs)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
