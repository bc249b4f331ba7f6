#pragma once
// The start argument: a start by Windows at logon passes " -run" and keeps the window hidden.

#include <string>
#include <string_view>

namespace tressel {

// Whether the window may be shown at once: false only when the text from the command line's last
// "-" to its end (the whole line when there is no "-") is exactly "-run".
inline bool ShowAllowedByCommandLine(std::wstring_view commandLine) {
    const auto dash = commandLine.rfind(L'-');
    const std::wstring_view tail =
        dash == std::wstring_view::npos ? commandLine : commandLine.substr(dash);
    return tail != L"-run";
}

// The executable's folder without the trailing backslash; empty when the path has none.
inline std::wstring FolderOf(std::wstring_view moduleFileName) {
    const auto slash = moduleFileName.rfind(L'\\');
    if (slash == std::wstring_view::npos) return {};
    return std::wstring(moduleFileName.substr(0, slash));
}

}  // namespace tressel
