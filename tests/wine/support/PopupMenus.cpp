#include "wine/support/PopupMenus.h"

#include <algorithm>

#include "wine/support/PhysicalInput.h"
#include "wine/support/WaitUntil.h"

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

struct Measuring {
    HMENU menu;
    std::vector<RECT> entries;
};

constexpr wchar_t kMeasureClass[] = L"TresselTestMenuMeasure";
constexpr UINT_PTR kMeasureGiveUpTimer = 1;

// WM_ENTERIDLE with MSGF_MENU comes once the menu is shown and its loop waits for input; its
// lParam is the menu's window.
// https://learn.microsoft.com/windows/win32/dlgbox/wm-enteridle
LRESULT CALLBACK MeasureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* measuring = reinterpret_cast<Measuring*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && measuring && measuring->entries.empty()) {
        RECT popup{};
        GetWindowRect(reinterpret_cast<HWND>(lParam), &popup);
        const int count = GetMenuItemCount(measuring->menu);
        for (int i = 0; i < count; ++i) {
            RECT entry{};
            GetMenuItemRect(window, measuring->menu, static_cast<UINT>(i), &entry);
            // Windows answers in screen coordinates; Wine 8 in the menu window's own.
            if (entry.left >= popup.left && entry.top >= popup.top)
                OffsetRect(&entry, -popup.left, -popup.top);
            measuring->entries.push_back(entry);
        }
        EndMenu();
        return 0;
    }
    if (message == WM_TIMER && wParam == kMeasureGiveUpTimer) {
        EndMenu();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::vector<RECT> MeasureMenuEntries(HMENU menu) {
    static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = MeasureProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kMeasureClass;
        return RegisterClassW(&windowClass);
    }();
    if (!registered) return {};
    Measuring measuring{menu, {}};
    HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, kMeasureClass, L"", WS_POPUP, 0, 0, 1, 1,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!owner) return {};
    SetWindowLongPtrW(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&measuring));
    SetTimer(owner, kMeasureGiveUpTimer, 10000, nullptr);  // never hang on a menu left open
    TrackPopupMenu(menu, TPM_RETURNCMD, 200, 200, 0, owner, nullptr);
    DestroyWindow(owner);
    return measuring.entries;
}

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

HWND AwaitOnlyMenu(DWORD processId) {
    std::vector<HWND> menus;
    if (!WaitUntil([&] {
            menus = VisibleMenuWindows(processId);
            return menus.size() == 1;
        }))
        return nullptr;
    return menus.front();
}

HWND OpenSubmenuByClick(DWORD processId, HWND owner, HWND menu, int index, int count) {
    const std::vector<HWND> before = VisibleMenuWindows(processId);
    const POINT at = CentreOf(MenuEntryRect(owner, menu, index, count));
    if (!PhysicalInput::MoveTo(at.x, at.y) || !PhysicalInput::Click(x11_button::kLeft))
        return nullptr;
    HWND opened = nullptr;
    WaitUntil([&] {
        for (HWND candidate : VisibleMenuWindows(processId))
            if (std::find(before.begin(), before.end(), candidate) == before.end())
                opened = candidate;
        return opened != nullptr;
    });
    return opened;
}

HWND OpenMenuByRightPress(DWORD processId, POINT at) {
    if (!PhysicalInput::MoveTo(at.x, at.y) || !PhysicalInput::Press(x11_button::kRight))
        return nullptr;
    HWND menu = AwaitOnlyMenu(processId);
    RECT popup{};
    if (menu) GetWindowRect(menu, &popup);
    const POINT beside{menu ? std::min(popup.left, at.x) - 10 : at.x, at.y};
    const bool moved = PhysicalInput::MoveTo(beside.x, beside.y);
    return PhysicalInput::Release(x11_button::kRight) && moved ? menu : nullptr;
}

}  // namespace tressel::testing
