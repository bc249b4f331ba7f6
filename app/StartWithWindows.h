#pragma once
// Start with Windows. The truth is the Run entry: the option is on while the entry starts this
// program, whatever "BootValue" in the per-user store says. "BootValue" is kept in step ("0" on,
// "1" off) for existing profiles, and tells at start whether the user had the option on.

#include <string>
#include <string_view>

#include "seam/FileSystem.h"
#include "seam/UserRegistry.h"

namespace tressel {

inline constexpr wchar_t kBootSection[] = L"ZornMouseApplication";
inline constexpr wchar_t kBootEntry[] = L"BootValue";
inline constexpr wchar_t kRunValueName[] = L"ZornApplication";

// The C library's decimal conversion: leading white space skipped, optional sign, digits up to
// the first other character; no digits give 0. Values beyond 32 bits are clamped.
int ParseDecimal(std::wstring_view text);

// "BootValue" 0 (or absent) means on.
bool BootValueSaysOn(UserRegistry& registry);

// The Run entry's command line: the executable's path in double quotes, then " -run". The
// quotes keep a path with blanks from being read as a shorter program path (C:\Program.exe).
std::wstring RunCommandLineFor(const std::wstring& executablePath);

// The program a Run entry's command line starts: a quoted path, or an unquoted one followed by
// " -run" as earlier versions wrote it.
std::wstring RunEntryProgram(std::wstring_view commandLine);

// The check mark: the Run entry exists, starts this executable (paths compared without regard
// to case, as Windows does) and is not turned off in Task Manager's Startup page.
bool IsStartWithWindowsOn(UserRegistry& registry, const std::wstring& executablePath);

// Turns the option on when it is off and off when it is on, then writes "BootValue" for the
// outcome, so that it stays in step even when the Run key refused the change. Turning it on
// also lifts Task Manager's "disabled" from the entry.
void ToggleStartWithWindows(UserRegistry& registry, const std::wstring& executablePath);

// At start: while the user had the option on ("BootValue" on, a Run entry present) and the
// entry names a program file that no longer exists (the folder has moved), the entry is
// rewritten to this executable. An entry of another copy that still exists is left alone. An
// entry of this program in the old unquoted form is rewritten quoted.
void RefreshRunEntryAtStart(UserRegistry& registry, FileSystem& files,
                            const std::wstring& executablePath);

}  // namespace tressel
