#pragma once
// Start with Windows: "BootValue" in the per-user store decides the check mark and the direction
// of the next toggle; the Run entry makes Windows start the program hidden at logon.

#include <optional>
#include <string>
#include <string_view>

#include "seam/UserRegistry.h"

namespace tressel {

inline constexpr wchar_t kBootSection[] = L"ZornMouseApplication";
inline constexpr wchar_t kBootEntry[] = L"BootValue";
inline constexpr wchar_t kRunValueName[] = L"ZornApplication";

// The C library's decimal conversion: leading white space skipped, optional sign, digits up to
// the first other character; no digits give 0. Values beyond 32 bits are clamped.
int ParseDecimal(std::wstring_view text);

// "BootValue" 0 (or absent) means on.
bool IsStartWithWindowsOn(UserRegistry& registry);

// The Run entry's command line: the executable's path in double quotes, then " -run". The
// quotes keep a path with blanks from being read as a shorter program path (C:\Program.exe).
std::wstring RunCommandLineFor(const std::wstring& executablePath);

void ToggleStartWithWindows(UserRegistry& registry, const std::wstring& executablePath);

}  // namespace tressel
