#include "macros/ScriptTextReader.h"

#include <cstdint>
#include <filesystem>

#include "seam/portable/PortablePath.h"

namespace tressel {
ScriptTextReader::ScriptTextReader(const std::wstring& path) {
    std::error_code error;
    const std::filesystem::path fsPath = ToHostPath(path);
    // A folder (an empty file name names the scripts folder itself) opens on some systems but
    // is no script.
    if (std::filesystem::is_directory(fsPath, error)) return;
    file_.open(fsPath, std::ios::in | std::ios::binary);
    open_ = file_.is_open();
    if (open_) {
        const std::uintmax_t size = std::filesystem::file_size(fsPath, error);
        if (!error && size <= SIZE_MAX) size_ = static_cast<std::size_t>(size);
        tooLarge_ = !error && size > kMaxFileBytes;
    }
}

std::size_t ScriptTextReader::Read(char* buffer, std::size_t size) {
    file_.read(buffer, static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(file_.gcount());
}

bool ScriptTextReader::Failed() const { return file_.bad(); }

}  // namespace tressel
