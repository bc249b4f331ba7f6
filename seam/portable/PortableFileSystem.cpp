#include "seam/portable/PortableFileSystem.h"

#include <filesystem>
#include <fstream>

#include "seam/portable/PortablePath.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tressel {
namespace {

#ifndef _WIN32
bool SyncPath(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    return (::close(fd) == 0) && synced;
}
#endif

}  // namespace

bool PortableFileSystem::Exists(const std::wstring& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(ToHostPath(path), error);
}

bool PortableFileSystem::FolderExists(const std::wstring& path) {
    std::error_code error;
    return std::filesystem::is_directory(ToHostPath(path), error);
}

bool PortableFileSystem::Copy(const std::wstring& from, const std::wstring& to) {
    std::error_code error;
    return std::filesystem::copy_file(ToHostPath(from), ToHostPath(to),
                                      std::filesystem::copy_options::overwrite_existing, error) &&
           !error;
}

bool PortableFileSystem::CreateUnicodeFile(const std::wstring& path) {
    std::ofstream out(ToHostPath(path), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write("\xFF\xFE", 2);
    out.close();
    return static_cast<bool>(out);
}

bool PortableFileSystem::FlushToDisk(const std::wstring& path) {
#ifdef _WIN32
    // Windows builds use the Win32 file system; here only whether the file is there counts.
    return Exists(path);
#else
    return SyncPath(ToHostPath(path), O_RDONLY);
#endif
}

bool PortableFileSystem::ReplaceAtomically(const std::wstring& from, const std::wstring& to) {
    const std::filesystem::path target = ToHostPath(to);
    std::error_code error;
    std::filesystem::rename(ToHostPath(from), target, error);
    if (error) return false;
#ifndef _WIN32
    // Makes the rename itself durable: the directory entry lives in the folder.
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    SyncPath(folder, O_RDONLY | O_DIRECTORY);
#endif
    return true;
}

bool PortableFileSystem::Remove(const std::wstring& path) {
    std::error_code error;
    return std::filesystem::remove(ToHostPath(path), error);
}

bool PortableFileSystem::CanRead(const std::wstring& path) {
    if (!Exists(path)) return false;
    std::ifstream in(ToHostPath(path), std::ios::binary);
    if (!in) return false;
    in.peek();
    return !in.bad();
}

bool PortableFileSystem::RenameNoReplace(const std::wstring& from, const std::wstring& to) {
    std::error_code error;
    // Not atomic against another writer of `to`; enough for the settings file's backup name.
    if (std::filesystem::exists(ToHostPath(to), error) || error) return false;
    std::filesystem::rename(ToHostPath(from), ToHostPath(to), error);
    return !error;
}

std::optional<FileStamp> PortableFileSystem::Stamp(const std::wstring& path) {
    std::error_code error;
    const std::filesystem::path host = ToHostPath(path);
    const auto size = std::filesystem::file_size(host, error);
    if (error) return std::nullopt;
    const auto written = std::filesystem::last_write_time(host, error);
    if (error) return std::nullopt;
    return FileStamp{size, static_cast<std::uint64_t>(written.time_since_epoch().count())};
}

std::unique_ptr<ReadHold> PortableFileSystem::HoldReadable(const std::wstring& path) {
    if (!CanRead(path)) return nullptr;
    return std::make_unique<ReadHold>();
}

bool PortableFileSystem::CanWrite(const std::wstring& path) {
#ifdef _WIN32
    return Exists(path) || FolderExists(ToHostPath(path).parent_path().wstring());
#else
    const std::filesystem::path host = ToHostPath(path);
    if (Exists(path)) return ::access(host.c_str(), W_OK) == 0;
    const std::filesystem::path folder = host.has_parent_path() ? host.parent_path() : ".";
    return ::access(folder.c_str(), W_OK) == 0;
#endif
}

bool PortableFileSystem::CreateFolder(const std::wstring& path) {
    std::error_code error;
    std::filesystem::create_directory(ToHostPath(path), error);
    return FolderExists(path);
}

}  // namespace tressel
