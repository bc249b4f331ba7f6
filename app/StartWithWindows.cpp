#include "app/StartWithWindows.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cwctype>

namespace tressel {
namespace {

constexpr std::wstring_view kRunArgument = L" -run";

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool SamePath(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
        return std::towlower(static_cast<std::wint_t>(x)) ==
               std::towlower(static_cast<std::wint_t>(y));
    });
}

// Task Manager's Startup page (and Settings' Startup apps) turns a Run entry off without
// removing it: the StartupApproved value of the entry's name then begins with an odd byte (03, 07
// followed by the time it was turned off; 02 and 06 are on), and Windows skips the entry.
bool OffInTaskManager(UserRegistry& registry) {
    const auto approval = registry.ReadStartupApproval(kRunValueName);
    return approval && !approval->empty() && ((*approval)[0] & 1) != 0;
}

}  // namespace

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

bool BootValueSaysOn(UserRegistry& registry) {
    return ParseDecimal(registry.ReadProfileValue(kBootSection, kBootEntry).value_or(L"")) == 0;
}

std::wstring RunCommandLineFor(const std::wstring& executablePath) {
    return L"\"" + executablePath + L"\"" + std::wstring(kRunArgument);
}

std::wstring RunEntryProgram(std::wstring_view commandLine) {
    while (!commandLine.empty() && IsBlank(commandLine.front())) commandLine.remove_prefix(1);
    if (!commandLine.empty() && commandLine.front() == L'"') {
        commandLine.remove_prefix(1);
        return std::wstring(commandLine.substr(0, commandLine.find(L'"')));
    }
    if (commandLine.ends_with(kRunArgument)) commandLine.remove_suffix(kRunArgument.size());
    while (!commandLine.empty() && IsBlank(commandLine.back())) commandLine.remove_suffix(1);
    return std::wstring(commandLine);
}

bool IsStartWithWindowsOn(UserRegistry& registry, const std::wstring& executablePath) {
    const auto entry = registry.ReadRunValue(kRunValueName);
    return entry && SamePath(RunEntryProgram(*entry), executablePath) &&
           !OffInTaskManager(registry);
}

void ToggleStartWithWindows(UserRegistry& registry, const std::wstring& executablePath) {
    if (IsStartWithWindowsOn(registry, executablePath)) {
        registry.DeleteRunValue(kRunValueName);
    } else {
        registry.SetRunValue(kRunValueName, RunCommandLineFor(executablePath));
        // Without its StartupApproved value an entry starts, as one Task Manager never saw.
        if (OffInTaskManager(registry)) registry.DeleteStartupApproval(kRunValueName);
    }
    registry.WriteProfileValue(kBootSection, kBootEntry,
                               IsStartWithWindowsOn(registry, executablePath) ? L"0" : L"1");
}

void RefreshRunEntryAtStart(UserRegistry& registry, FileSystem& files,
                            const std::wstring& executablePath) {
    const auto entry = registry.ReadRunValue(kRunValueName);
    if (!entry) return;
    const std::wstring current = RunCommandLineFor(executablePath);
    const std::wstring named = RunEntryProgram(*entry);
    const bool ours = SamePath(named, executablePath);
    const bool moved = !ours && BootValueSaysOn(registry) && !files.Exists(named);
    if ((ours && *entry != current) || moved) registry.SetRunValue(kRunValueName, current);
}

}  // namespace tressel
