#include "controls/TransParentButton.h"

#include <string>

#include "controls/SystemPalette.h"

namespace tressel {

void CTransParentButton::OnAttached() {
    // Owner-drawn, keeping every other style bit of the template.
    LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW;
    SetWindowLongPtrW(hwnd(), GWL_STYLE, style);
    // Focus cues start hidden unless the user has keyboard cues always shown; the window's UI
    // state messages tell every change from then on. Kept here, not asked for with
    // WM_QUERYUISTATE: Wine answers that with 0 (cues shown) whatever happened.
    // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-systemparametersinfow
    BOOL cuesAlwaysShown = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cuesAlwaysShown, 0);
    focusCuesHidden_ = !cuesAlwaysShown;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

bool CTransParentButton::ShowsHoverColour() const {
    return buttonState_ == TransButtonState::Hover || buttonState_ == TransButtonState::Released;
}

void CTransParentButton::CaptureBackground(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    // What is on the screen under the button at this moment: the parent's pixels.
    backgroundCaptured_ = backgroundDC_.CopyFrom(dc, 0, 0, client.right, client.bottom);
}

void CTransParentButton::DrawBackground(HDC dc) const {
    const bool hover = enabled_ && ShowsHoverColour();
    const auto face =
        ShownColour(hover ? SkinPart::HoverCaptionFace : SkinPart::CaptionFace, std::nullopt);
    if (!face) {
        backgroundDC_.PaintOnto(dc, 0, 0);
        return;
    }
    RECT client{};
    GetClientRect(hwnd(), &client);
    UniqueBrush brush(CreateSolidBrush(*face));
    FillRect(dc, &client, brush.get());
}

void CTransParentButton::DrawFocusMark(HDC dc) const {
    // A dotted frame one pixel inside the edge, like DrawFocusRect's, but in the caption's
    // colour: an inverted frame would show in arbitrary colours over the skin.
    RECT r{};
    GetClientRect(hwnd(), &r);
    const int left = r.left + 1, top = r.top + 1, right = r.right - 2, bottom = r.bottom - 2;
    if (right <= left || bottom <= top) return;
    for (int x = left; x <= right; x += 2) {
        SetPixelV(dc, x, top, drawColour_);
        SetPixelV(dc, x, bottom, drawColour_);
    }
    for (int y = top; y <= bottom; y += 2) {
        SetPixelV(dc, left, y, drawColour_);
        SetPixelV(dc, right, y, drawColour_);
    }
}

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
                drawColour_ = *ShownColour(SkinPart::HoverCaption, hoverColour_);
                break;
            case TransButtonState::Idle:
                drawColour_ = *ShownColour(SkinPart::Caption, captionColour_);
                break;
            case TransButtonState::Pressed:
                drawColour_ = *ShownColour(SkinPart::Caption, captionColour_);
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
    if (enabled_ && hasFocus_ && !focusCuesHidden_) DrawFocusMark(dc);
}

bool CTransParentButton::FocusCameByKeyboard() {
    for (int key : {VK_TAB, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})
        if (GetKeyState(key) < 0) return true;
    return false;
}

void CTransParentButton::ShowFocusCues() {
    // A key moved the focus here: the cues show from now on. Windows' dialog manager changes the
    // window's UI state itself then; Wine's sends no UI state message at all (measured on Tab).
    // The change is asked for every window of the dialog, as a control may ("A window should
    // send this message to itself or its parent when it must change the UI state elements of all
    // windows in the same hierarchy", https://learn.microsoft.com/windows/win32/menurc/
    // wm-changeuistate); the button's own state does not wait for an answer Wine never sends.
    focusCuesHidden_ = false;
    SendMessageW(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void CTransParentButton::OnUiState(WPARAM wParam) {
    // https://learn.microsoft.com/windows/win32/menurc/wm-updateuistate: the low word is the
    // action, the high word the elements. UIS_INITIALIZE goes by the last input, which is only
    // known here while its key is down: such a key shows the cues, anything else keeps them.
    // An initialisation naming no element is about all of them.
    const WORD action = LOWORD(wParam), elements = HIWORD(wParam);
    if ((elements & UISF_HIDEFOCUS) == 0 && !(action == UIS_INITIALIZE && elements == 0)) return;
    bool hidden = focusCuesHidden_;
    switch (action) {
        case UIS_SET:
            hidden = true;
            break;
        case UIS_CLEAR:
            hidden = false;
            break;
        case UIS_INITIALIZE:
            if (FocusCameByKeyboard() || GetKeyState(VK_MENU) < 0) hidden = false;
            break;
        default:
            break;
    }
    if (hidden == focusCuesHidden_) return;
    focusCuesHidden_ = hidden;
    RedrawFace();
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
        case WM_UPDATEUISTATE: {
            // The system's own state first (it passes the change on), then the face.
            const LRESULT result = Default(message, wParam, lParam);
            OnUiState(wParam);
            return result;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            hasFocus_ = message == WM_SETFOCUS;
            const LRESULT result = Default(message, wParam, lParam);
            if (hasFocus_ && FocusCameByKeyboard()) ShowFocusCues();
            RedrawFace();
            return result;
        }
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace tressel
