#include "wine/support/UnixFiles.h"

#include <windows.h>

#include <utility>

#include "wine/support/UnixCommand.h"

namespace tressel::testing {

std::string UnixPathOf(const std::wstring& path) {
    // Wine's export answers UTF-8 on the process heap.
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = toUnix ? toUnix(path.c_str()) : nullptr;
    if (!unix) return {};
    std::string result(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::wstring DosPathOf(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

UnixChange::UnixChange(const std::string& command, std::string undo)
    : undo_(std::move(undo)), made_(RunUnixCommand(command)) {}

UnixChange::UnixChange(UnixChange&& other) noexcept
    : undo_(std::move(other.undo_)), made_(std::exchange(other.made_, false)) {}

void UnixChange::Undo() {
    if (made_) made_ = !RunUnixCommand(undo_);
}

UnixChange UnixChange::Immutable(const std::wstring& path) {
    const std::string unix = UnixPathOf(path);
    if (unix.empty()) return UnixChange("false", "true");
    return UnixChange("chattr +i " + ShellQuote(unix), "chattr -i " + ShellQuote(unix));
}

UnixChange UnixChange::MovedAway(const std::wstring& folder, const std::wstring& away) {
    const std::string from = UnixPathOf(folder), to = UnixPathOf(away);
    if (from.empty() || to.empty()) return UnixChange("false", "true");
    return UnixChange("mv " + ShellQuote(from) + " " + ShellQuote(to),
                      "mv " + ShellQuote(to) + " " + ShellQuote(from));
}

}  // namespace tressel::testing
