#include "wine/support/UserRegistryValues.h"

namespace tressel::testing {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kStoreKey[] = L"Software\\Corvane Tressel\\Tressel\\ZornMouseApplication";

std::wstring UserString(const wchar_t* key, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &bytes) !=
        ERROR_SUCCESS)
        return kAbsent;
    return value;
}

void SetUserString(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

std::wstring RunEntry() { return UserString(kRunKey, L"ZornApplication"); }
std::wstring BootValue() { return UserString(kStoreKey, L"BootValue"); }
void SetRunEntry(const std::wstring& commandLine) {
    SetUserString(kRunKey, L"ZornApplication", commandLine);
}
void SetBootValue(const std::wstring& value) { SetUserString(kStoreKey, L"BootValue", value); }

ScopedUserValue::ScopedUserValue(const wchar_t* key, const wchar_t* name, DWORD number)
    : key_(key), name_(name) {
    Remember();
    const auto* bytes = reinterpret_cast<const BYTE*>(&number);
    Set(Value{REG_DWORD, {bytes, bytes + sizeof number}});
}

ScopedUserValue::ScopedUserValue(const wchar_t* key, const wchar_t* name, const wchar_t* textOrNull)
    : key_(key), name_(name) {
    Remember();
    const auto* bytes = reinterpret_cast<const BYTE*>(textOrNull);
    if (textOrNull)
        Set(Value{REG_SZ, {bytes, bytes + (wcslen(textOrNull) + 1) * sizeof(wchar_t)}});
    else
        Set(std::nullopt);
}

ScopedUserValue::~ScopedUserValue() { Set(previous_); }

void ScopedUserValue::Remember() {
    DWORD type = 0, size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key_, name_, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                     &size) != ERROR_SUCCESS)
        return;
    Value value{type, std::vector<BYTE>(size)};
    if (RegGetValueW(HKEY_CURRENT_USER, key_, name_, RRF_RT_ANY | RRF_NOEXPAND, &type,
                     value.bytes.data(), &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        previous_ = std::move(value);
    }
}

void ScopedUserValue::Set(const std::optional<Value>& value) const {
    if (value) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, value->type, value->bytes.data(),
                        static_cast<DWORD>(value->bytes.size()));
    } else {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, key_, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        RegDeleteValueW(key, name_);
        RegCloseKey(key);
    }
}

}  // namespace tressel::testing
