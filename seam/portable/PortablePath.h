#pragma once
// Wide Windows-style paths as host file-system paths: on non-Windows hosts '\' becomes '/'
// and the (UTF-32) wide text becomes the UTF-8 that POSIX expects.

#include <filesystem>
#include <string>

namespace tressel {

std::filesystem::path ToHostPath(const std::wstring& path);

}  // namespace tressel
