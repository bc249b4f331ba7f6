// The programs menu as the system shows it in this process: the entries' texts in order, the
// check mark, the separator, the submenu and the icons, and what a choice by keyboard answers
// (the function menu's "As All Programs" is walked in the real program, ProgramsWindowTest).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/ProgramsMenuView.h"
#include "wine/ControlsTestHost.h"
#include "wine/support/PopupMenus.h"
#include "wine/support/UnixFiles.h"

namespace tressel::testing {
namespace {

#ifndef MN_GETHMENU
constexpr UINT MN_GETHMENU = 0x01E1;
#endif

// One entry of a menu as the system holds it.
struct Shown {
    std::wstring text;
    bool checked = false;
    bool separator = false;
    bool submenu = false;
    bool icon = false;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& e, std::ostream* os) {
    *os << '"' << std::string(e.text.begin(), e.text.end()) << '"' << (e.checked ? " checked" : "")
        << (e.separator ? " separator" : "") << (e.submenu ? " submenu" : "")
        << (e.icon ? " icon" : "");
}

std::vector<Shown> Entries(HMENU menu) {
    std::vector<Shown> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        const CMenuXPItem* item = CMenuXP::ItemFromData(info.dwItemData);
        entries.push_back({text, (state & MF_CHECKED) != 0, (state & MF_SEPARATOR) != 0,
                           GetSubMenu(menu, i) != nullptr, item && item->icon()});
    }
    return entries;
}

// What happens while the next menu of this process is open: once the system has drawn `draws`
// entries, its entries (and those of its first submenu) are read and `keys` are posted to it,
// which the menu takes in order. The menu is gone when the call that showed it returns.
struct Visit {
    Visit(const ControlsTestHost& h, int d, std::vector<WPARAM> k)
        : host(&h), draws(d), keys(std::move(k)) {}
    const ControlsTestHost* host;
    int draws;
    std::vector<WPARAM> keys;
    bool opened = false;
    std::vector<Shown> entries;
    std::vector<Shown> submenu;
    std::vector<ULONG_PTR> itemData;
    UINT_PTR giveUp = 0;
};
Visit* visit = nullptr;

// A menu the keys did not close (a fault) is closed after ten seconds.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EndMenu();
}

void CALLBACK WhileOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    const std::vector<HWND> open = VisibleMenuWindows(GetCurrentProcessId());
    if (!visit || open.empty() || visit->host->menuDraws() < visit->draws) return;
    KillTimer(nullptr, timer);
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(open.front(), MN_GETHMENU, 0, 0));
    visit->opened = menu != nullptr;
    visit->entries = Entries(menu);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        visit->itemData.push_back(info.dwItemData);
        if (HMENU sub = GetSubMenu(menu, i); sub && visit->submenu.empty())
            visit->submenu = Entries(sub);
    }
    for (WPARAM key : visit->keys) PostMessageW(open.front(), WM_KEYDOWN, key, 0);
    if (visit->keys.empty())
        EndMenu();
    else
        visit->giveUp = SetTimer(nullptr, 0, 10000, &GiveUp);
}

// Runs `show`, which opens a menu and returns once it has closed, with `seen` as the visit.
template <typename Show>
int WithVisit(Visit& seen, Show show) {
    visit = &seen;
    SetTimer(nullptr, 0, 20, &WhileOpen);
    const int result = show();
    if (seen.giveUp) KillTimer(nullptr, seen.giveUp);
    visit = nullptr;
    return result;
}

// A program file without icons: the hook libraries have none.
std::wstring IconlessFile() { return DosPathOf(TRESSEL_OUT_DIR) + L"\\TarnhookR.dll"; }

std::wstring SystemFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

// The menu the dialog logic builds for a program's settings: notepad's shown, a program without
// an icon listed, more programs to add in the submenu.
ProgramsMenu Menu() {
    return {{1, L"All programs", L"", false, {}},
            {2, L"notepad.exe", SystemFile(L"notepad.exe"), true, {}},
            {3, L"tarnhookr.dll", IconlessFile(), false, {}},
            {0, L"", L"", false, {}},
            {0,
             L"Add a program",
             L"",
             false,
             {{11, L"winecfg.exe", L"", false, {}}, {12, L"regedit.exe", L"", false, {}}}},
            {4, L"Remove notepad.exe", L"", false, {}}};
}

class ProgramsMenuTest : public ::testing::Test {
  protected:
    int Track() { return TrackProgramsMenu(host_.hwnd(), 150, 150, Menu()); }
    ControlsTestHost host_{200, 100, RGB(30, 30, 30), RGB(30, 30, 30)};
};

TEST_F(ProgramsMenuTest, ShowsTheItemsInOrderWithTheShownSettingsChecked) {
    Visit seen{host_, 6, {}};
    EXPECT_EQ(WithVisit(seen, [&] { return Track(); }), 0);
    // clang-format off
    const std::vector<Shown> expected = {
        {L"All programs",              false, false, false, false},
        {L"notepad.exe",               true,  false, false, true},
        {L"tarnhookr.dll",             false, false, false, false},
        {L"",                          false, true,  false, false},
        {L"Add a program",             false, false, true,  false},
        {L"Remove notepad.exe",        false, false, false, false}};
    // clang-format on
    ASSERT_TRUE(seen.opened) << "the programs menu did not open";
    EXPECT_EQ(seen.entries, expected);
    const std::vector<Shown> submenu = {{L"winecfg.exe"}, {L"regedit.exe"}};
    EXPECT_EQ(seen.submenu, submenu);
    // The system told the drawing that notepad's entry is the checked one, and only that one.
    ASSERT_EQ(seen.itemData.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ((host_.drawnMenuState(seen.itemData[i]) & ODS_CHECKED) != 0, i == 1) << i;
}

TEST_F(ProgramsMenuTest, AnswersTheIdOfTheItemChosenByKeyboard) {
    struct Choice {
        const char* name;
        std::vector<WPARAM> keys;
        int id;
    };
    // clang-format off
    const Choice choices[] = {
        {"the second item",                     {VK_DOWN, VK_DOWN, VK_RETURN},                     2},
        {"past the separator, in the submenu",  {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT,
                                                 VK_DOWN, VK_RETURN},                              12},
        {"none: closed",                        {VK_ESCAPE},                                       0}};
    // clang-format on
    for (const Choice& choice : choices) {
        Visit seen{host_, 0, choice.keys};
        EXPECT_EQ(WithVisit(seen, [&] { return Track(); }), choice.id) << choice.name;
        EXPECT_TRUE(seen.opened) << choice.name;
    }
    EXPECT_EQ(host_.lastCommand(), 0u) << "the choice also went to the owner";
}

}  // namespace
}  // namespace tressel::testing
