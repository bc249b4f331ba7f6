#include "framework/Dialog.h"

namespace tressel::win {

INT_PTR Dialog::DoModal(HWND parent) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                           &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

void Dialog::EndDialog(INT_PTR result) {
    if (hwnd_) ::EndDialog(hwnd_, result);
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    const INT_PTR result = self->DialogProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) self->hwnd_ = nullptr;
    return result;
}

Control* Dialog::BoundControl(HWND child) const {
    auto it = bindings_.find(GetDlgCtrlID(child));
    return it != bindings_.end() && it->second->hwnd() == child ? it->second : nullptr;
}

INT_PTR Dialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            for (auto& [id, control] : bindings_) control->Attach(hwnd_, id);
            return OnInitDialog();
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_MENU) {
                if (Control* control = BoundControl(item.hwndItem)) {
                    if (control->OnReflectedDrawItem(item)) return TRUE;
                }
            }
            break;
        }
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            if (Control* control = BoundControl(reinterpret_cast<HWND>(lParam))) {
                if (HBRUSH brush = control->OnReflectedCtlColor(reinterpret_cast<HDC>(wParam))) {
                    return reinterpret_cast<INT_PTR>(brush);
                }
            }
            break;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (auto it = commands_.find(id); it != commands_.end()) {
                it->second();
                return TRUE;
            }
            if (id == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
            OnUnmappedCommand(id, HIWORD(wParam));
            return TRUE;
        }
        default:
            break;
    }
    if (auto it = messages_.find(message); it != messages_.end()) {
        const Result result = it->second(wParam, lParam);
        if (!result.handled) return FALSE;
        // Colour requests and a few others return their value directly from the dialog
        // procedure; everything else goes through DWLP_MSGRESULT.
        if ((message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
            message == WM_QUERYDRAGICON) {
            return static_cast<INT_PTR>(result.value);
        }
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result.value);
        return TRUE;
    }
    return FALSE;
}

}  // namespace tressel::win
