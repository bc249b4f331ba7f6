#include "macros/ScriptTextReader.h"

#include <cstdint>
#include <filesystem>

namespace tressel {
namespace {

std::filesystem::path ToFileSystemPath(const std::wstring& path) {
#ifdef _WIN32
    return std::filesystem::path(path);
#else
    // wchar_t holds UTF-32 here; the u32string form converts to the UTF-8 that POSIX expects.
    std::u32string converted;
    converted.reserve(path.size());
    for (wchar_t c : path) converted.push_back(c == L'\\' ? U'/' : static_cast<char32_t>(c));
    return std::filesystem::path(converted);
#endif
}

}  // namespace

ScriptTextReader::ScriptTextReader(const std::wstring& path) {
    std::error_code error;
    const std::filesystem::path fsPath = ToFileSystemPath(path);
    // A folder (an empty file name names the scripts folder itself) opens on some systems but
    // is no script.
    if (std::filesystem::is_directory(fsPath, error)) return;
    file_.open(fsPath, std::ios::in | std::ios::binary);
    open_ = file_.is_open();
    if (open_) {
        const std::uintmax_t size = std::filesystem::file_size(fsPath, error);
        if (!error && size <= SIZE_MAX) size_ = static_cast<std::size_t>(size);
    }
}

std::size_t ScriptTextReader::Read(char* buffer, std::size_t size) {
    file_.read(buffer, static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(file_.gcount());
}

bool ScriptTextReader::Failed() const { return file_.bad(); }

}  // namespace tressel
