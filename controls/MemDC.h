#pragma once
// An off-screen drawing context: drawing goes into a compatible bitmap of the given rectangle's
// size, in the target's own coordinates, and the picture is copied onto the target in one step
// when the object goes out of scope. A printer target is drawn on directly.

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace tressel {

class CMemDC {
  public:
    // An empty `rect` (all four values 0), or none, stands for the target's clipping box.
    explicit CMemDC(HDC target, const RECT* rect = nullptr);
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;
    ~CMemDC();

    // The context to draw on: the memory context, or the target itself for a printer.
    HDC dc() const { return offScreen_ ? memory_.get() : target_; }
    operator HDC() const { return dc(); }
    const RECT& rect() const { return rect_; }
    bool offScreen() const { return offScreen_; }

  private:
    HDC target_;
    RECT rect_{};
    bool offScreen_ = false;
    UniqueMemoryDC memory_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace tressel
