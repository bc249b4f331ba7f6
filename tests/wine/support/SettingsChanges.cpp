#include "wine/support/SettingsChanges.h"

#include <gtest/gtest.h>

#include "config/ButtonId.h"
#include "wine/support/IniSnapshot.h"
#include "wine/support/PopupMenus.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {
constexpr int kWordCopy = 24;  // Combination › Word › Copy(Ctrl+C), caption "Copy"
}  // namespace

void AssignCopyToX2(HWND window, DWORD processId) {
    const int control = InfoOf(ButtonId::X2).controlId;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, control)));
    ASSERT_TRUE(WaitUntil([&] { return VisibleMenuWindows(processId).size() == 1; }))
        << "no function menu opened";
    PostMessageW(window, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return VisibleMenuWindows(processId).empty(); }));
    // Sent, not posted: a sent message is handled before posted ones, so a round trip after
    // a posted command could return before the command ran.
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(kWordCopy, 0), 0,
                                    SMTO_ABORTIFHUNG, 20000, &ignored));
    wchar_t caption[64] = {};
    GetDlgItemTextW(window, control, caption, 64);
    ASSERT_STREQ(caption, L"Copy");
}

bool X2SavedAsCopy(const std::wstring& iniPath) {
    const auto section = ReadIniSection(iniPath, std::wstring(InfoOf(ButtonId::X2).section));
    return section && section->count(L"0") && section->at(L"0") == L"Copy";
}

std::wstring BalloonContaining(const std::wstring& words) {
    struct Search {
        const std::wstring& words;
        std::wstring found;
    } search{words, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM l) -> BOOL {
            auto* s = reinterpret_cast<Search*>(l);
            wchar_t cls[32] = {};
            GetClassNameW(hwnd, cls, 32);
            if (lstrcmpiW(cls, L"tooltips_class32") != 0 || !IsWindowVisible(hwnd)) return TRUE;
            wchar_t text[1024] = {};
            DWORD_PTR length = 0;
            if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                                     SMTO_ABORTIFHUNG, 5000, &length))
                return TRUE;
            if (std::wstring(text).find(s->words) == std::wstring::npos) return TRUE;
            s->found = text;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace tressel::testing
