#!/usr/bin/env bash
# Checks that the release zip is reproducible: builds it a second time from the same sources in
# another folder and compares the two zips byte for byte.
#   tools/check-reproducible.sh <source folder> <zip built there>
# The second build gets the files git knows in the source folder (tracked and new, not ignored),
# so on a clean checkout it builds exactly the same commit. Prints what the second build cost.
set -uo pipefail
src=$(cd "$1" && pwd)
zip=$2
[ -f "$zip" ] || { echo "no zip at $zip"; exit 1; }

work=$(mktemp -d /tmp/tressel-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT
copy="$work/elsewhere/tressel"
mkdir -p "$copy"
if git -C "$src" rev-parse --git-dir >/dev/null 2>&1; then
  (cd "$src" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 -I{} sh -c '[ -e "$1" ] && printf "%s\0" "$1"' _ {} |
    tar --null -T - -cf -) | tar -xf - -C "$copy" || { echo "cannot copy the sources"; exit 1; }
else
  tar -C "$src" --exclude=./build -cf - . | tar -xf - -C "$copy" || { echo "cannot copy the sources"; exit 1; }
fi

start=$SECONDS
log="$work/build.log"
if ! (cd "$copy" && cmake --preset windows-release -DBUILD_TESTING=OFF &&
      cmake --build --preset windows-release --target package_zip) >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "FAIL the second build failed"
  exit 1
fi
echo "second release build: $((SECONDS - start)) s"

second="$copy/build/windows-release/$(basename "$zip")"
if cmp -s "$zip" "$second"; then
  echo "identical: $(basename "$zip") ($(stat -c %s "$zip") bytes, sha256 $(sha256sum "$zip" | cut -d' ' -f1))"
  exit 0
fi
echo "FAIL the two zips differ:"
mkdir -p "$work/a" "$work/b"
unzip -q "$zip" -d "$work/a"
unzip -q "$second" -d "$work/b"
diff -rq "$work/a" "$work/b"
zipinfo -v "$zip" >"$work/a.info"
zipinfo -v "$second" >"$work/b.info"
diff "$work/a.info" "$work/b.info" | head -n 20
exit 1
