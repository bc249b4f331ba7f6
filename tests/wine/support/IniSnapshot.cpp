#include "wine/support/IniSnapshot.h"

#include <windows.h>

#include <vector>

#include "framework/UniqueHandle.h"

namespace tressel::testing {
namespace {

std::optional<std::wstring> ReadText(const std::wstring& path) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::vector<unsigned char> bytes;
    unsigned char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::wstring text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
    } else {
        for (unsigned char c : bytes) text += static_cast<wchar_t>(c);
    }
    return text;
}

std::wstring Trim(const std::wstring& s) {
    const auto first = s.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return L"";
    const auto last = s.find_last_not_of(L" \t");
    return s.substr(first, last - first + 1);
}

std::string Narrow(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

}  // namespace

std::optional<IniSection> ReadIniSection(const std::wstring& path, const std::wstring& section) {
    const auto text = ReadText(path);
    if (!text) return std::nullopt;
    std::optional<IniSection> found;
    bool inside = false;
    std::size_t at = 0;
    while (at <= text->size()) {
        std::size_t end = text->find(L'\n', at);
        if (end == std::wstring::npos) end = text->size();
        std::wstring line = text->substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        line = Trim(line);
        if (line.empty() || line[0] == L';') continue;
        if (line[0] == L'[') {
            const auto close = line.find(L']');
            inside =
                close != std::wstring::npos &&
                CompareStringOrdinal(line.c_str() + 1, static_cast<int>(close - 1), section.c_str(),
                                     static_cast<int>(section.size()), TRUE) == CSTR_EQUAL;
            if (inside && !found) found.emplace();
            continue;
        }
        if (!inside) continue;
        const auto equals = line.find(L'=');
        if (equals == std::wstring::npos) {
            (*found)[line] = L"";
        } else {
            (*found)[Trim(line.substr(0, equals))] = Trim(line.substr(equals + 1));
        }
    }
    return found;
}

std::string Describe(const std::optional<IniSection>& section) {
    if (!section) return "<no section>";
    std::string out;
    for (const auto& [key, value] : *section) out += Narrow(key) + "=" + Narrow(value) + " ";
    return out;
}

}  // namespace tressel::testing
