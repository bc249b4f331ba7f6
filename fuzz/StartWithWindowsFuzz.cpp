// The start-with-Windows values: any "BootValue" text read as the C library reads a decimal
// number, and any Run entry text (with the same BootValue), from which a toggle must flip the
// state the tray menu shows.

#include <cstdlib>
#include <cwchar>
#include <limits>
#include <map>

#include "FuzzSupport.h"
#include "app/StartWithWindows.h"

using namespace tressel;

namespace {

class MemoryRegistry : public UserRegistry {
  public:
    std::optional<std::wstring> ReadProfileValue(const std::wstring& section,
                                                 const std::wstring& entry) override {
        const auto it = profile.find(section + L"/" + entry);
        if (it == profile.end()) return std::nullopt;
        return it->second;
    }
    bool WriteProfileValue(const std::wstring& section, const std::wstring& entry,
                           const std::wstring& value) override {
        profile[section + L"/" + entry] = value;
        return true;
    }
    std::optional<std::wstring> ReadRunValue(const std::wstring& name) override {
        const auto it = run.find(name);
        if (it == run.end()) return std::nullopt;
        return it->second;
    }
    bool SetRunValue(const std::wstring& name, const std::wstring& commandLine) override {
        run[name] = commandLine;
        return true;
    }
    bool DeleteRunValue(const std::wstring& name) override { return run.erase(name) > 0; }

    std::map<std::wstring, std::wstring> profile;
    std::map<std::wstring, std::wstring> run;
};

// The C library's own conversion, clamped to 32 bits as a Windows long is.
int Reference(const std::wstring& text) {
    const long long value = std::wcstoll(text.c_str(), nullptr, 10);
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::Utf16Units(data, size);
    // Compared where the host library's character classes are those of Windows: ASCII
    // without NUL (the C function stops at NUL).
    std::wstring ascii;
    for (const std::uint8_t byte : std::string_view(reinterpret_cast<const char*>(data), size)) {
        if (byte & 0x7F) ascii += static_cast<wchar_t>(byte & 0x7F);
    }
    if (ParseDecimal(ascii) != Reference(ascii)) std::abort();

    const std::wstring exe = L"C:\\Program Files\\Tressel\\Tressel.exe";
    MemoryRegistry registry;
    registry.profile[std::wstring(kBootSection) + L"/" + kBootEntry] = text;
    registry.run[kRunValueName] = text;
    const bool before = IsStartWithWindowsOn(registry, exe);
    ToggleStartWithWindows(registry, exe);
    if (IsStartWithWindowsOn(registry, exe) == before) std::abort();
    return 0;
}
