#include "controls/TransParentButton.h"

#include <string>

namespace tressel {

void CTransParentButton::OnAttached() {
    // Owner-drawn, keeping every other style bit of the template.
    LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW;
    SetWindowLongPtrW(hwnd(), GWL_STYLE, style);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CTransParentButton::CaptureBackground(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    // What is on the screen under the button at this moment: the parent's pixels.
    backgroundCaptured_ = backgroundDC_.CopyFrom(dc, 0, 0, client.right, client.bottom);
}

void CTransParentButton::DrawBackground(HDC dc) const { backgroundDC_.PaintOnto(dc, 0, 0); }

void CTransParentButton::DrawCaption(HDC dc) {
    const int length = GetWindowTextLengthW(hwnd());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd(), text.data(), length + 1)));

    // Measured in the caption font (the default font of a client context unless one was set);
    // the caption is written in the same font so that the centring holds on any context.
    HDC client = GetDC(hwnd());
    HGDIOBJ clientFont = captionFont_ ? SelectObject(client, captionFont_) : nullptr;
    SIZE extent{};
    GetTextExtentPoint32W(client, text.c_str(), static_cast<int>(text.size()), &extent);
    HFONT font = static_cast<HFONT>(GetCurrentObject(client, OBJ_FONT));
    if (clientFont) SelectObject(client, clientFont);
    RECT r{};
    GetClientRect(hwnd(), &r);
    int x = (r.right - extent.cx) / 2;
    int y = (r.bottom - extent.cy) / 2;

    HGDIOBJ previousFont = SelectObject(dc, font);
    if (enabled_) {
        switch (buttonState_) {
            case TransButtonState::Hover:
            case TransButtonState::Released:
                drawColour_ = hoverColour_;
                break;
            case TransButtonState::Idle:
                drawColour_ = captionColour_;
                break;
            case TransButtonState::Pressed:
                drawColour_ = captionColour_;
                ++x;
                ++y;
                break;
        }
        SetTextColor(dc, drawColour_);
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    } else {
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()),
                   static_cast<WPARAM>(text.size()), x, y, 0, 0, DST_TEXT | DSS_DISABLED);
    }
    SelectObject(dc, previousFont);
    ReleaseDC(hwnd(), client);
}

void CTransParentButton::PaintFace(HDC dc) {
    DrawBackground(dc);
    DrawCaption(dc);
}

void CTransParentButton::RedrawFace() {
    if (!hwnd()) return;
    HDC dc = GetDC(hwnd());
    PaintFace(dc);
    ReleaseDC(hwnd(), dc);
}

bool CTransParentButton::OnReflectedDrawItem(const DRAWITEMSTRUCT& item) {
    enabled_ = (item.itemState & ODS_DISABLED) == 0;
    if (!enabled_) buttonState_ = TransButtonState::Idle;
    PaintFace(item.hDC);
    return true;
}

void CTransParentButton::OnHoverTimer() {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT window{};
    GetWindowRect(hwnd(), &window);
    if (!PtInRect(&window, cursor) && hovering_ && enabled_) {
        KillTimer(hwnd(), kHoverTimer);
        buttonState_ = TransButtonState::Idle;
        hovering_ = false;
        RedrawFace();
    }
}

LRESULT CTransParentButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            if (!backgroundCaptured_) CaptureBackground(reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_MOUSEMOVE:
            // While the left button is held the hover state neither starts nor restarts.
            if (wParam & MK_LBUTTON) return 0;
            if (!hovering_ && enabled_) {
                hovering_ = true;
                buttonState_ = TransButtonState::Hover;
                RedrawFace();
                SetTimer(hwnd(), kHoverTimer, kHoverPeriodMs, nullptr);
            }
            break;
        case WM_TIMER:
            if (wParam != kHoverTimer) return 0;
            OnHoverTimer();
            break;
        case WM_LBUTTONDOWN:
            buttonState_ = TransButtonState::Pressed;
            RedrawFace();
            break;
        case WM_LBUTTONUP:
            buttonState_ = TransButtonState::Released;
            RedrawFace();
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace tressel
