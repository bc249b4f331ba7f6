#pragma once
// Values under HKEY_CURRENT_USER as the tests read and set them: the program's Run entry and its
// stored BootValue, and settings of the prefix a test changes for a while (the resolution, the
// dialog font's replacement).

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tressel::testing {

inline constexpr wchar_t kAbsent[] = L"<absent>";

// The Run entry "ZornApplication" and the program's "BootValue"; kAbsent when not there.
std::wstring RunEntry();
std::wstring BootValue();
void SetRunEntry(const std::wstring& commandLine);
void SetBootValue(const std::wstring& value);

// Sets the value `name` of HKEY_CURRENT_USER\`key` (a number, a string, or nothing: removed)
// until the object goes out of scope, which puts back what was there before. Wine reads such
// settings when a process starts.
class ScopedUserValue {
  public:
    ScopedUserValue(const wchar_t* key, const wchar_t* name, DWORD number);
    ScopedUserValue(const wchar_t* key, const wchar_t* name, const wchar_t* textOrNull);
    ScopedUserValue(const ScopedUserValue&) = delete;
    ScopedUserValue& operator=(const ScopedUserValue&) = delete;
    ~ScopedUserValue();

  private:
    struct Value {
        DWORD type;
        std::vector<BYTE> bytes;
    };
    void Remember();
    void Set(const std::optional<Value>& value) const;

    const wchar_t* key_;
    const wchar_t* name_;
    std::optional<Value> previous_;
};

}  // namespace tressel::testing
