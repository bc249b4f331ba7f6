#pragma once
// A picture held in a memory drawing context: the context, the bitmap selected into it and the
// bitmap it held before. Controls compose their looks into these once and paint by copying.

#include <windows.h>

#include <utility>

#include "framework/UniqueHandle.h"

namespace tressel {

class MemoryPicture {
  public:
    MemoryPicture() = default;
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;
    MemoryPicture(MemoryPicture&& other) noexcept { *this = std::move(other); }
    MemoryPicture& operator=(MemoryPicture&& other) noexcept {
        if (this != &other) {
            Reset();
            dc_ = std::move(other.dc_);
            bitmap_ = std::move(other.bitmap_);
            previous_ = std::exchange(other.previous_, nullptr);
            width_ = std::exchange(other.width_, 0);
            height_ = std::exchange(other.height_, 0);
        }
        return *this;
    }
    ~MemoryPicture() { Reset(); }

    // Makes an empty picture of `width` x `height` compatible with `reference`, replacing any
    // earlier one. Returns false (and stays empty) when the system refuses.
    bool Create(HDC reference, int width, int height);
    // Makes a picture of `width` x `height` and copies `source` from (x, y) into it.
    bool CopyFrom(HDC source, int x, int y, int width, int height);
    void Reset();

    bool empty() const { return !dc_; }
    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    // Copies the whole picture onto `target` at (x, y); nothing when empty.
    void PaintOnto(HDC target, int x, int y) const;

  private:
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace tressel
