#pragma once
// A push button drawn entirely from a PNG picture, alpha included, over the piece of the parent
// window's background that lies under it. Its normal, pressed and hovered looks are composed
// once into memory pictures at the first colour request; painting copies one of them.

#include <windows.h>

#include <memory>

#include "controls/GdiPlusBitmapResource.h"
#include "controls/MemoryPicture.h"
#include "framework/Control.h"

namespace tressel {

class CGdipButton : public win::Control {
  public:
    CGdipButton() = default;
    ~CGdipButton() override;

    // Loads the button's picture from the program's resources (type "PNG"); the button owns it
    // from then on. Returns false, leaving the button without a picture, when it cannot load.
    bool LoadImage(int resourceId, const wchar_t* resourceType);
    // Deletes the picture (a GDI+ bitmap) before GDI+ shuts down. The looks composed from it
    // are plain GDI pictures and go on painting; a button that has not composed yet stays blank.
    void ReleaseImage() { image_.reset(); }
    // Takes the button's background from `dc` (the parent's off-screen picture): the button's
    // rectangle in the parent's client coordinates. Only a capture before the first colour
    // request changes what the button shows.
    void CaptureBackground(HDC dc);

    bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item) override;
    HBRUSH OnReflectedCtlColor(HDC dc) override;

    bool hovering() const { return hovering_; }
    bool picturesReady() const { return picturesReady_; }

  protected:
    void OnAttached() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    RECT RectInParent() const;
    void ComposePictures(HDC dc);

    std::unique_ptr<CGdiPlusBitmapResource> image_;
    MemoryPicture backgroundPicture_;
    MemoryPicture normalPicture_;
    MemoryPicture pressedPicture_;
    MemoryPicture hoverPicture_;
    const MemoryPicture* currentPicture_ = nullptr;
    bool picturesReady_ = false;
    bool hovering_ = false;
    bool tracking_ = false;
};

}  // namespace tressel
