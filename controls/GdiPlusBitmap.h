#pragma once
// The holder of one GDI+ bitmap; destroying the holder deletes the bitmap. Every bitmap a holder
// takes is counted until it is deleted, so that the program can tell, when it shuts GDI+ down,
// that no GDI+ object outlives GDI+.

#include <atomic>
#include <memory>

#include "controls/GdiPlus.h"

namespace tressel {

class CGdiPlusBitmap {
  public:
    CGdiPlusBitmap() = default;
    CGdiPlusBitmap(const CGdiPlusBitmap&) = delete;
    CGdiPlusBitmap& operator=(const CGdiPlusBitmap&) = delete;
    virtual ~CGdiPlusBitmap() { Hold(nullptr); }

    Gdiplus::Bitmap* bitmap() const { return bitmap_.get(); }
    bool empty() const { return !bitmap_; }
    // Deletes the bitmap.
    virtual void Empty() { Hold(nullptr); }

    // GDI+ bitmaps held by all holders of the process at this moment.
    static int LiveBitmaps() { return liveBitmaps_.load(); }

  protected:
    // Deletes the bitmap held so far and takes `bitmap` (null: none).
    void Hold(Gdiplus::Bitmap* bitmap) {
        if (bitmap_) --liveBitmaps_;
        bitmap_.reset(bitmap);
        if (bitmap_) ++liveBitmaps_;
    }

  private:
    std::unique_ptr<Gdiplus::Bitmap> bitmap_;
    static inline std::atomic<int> liveBitmaps_{0};
};

}  // namespace tressel
