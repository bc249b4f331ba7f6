#pragma once
// What the fuzz harnesses share: a private scratch folder for the files a harness hands to the
// code under test, wide text made of the input's bytes the way Windows text arrives, and the
// C library as the reference for decimal numbers.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <string_view>

namespace tressel::fuzz {

// One folder per process, on a memory file system when there is one, removed at exit.
class ScratchFolder {
  public:
    static ScratchFolder& Instance() {
        static ScratchFolder folder;
        return folder;
    }
    const std::filesystem::path& Path() const { return root_; }
    // The folder as a program folder path: no trailing separator.
    std::wstring Wide() const { return Widen(root_.string()); }
    std::wstring Wide(const std::string& name) const { return Widen((root_ / name).string()); }

    void Write(const std::string& name, std::string_view bytes) const {
        std::ofstream out(root_ / name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) std::abort();  // the harness itself failed: no input can be tested
    }

    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

  private:
    ScratchFolder() {
        std::error_code error;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, error))
            base = std::filesystem::temp_directory_path();
        root_ = base / ("tressel-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root_ / "ScriptsMacros");
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    static std::wstring Widen(const std::string& narrow) {
        return std::wstring(narrow.begin(), narrow.end());
    }

    std::filesystem::path root_;
};

// The bytes as UTF-16 code units, little-endian (a trailing odd byte is dropped): what a
// command line, a registry value or a profile string holds on Windows.
inline std::wstring Utf16Units(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    }
    return text;
}

// Every byte as the character of the same code (0..255), as script text is widened.
inline std::wstring Latin1(const std::uint8_t* data, std::size_t size) {
    return std::wstring(data, data + size);
}

// The bytes' low seven bits, NUL left out: text on which the host C library's character classes
// are those of Windows (ASCII), and which its functions read to the end (they stop at NUL).
inline std::wstring AsciiWithoutNul(const std::uint8_t* data, std::size_t size) {
    std::wstring ascii;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] & 0x7F) ascii += static_cast<wchar_t>(data[i] & 0x7F);
    }
    return ascii;
}

// The C library's own decimal conversion, clamped to 32 bits as a Windows long is.
inline std::int32_t ReferenceDecimal(const wchar_t* text) {
    const long long value = std::wcstoll(text, nullptr, 10);
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace tressel::fuzz
