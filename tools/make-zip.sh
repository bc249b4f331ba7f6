#!/usr/bin/env bash
# Packs the zip a Windows user downloads (the release build runs it; tools/package.sh is the
# command to use):  tools/make-zip.sh <out folder> <source folder> <zip>
# The zip holds one folder, Tressel\, with the program, its six hook libraries, the shipped
# scripts, the user guide and the licence (CRLF text), and SHA256SUMS of all of them.
# Same inputs give the same bytes: fixed file order and time stamps, fixed permissions, no
# extra attributes (zip -X) and no directory entries (zip -D).
set -euo pipefail
out=$1
src=$2
zip_path=$3
top=Tressel
# Every file of the zip carries this time (zip stores local time: UTC makes it the same anywhere).
fixed_time="2026-01-01 00:00:00"
export TZ=UTC LC_ALL=C

stage="$zip_path.stage"
rm -rf "$stage"
mkdir -p "$stage/$top/ScriptsMacros"
cp "$out/Tressel.exe" "$stage/$top/"
for input in R M X1 X2 WD WU; do cp "$out/Tarnhook$input.dll" "$stage/$top/"; done
cp "$src"/resources/ScriptsMacros/*.txt "$stage/$top/ScriptsMacros/"
# Windows' Notepad before 2018 shows LF-only text as one line.
crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$1" >"$2"; }
crlf "$src/docs/UserGuide.txt" "$stage/$top/README.txt"
crlf "$src/LICENSE" "$stage/$top/LICENSE.txt"
(cd "$stage/$top" && find . -type f -printf '%P\n' | sort | xargs -d '\n' sha256sum) >"$stage/SHA256SUMS"
mv "$stage/SHA256SUMS" "$stage/$top/SHA256SUMS"

find "$stage" -type f -exec chmod 0644 {} + -exec touch -d "$fixed_time" {} +
find "$stage" -type d -exec chmod 0755 {} + -exec touch -d "$fixed_time" {} +
rm -f "$zip_path.tmp"
(cd "$stage" && find "$top" -type f | sort | zip -q -X -D -9 "$zip_path.tmp" -@)
mv "$zip_path.tmp" "$zip_path"
rm -rf "$stage"
