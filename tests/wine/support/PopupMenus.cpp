#include "wine/support/PopupMenus.h"

namespace tressel::testing {
namespace {

#ifndef MN_GETHMENU
constexpr UINT MN_GETHMENU = 0x01E1;
#endif

struct MenuSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMenu(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<MenuSearch*>(lParam);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId && lstrcmpW(className, L"#32768") == 0 && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

// Wine's popup menus keep a margin of this many pixels above the first and below the last
// entry inside the client area.
constexpr int kMenuMargin = 3;

}  // namespace

std::vector<HWND> VisibleMenuWindows(DWORD processId) {
    MenuSearch search{processId, {}};
    EnumWindows(&CollectMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT MenuEntryRect(HWND owner, HWND menuWindow, int index, int count) {
    RECT entry{};
    DWORD_PTR menu = 0;
    if (SendMessageTimeoutW(menuWindow, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &menu) && menu &&
        GetMenuItemRect(owner, reinterpret_cast<HMENU>(menu), static_cast<UINT>(index), &entry) &&
        entry.bottom > entry.top)
        return entry;
    RECT client{};
    GetClientRect(menuWindow, &client);
    MapWindowPoints(menuWindow, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int height = (client.bottom - client.top - 2 * kMenuMargin) / (count > 0 ? count : 1);
    entry.left = client.left + kMenuMargin;
    entry.right = client.right - kMenuMargin;
    entry.top = client.top + kMenuMargin + index * height;
    entry.bottom = entry.top + height;
    return entry;
}

}  // namespace tressel::testing
