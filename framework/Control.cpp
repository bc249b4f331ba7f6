#include "framework/Control.h"

#include <commctrl.h>

namespace tressel::win {
namespace {
constexpr UINT_PTR kSubclassId = 0x7E55;
}

Control::~Control() {
    if (hwnd_) RemoveWindowSubclass(hwnd_, &Control::SubclassProc, kSubclassId);
}

bool Control::Attach(HWND dialog, int id) {
    HWND child = GetDlgItem(dialog, id);
    if (!child) return false;
    hwnd_ = child;
    id_ = id;
    if (!SetWindowSubclass(child, &Control::SubclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
        hwnd_ = nullptr;
        return false;
    }
    OnAttached();
    return true;
}

LRESULT Control::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT Control::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<Control*>(self);
    if (message == WM_NCDESTROY) {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        RemoveWindowSubclass(hwnd, &Control::SubclassProc, kSubclassId);
        control->hwnd_ = nullptr;
        return result;
    }
    return control->WindowProc(message, wParam, lParam);
}

}  // namespace tressel::win
