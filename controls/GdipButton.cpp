#include "controls/GdipButton.h"

#include <commctrl.h>

#include "controls/MemDC.h"

namespace tressel {
namespace {

// Each colour channel becomes 1.05 times itself plus 0.05; alpha stays.
const Gdiplus::ColorMatrix kBrightening = {{{1.05f, 0, 0, 0, 0},
                                            {0, 1.05f, 0, 0, 0},
                                            {0, 0, 1.05f, 0, 0},
                                            {0, 0, 0, 1, 0},
                                            {0.05f, 0.05f, 0.05f, 0, 1}}};

}  // namespace

CGdipButton::~CGdipButton() = default;

void CGdipButton::OnAttached() {
    LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW;
    SetWindowLongPtrW(hwnd(), GWL_STYLE, style);
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CGdipButton::LoadImage(int resourceId, const wchar_t* resourceType) {
    auto image = std::make_unique<CGdiPlusBitmapResource>();
    const bool loaded = image->LoadFromResource(resourceId, resourceType);
    // An image that did not load stays null, so the button never composes.
    image_ = loaded ? std::move(image) : nullptr;
    return loaded;
}

RECT CGdipButton::RectInParent() const {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    MapWindowPoints(nullptr, GetParent(hwnd()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void CGdipButton::CaptureBackground(HDC dc) {
    if (!hwnd()) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    const RECT r = RectInParent();
    backgroundPicture_.CopyFrom(dc, r.left, r.top, client.right, client.bottom);
}

HBRUSH CGdipButton::OnReflectedCtlColor(HDC dc) {
    // A colour request can come while the parent is still hidden (its start-up moves and
    // repaints the controls); the parent has painted nothing yet then, and a background taken
    // from it would be black for good. Compose once the parent has shown its picture, or once it
    // has handed the background over itself.
    const bool backgroundAvailable =
        !backgroundPicture_.empty() || IsWindowVisible(GetParent(hwnd()));
    if (!picturesReady_ && image_ && backgroundAvailable) ComposePictures(dc);
    return nullptr;
}

void CGdipButton::ComposePictures(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right;
    const int height = client.bottom;
    {
        CMemDC memory(dc, &client);
        Gdiplus::Graphics graphics(memory.dc());

        if (backgroundPicture_.empty()) {
            HWND parent = GetParent(hwnd());
            HDC parentDC = GetDC(parent);
            const RECT r = RectInParent();
            backgroundPicture_.CopyFrom(parentDC, r.left, r.top, width, height);
            ReleaseDC(parent, parentDC);
        }

        Gdiplus::Bitmap* bitmap = image_->bitmap();
        const int imageWidth = static_cast<int>(bitmap->GetWidth());
        const int imageHeight = static_cast<int>(bitmap->GetHeight());
        Gdiplus::ImageAttributes brighter;
        brighter.SetColorMatrix(&kBrightening);
        struct Look {
            MemoryPicture& picture;
            Gdiplus::ImageAttributes* attributes;
        };
        // The pressed look places the image at the same point as the normal one.
        const Look looks[] = {
            {normalPicture_, nullptr}, {pressedPicture_, nullptr}, {hoverPicture_, &brighter}};
        for (const Look& look : looks) {
            if (!look.picture.empty()) continue;
            backgroundPicture_.PaintOnto(memory.dc(), 0, 0);
            graphics.DrawImage(bitmap, Gdiplus::Rect(0, 0, imageWidth, imageHeight), 0, 0,
                               imageWidth, imageHeight, Gdiplus::UnitPixel, look.attributes);
            graphics.Flush(Gdiplus::FlushIntentionSync);
            look.picture.CopyFrom(memory.dc(), 0, 0, width, height);
        }
        if (!currentPicture_) currentPicture_ = &normalPicture_;
        picturesReady_ = true;
    }
}

bool CGdipButton::OnReflectedDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemState & ODS_SELECTED) {
        currentPicture_ = &pressedPicture_;
    } else if (hovering_) {
        currentPicture_ = &hoverPicture_;
    } else {
        currentPicture_ = &normalPicture_;
    }
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (!currentPicture_->empty()) {
        BitBlt(item.hDC, 0, 0, client.right, client.bottom, currentPicture_->dc(), 0, 0, SRCCOPY);
    }
    return true;
}

LRESULT CGdipButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDBLCLK:
            // Two quick clicks count as two clicks, not as a click and a double click.
            return Default(WM_LBUTTONDOWN, wParam, lParam);
        case WM_ERASEBKGND:
            return TRUE;
        case WM_MOUSEMOVE:
            if (!tracking_) {
                TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_HOVER, hwnd(), 1};
                tracking_ = _TrackMouseEvent(&track) != FALSE;
            }
            break;
        case WM_MOUSEHOVER:
            hovering_ = true;
            InvalidateRect(hwnd(), nullptr, TRUE);
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            hovering_ = false;
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace tressel
