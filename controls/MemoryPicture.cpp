#include "controls/MemoryPicture.h"

namespace tressel {

bool MemoryPicture::Create(HDC reference, int width, int height) {
    Reset();
    UniqueMemoryDC dc(CreateCompatibleDC(reference));
    if (!dc) return false;
    UniqueBitmap bitmap(CreateCompatibleBitmap(reference, width, height));
    if (!bitmap) return false;
    previous_ = SelectObject(dc.get(), bitmap.get());
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    width_ = width;
    height_ = height;
    return true;
}

bool MemoryPicture::CopyFrom(HDC source, int x, int y, int width, int height) {
    if (!Create(source, width, height)) return false;
    BitBlt(dc_.get(), 0, 0, width, height, source, x, y, SRCCOPY);
    return true;
}

void MemoryPicture::Reset() {
    // The bitmap must leave the context before either can be deleted.
    if (dc_ && previous_) SelectObject(dc_.get(), previous_);
    previous_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    width_ = height_ = 0;
}

void MemoryPicture::PaintOnto(HDC target, int x, int y) const {
    if (dc_) BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace tressel
