#include "seam/portable/PortablePath.h"

namespace tressel {

std::filesystem::path ToHostPath(const std::wstring& path) {
#ifdef _WIN32
    return std::filesystem::path(path);
#else
    std::u32string converted;
    converted.reserve(path.size());
    for (wchar_t c : path) converted.push_back(c == L'\\' ? U'/' : static_cast<char32_t>(c));
    return std::filesystem::path(converted);
#endif
}

}  // namespace tressel
