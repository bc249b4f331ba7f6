#pragma once
// Real files for native tests: a private folder under the system's temporary folder, removed
// with all it holds when it goes out of scope, and whole files read and written as bytes.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace tressel::testing {

// A new, empty folder named for its purpose, the process and a count; the caller removes it.
inline std::filesystem::path MakeTempFolder(std::string_view purpose) {
    static std::atomic<int> counter{0};
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("tressel-" + std::string(purpose) + "-" + std::to_string(::getpid()) + "-" +
         std::to_string(counter++));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

class TempFolder {
  public:
    explicit TempFolder(std::string_view purpose) : path_(MakeTempFolder(purpose)) {}
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// The file's bytes; empty when it cannot be read.
inline std::string ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFileBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tressel::testing
