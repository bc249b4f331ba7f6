#include "programs/ProgramFileName.h"

namespace tressel {
namespace {

wchar_t FoldLetter(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 0x20);
    if (c < 0xC0) return c;
    // Latin-1: À..Þ without ×.
    if (c <= 0xDE) return c == 0xD7 ? c : static_cast<wchar_t>(c + 0x20);
    // Latin Extended-A pairs capital and small letter as even and odd code points, except for
    // the stretch Ĺ..Ň (0x139..0x148) and Ÿ..Ž (0x178..0x17E), which pair odd and even; İ (0x130)
    // and ı (0x131) stay, as Windows leaves them.
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        if (c == 0x178) return 0xFF;
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool capital = oddCapitals ? (c % 2 == 1) : (c % 2 == 0);
        return capital ? static_cast<wchar_t>(c + 1) : c;
    }
    // Greek: Ά, Έ..Ί, Ό, Ύ Ώ, Α..Ω (without the gap at 0x3A2).
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return static_cast<wchar_t>(c + 0x25);
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return static_cast<wchar_t>(c + 0x3F);
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<wchar_t>(c + 0x20);
    // Cyrillic: Ѐ..Џ, А..Я.
    if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 0x50);
    if (c >= 0x410 && c <= 0x42F) return static_cast<wchar_t>(c + 0x20);
    return c;
}

// Characters Windows never allows in a file name
// (learn.microsoft.com/windows/win32/fileio/naming-a-file).
bool AllowedInFileName(wchar_t c) {
    if (c < 0x20) return false;
    for (const wchar_t reserved : std::wstring_view(L"<>:\"/\\|?*"))
        if (c == reserved) return false;
    return true;
}

}  // namespace

std::wstring FoldProgramName(std::wstring_view name) {
    std::wstring folded(name);
    for (wchar_t& c : folded) c = FoldLetter(c);
    return folded;
}

std::wstring ProgramFileName(std::wstring_view pathOrName) {
    const std::size_t slash = pathOrName.find_last_of(L"\\/");
    std::wstring_view name =
        slash == std::wstring_view::npos ? pathOrName : pathOrName.substr(slash + 1);
    while (!name.empty() && name.front() == L' ') name.remove_prefix(1);
    while (!name.empty() && (name.back() == L' ' || name.back() == L'.')) name.remove_suffix(1);
    if (name.empty()) return {};
    for (const wchar_t c : name)
        if (!AllowedInFileName(c)) return {};
    return FoldProgramName(name);
}

}  // namespace tressel
