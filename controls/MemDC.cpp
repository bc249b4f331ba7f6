#include "controls/MemDC.h"

namespace tressel {

CMemDC::CMemDC(HDC target, const RECT* rect) : target_(target) {
    if (GetDeviceCaps(target, TECHNOLOGY) == DT_RASPRINTER) return;
    memory_.reset(CreateCompatibleDC(target));
    if (!memory_) return;
    if (rect && (rect->left || rect->top || rect->right || rect->bottom)) {
        rect_ = *rect;
    } else {
        GetClipBox(target, &rect_);
    }
    bitmap_.reset(
        CreateCompatibleBitmap(target, rect_.right - rect_.left, rect_.bottom - rect_.top));
    if (!bitmap_) {
        memory_.reset();
        return;
    }
    previous_ = SelectObject(memory_.get(), bitmap_.get());
    SetWindowOrgEx(memory_.get(), rect_.left, rect_.top, nullptr);
    offScreen_ = true;
}

CMemDC::~CMemDC() {
    if (!offScreen_) return;
    // Whatever the context holds now (possibly a bitmap selected by the caller) goes onto the
    // target; selecting the previous bitmap back also takes such a bitmap out of the context.
    BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
           memory_.get(), rect_.left, rect_.top, SRCCOPY);
    SelectObject(memory_.get(), previous_);
}

}  // namespace tressel
