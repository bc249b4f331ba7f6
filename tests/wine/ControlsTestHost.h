#pragma once
// A plain top-level window that hosts skinned controls the way the main dialog does: it paints
// a known background, reflects owner-draw and colour requests to the bound control objects,
// hands menu measure and draw requests to CMenuXP and counts its children's clicks.

#include <windows.h>

#include <map>
#include <vector>

#include "controls/MenuXP.h"
#include "framework/Control.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {

class ControlsTestHost {
  public:
    // The background: left half `left`, right half `right` (COLORREF).
    ControlsTestHost(int width, int height, COLORREF left, COLORREF right)
        : left_(left), right_(right) {
        static const wchar_t* kClass = L"TresselControlsTestHost";
        static bool registered = false;
        if (!registered) {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &ControlsTestHost::Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = kClass;
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            RegisterClassW(&wc);
            registered = true;
        }
        RECT r{0, 0, width, height};
        AdjustWindowRect(&r, WS_POPUP, FALSE);
        hwnd_ = CreateWindowExW(0, kClass, L"Controls test", WS_POPUP | WS_CLIPCHILDREN, 100, 100,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), this);
        ShowWindow(hwnd_, SW_SHOW);
        UpdateWindow(hwnd_);
        SetForegroundWindow(hwnd_);
    }
    ~ControlsTestHost() {
        if (hwnd_) DestroyWindow(hwnd_);
    }

    HWND hwnd() const { return hwnd_; }
    COLORREF leftColour() const { return left_; }
    COLORREF rightColour() const { return right_; }

    // Creates a push button child `id` at (x, y, w, h) in client coordinates, binds it to
    // `control` and, unless `show` is false, shows it.
    HWND AddButton(int id, const wchar_t* text, int x, int y, int w, int h, win::Control& control,
                   bool show = true) {
        HWND button = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | BS_PUSHBUTTON, x, y, w, h,
                                      hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleW(nullptr), nullptr);
        control.Attach(hwnd_, id);
        controls_[id] = &control;
        if (show) Show(button);
        return button;
    }
    static void Show(HWND button) {
        ShowWindow(button, SW_SHOW);
        UpdateWindow(button);
    }

    int clicks(int id) const {
        auto it = clicks_.find(id);
        return it == clicks_.end() ? 0 : it->second;
    }
    int menuDraws() const { return menuDraws_; }
    // The state (ODS_*) the system last drew the menu entry with item data `data` in; 0 when never.
    UINT drawnMenuState(ULONG_PTR data) const {
        auto it = menuStates_.find(data);
        return it == menuStates_.end() ? 0 : it->second;
    }
    UINT lastCommand() const { return lastCommand_; }
    // The popup menus opened for this window, in order.
    const std::vector<HMENU>& popups() const { return popups_; }

    // A pixel of the window's client area as shown (read from the window's own surface).
    COLORREF Pixel(int x, int y) const {
        HDC dc = GetDC(hwnd_);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(hwnd_, dc);
        return c;
    }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<ControlsTestHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
        switch (message) {
            case WM_ERASEBKGND: {
                RECT r{};
                GetClientRect(hwnd, &r);
                RECT half = r;
                half.right = r.right / 2;
                HBRUSH left = CreateSolidBrush(self->left_);
                FillRect(reinterpret_cast<HDC>(wParam), &half, left);
                DeleteObject(left);
                half.left = half.right;
                half.right = r.right;
                HBRUSH right = CreateSolidBrush(self->right_);
                FillRect(reinterpret_cast<HDC>(wParam), &half, right);
                DeleteObject(right);
                return TRUE;
            }
            case WM_INITMENUPOPUP:
                self->popups_.push_back(reinterpret_cast<HMENU>(wParam));
                break;
            case WM_MEASUREITEM:
                if (CMenuXP::HandleMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
                    return TRUE;
                break;
            case WM_DRAWITEM: {
                const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                if (item.CtlType == ODT_MENU) {
                    ++self->menuDraws_;
                    self->menuStates_[item.itemData] = item.itemState;
                    if (CMenuXP::HandleDrawItem(item)) return TRUE;
                    break;
                }
                if (auto it = self->controls_.find(static_cast<int>(item.CtlID));
                    it != self->controls_.end() && it->second->OnReflectedDrawItem(item))
                    return TRUE;
                break;
            }
            case WM_CTLCOLORBTN: {
                const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
                if (auto it = self->controls_.find(id); it != self->controls_.end()) {
                    if (HBRUSH brush =
                            it->second->OnReflectedCtlColor(reinterpret_cast<HDC>(wParam)))
                        return reinterpret_cast<LRESULT>(brush);
                }
                break;
            }
            case WM_COMMAND:
                if (HIWORD(wParam) == BN_CLICKED && lParam) {
                    ++self->clicks_[LOWORD(wParam)];
                } else if (HIWORD(wParam) == 0 && !lParam) {
                    self->lastCommand_ = LOWORD(wParam);
                }
                return 0;
            default:
                break;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
    COLORREF left_;
    COLORREF right_;
    std::map<int, win::Control*> controls_;
    std::map<int, int> clicks_;
    int menuDraws_ = 0;
    std::map<ULONG_PTR, UINT> menuStates_;
    UINT lastCommand_ = 0;
    std::vector<HMENU> popups_;
};

}  // namespace tressel::testing
