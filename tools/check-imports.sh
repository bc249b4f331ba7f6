#!/usr/bin/env bash
# Checks the zip a user downloads: every PE file in it imports only Windows system libraries
# or the six hook libraries, and carries no debug data. Anything else (libstdc++-6.dll,
# libwinpthread-1.dll, libgcc_s_seh-1.dll ...) would be missing on the user's machine.
#   tools/check-imports.sh <zip>
set -uo pipefail
zip=$1
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}

# Libraries every supported Windows has in System32, and the program's own hook libraries
# (powrprof.dll: GetPwrCapabilities and SetSuspendState, for Stand By and hibernation;
# oleacc.dll and oleaut32.dll: the buttons' accessible names for screen readers).
allowed=(kernel32.dll user32.dll gdi32.dll gdiplus.dll comctl32.dll comdlg32.dll shell32.dll
         advapi32.dll ole32.dll oleaut32.dll oleacc.dll shlwapi.dll msvcrt.dll winmm.dll
         wtsapi32.dll powrprof.dll
         tarnhookr.dll tarnhookm.dll tarnhookx1.dll tarnhookx2.dll tarnhookwd.dll tarnhookwu.dll)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work" || { echo "cannot unpack $zip"; exit 1; }

status=0
checked=0
while IFS= read -r -d '' file; do
  [ "$(head -c 2 "$file")" = "MZ" ] || continue
  checked=$((checked + 1))
  name=${file#"$work"/}
  if ! dump=$("$objdump" -p "$file" 2>&1); then
    echo "FAIL $name: objdump cannot read it"
    status=1
    continue
  fi
  imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
  [ -n "$imports" ] || { echo "FAIL $name: no import table found"; status=1; }
  for dll in $imports; do
    lower=${dll,,}
    if [[ " ${allowed[*]} " != *" $lower "* ]]; then
      echo "FAIL $name imports $dll, which Windows does not have"
      status=1
    fi
  done
  if "$objdump" -h "$file" | grep -q ' \.debug'; then
    echo "FAIL $name carries debug sections (not stripped)"
    status=1
  fi
  echo "$name: $(echo $imports)"
done < <(find "$work" -type f -print0 | sort -z)

((checked == 7)) || { echo "FAIL expected 7 PE files (Tressel.exe and six hook libraries), found $checked"; status=1; }
exit $status
