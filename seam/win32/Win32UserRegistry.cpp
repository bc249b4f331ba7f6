#include "seam/win32/Win32UserRegistry.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "framework/UniqueHandle.h"

namespace tressel {
namespace {
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kStartupApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// A value's bytes as stored, when it is of one of `types`; nullopt when the key or the value is
// absent or the value is of another type.
std::optional<std::vector<std::uint8_t>> ReadBytes(const wchar_t* subKey, const std::wstring& name,
                                                   std::initializer_list<DWORD> types) {
    UniqueRegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return std::nullopt;
    auto accepted = [&](DWORD type) {
        return std::find(types.begin(), types.end(), type) != types.end();
    };
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        !accepted(type)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(bytes);
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, data.data(), &bytes) !=
            ERROR_SUCCESS ||
        !accepted(type)) {
        return std::nullopt;
    }
    data.resize(bytes);
    return data;
}

// A REG_SZ or REG_EXPAND_SZ value as stored (not expanded) up to its first null: the data need
// not end with one (RegQueryValueExW); nullopt for anything else.
std::optional<std::wstring> ReadString(const std::wstring& subKey, const std::wstring& name) {
    const auto data = ReadBytes(subKey.c_str(), name, {REG_SZ, REG_EXPAND_SZ});
    if (!data) return std::nullopt;
    std::wstring text(data->size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data->data(), text.size() * sizeof(wchar_t));
    if (const auto end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
    return text;
}

UniqueRegistryKey OpenForChange(const wchar_t* subKey) {
    UniqueRegistryKey key;
    RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, KEY_SET_VALUE, key.put());
    return key;
}

bool DeleteValue(const wchar_t* subKey, const std::wstring& name) {
    UniqueRegistryKey key = OpenForChange(subKey);
    if (!key) return false;
    return RegDeleteValueW(key.get(), name.c_str()) == ERROR_SUCCESS;
}
}  // namespace

Win32UserRegistry::Win32UserRegistry(std::wstring storeName, std::wstring applicationName)
    : storeName_(std::move(storeName)), applicationName_(std::move(applicationName)) {}

std::wstring Win32UserRegistry::SectionKey(const std::wstring& section) const {
    return L"Software\\" + storeName_ + L"\\" + applicationName_ + L"\\" + section;
}

std::optional<std::wstring> Win32UserRegistry::ReadProfileValue(const std::wstring& section,
                                                                const std::wstring& entry) {
    return ReadString(SectionKey(section), entry);
}

bool Win32UserRegistry::WriteProfileValue(const std::wstring& section, const std::wstring& entry,
                                          const std::wstring& value) {
    UniqueRegistryKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExW(
               key.get(), entry.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::optional<std::wstring> Win32UserRegistry::ReadRunValue(const std::wstring& name) {
    return ReadString(kRunKey, name);
}

bool Win32UserRegistry::SetRunValue(const std::wstring& name, const std::wstring& commandLine) {
    UniqueRegistryKey key = OpenForChange(kRunKey);
    if (!key) return false;
    return RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(commandLine.c_str()),
                          static_cast<DWORD>((commandLine.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

bool Win32UserRegistry::DeleteRunValue(const std::wstring& name) {
    return DeleteValue(kRunKey, name);
}

std::optional<std::vector<std::uint8_t>> Win32UserRegistry::ReadStartupApproval(
    const std::wstring& name) {
    return ReadBytes(kStartupApprovedKey, name, {REG_BINARY});
}

bool Win32UserRegistry::DeleteStartupApproval(const std::wstring& name) {
    return DeleteValue(kStartupApprovedKey, name);
}

}  // namespace tressel
