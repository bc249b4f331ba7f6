#pragma once
// The holder of one GDI+ bitmap; destroying the holder deletes the bitmap.

#include <memory>

#include "controls/GdiPlus.h"

namespace tressel {

class CGdiPlusBitmap {
  public:
    CGdiPlusBitmap() = default;
    CGdiPlusBitmap(const CGdiPlusBitmap&) = delete;
    CGdiPlusBitmap& operator=(const CGdiPlusBitmap&) = delete;
    virtual ~CGdiPlusBitmap() = default;

    Gdiplus::Bitmap* bitmap() const { return bitmap_.get(); }
    bool empty() const { return !bitmap_; }
    // Deletes the bitmap.
    virtual void Empty() { bitmap_.reset(); }

  protected:
    std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};

}  // namespace tressel
