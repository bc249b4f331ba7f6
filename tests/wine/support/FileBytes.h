#pragma once
// A file's bytes whole, read and written as they are: for tests that compare settings files
// byte for byte.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tressel::testing {

inline std::string FileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace tressel::testing
