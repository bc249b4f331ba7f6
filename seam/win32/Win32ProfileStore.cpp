#include "seam/win32/Win32ProfileStore.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace tressel {

std::wstring Win32ProfileStore::GetString(const std::wstring& file, const std::wstring& section,
                                          const std::wstring& key, const std::wstring& defaultValue,
                                          std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bufferSize, MAXDWORD));
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD length = GetPrivateProfileStringW(
        section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(), size, file.c_str());
    return std::wstring(buffer.data(), std::min<DWORD>(length, size - 1));
}

bool Win32ProfileStore::WriteString(const std::wstring& file, const std::wstring& section,
                                    const std::optional<std::wstring>& key,
                                    const std::optional<std::wstring>& value) {
    return WritePrivateProfileStringW(section.c_str(), key ? key->c_str() : nullptr,
                                      value ? value->c_str() : nullptr, file.c_str()) != FALSE;
}

void Win32ProfileStore::Flush(const std::wstring& file) {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
}

}  // namespace tressel
