#include "app/StartWithWindows.h"

#include <climits>
#include <cstdint>

namespace tressel {

int ParseDecimal(std::wstring_view text) {
    std::size_t i = 0;
    auto isSpace = [](wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); };
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1)
            value = static_cast<std::int64_t>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool IsStartWithWindowsOn(UserRegistry& registry) {
    return ParseDecimal(registry.ReadProfileValue(kBootSection, kBootEntry).value_or(L"")) == 0;
}

std::wstring RunCommandLineFor(const std::wstring& executablePath) {
    return L"\"" + executablePath + L"\" -run";
}

void ToggleStartWithWindows(UserRegistry& registry, const std::wstring& executablePath) {
    // The store value goes first and stays whatever happens to the Run key, so that the check
    // mark always follows the toggle.
    if (!IsStartWithWindowsOn(registry)) {
        registry.WriteProfileValue(kBootSection, kBootEntry, L"0");
        registry.SetRunValue(kRunValueName, RunCommandLineFor(executablePath));
    } else {
        registry.WriteProfileValue(kBootSection, kBootEntry, L"1");
        registry.DeleteRunValue(kRunValueName);
    }
}

}  // namespace tressel
