#pragma once
// A push button without a face of its own: it shows the parent's pixels under it (captured at
// its first erase) and draws its caption over them, in one colour when idle and another while
// the pointer is on it or after it was released. While it has the keyboard focus and the
// window shows focus cues, a dotted frame in the caption's colour marks it. In high contrast the
// face is filled and the caption written in the system's colours (controls/SystemPalette.h).

#include <windows.h>

#include "controls/MemoryPicture.h"
#include "controls/TransButtonState.h"
#include "framework/Control.h"

namespace tressel {

class CTransParentButton : public win::Control {
  public:
    // The id of the button's own hover timer and its period.
    static constexpr UINT_PTR kHoverTimer = 1;
    static constexpr UINT kHoverPeriodMs = 10;

    void SetCaptionColour(COLORREF colour) { captionColour_ = colour; }
    void SetHoverColour(COLORREF colour) { hoverColour_ = colour; }
    // The caption's font (not owned); none: the default font of the button's client context.
    void SetCaptionFont(HFONT font) { captionFont_ = font; }
    HFONT captionFont() const { return captionFont_; }
    // Paints the face now on a client drawing context of the button, outside a paint cycle.
    void RedrawFace();

    bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item) override;

    TransButtonState buttonState() const { return buttonState_; }
    bool hovering() const { return hovering_; }
    bool backgroundCaptured() const { return backgroundCaptured_; }
    COLORREF drawColour() const { return drawColour_; }
    // Whether focus cues are hidden in the button's window (UISF_HIDEFOCUS), as last told.
    bool focusCuesHidden() const { return focusCuesHidden_; }

  protected:
    void OnAttached() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void PaintFace(HDC dc);
    void DrawBackground(HDC dc) const;
    void DrawCaption(HDC dc);
    void CaptureBackground(HDC dc);
    void DrawFocusMark(HDC dc) const;
    void OnHoverTimer();
    void OnUiState(WPARAM wParam);
    static bool FocusCameByKeyboard();
    void ShowFocusCues();
    bool ShowsHoverColour() const;

    MemoryPicture backgroundDC_;
    bool backgroundCaptured_ = false;
    bool hovering_ = false;
    bool enabled_ = true;
    bool hasFocus_ = false;
    bool focusCuesHidden_ = true;  // set from the system's setting when attached
    HFONT captionFont_ = nullptr;
    COLORREF hoverColour_ = GetSysColor(COLOR_HIGHLIGHT);
    COLORREF captionColour_ = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF drawColour_ = captionColour_;
    TransButtonState buttonState_ = TransButtonState::Idle;
};

}  // namespace tressel
