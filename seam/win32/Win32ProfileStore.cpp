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

// "If the buffer is not large enough to contain all the section names associated with the
// specified initialization file, the return value is equal to the size specified by nSize minus
// two" (learn.microsoft.com/windows/win32/api/winbase/nf-winbase-getprivateprofilesectionnamesw):
// the buffer grows until the names fit. They come as a list of strings each ended by a null, the
// last followed by a second null.
std::vector<std::wstring> Win32ProfileStore::SectionNames(const std::wstring& file) {
    for (DWORD size = 4096;; size *= 2) {
        std::vector<wchar_t> buffer(size, L'\0');
        const DWORD length = GetPrivateProfileSectionNamesW(buffer.data(), size, file.c_str());
        if (length == size - 2 && size < (1u << 26)) continue;
        std::vector<std::wstring> names;
        for (DWORD at = 0; at < length && buffer[at] != L'\0';) {
            names.emplace_back(buffer.data() + at);
            at += static_cast<DWORD>(names.back().size()) + 1;
        }
        return names;
    }
}

}  // namespace tressel
