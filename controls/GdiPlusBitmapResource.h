#pragma once
// A GDI+ bitmap decoded from an image embedded in the program's resources (a "PNG" resource,
// say). GDI+ reads the pixels through a stream over a global memory copy of the resource bytes
// for the bitmap's whole life, so the block is held (locked) exactly as long as the bitmap.

#include "controls/GdiPlusBitmap.h"
#include "framework/UniqueHandle.h"

namespace tressel {

class CGdiPlusBitmapResource : public CGdiPlusBitmap {
  public:
    CGdiPlusBitmapResource() = default;
    ~CGdiPlusBitmapResource() override { Empty(); }

    // Loads resource `id` of type `type` from the program's own module. Returns true when the
    // bitmap is usable; on any failure the object is left empty. GDI+ must be running.
    bool LoadFromResource(int id, const wchar_t* type);
    // Deletes the bitmap, then unlocks and frees the memory block.
    void Empty() override;

  private:
    UniqueGlobalMemory block_;
    bool locked_ = false;
};

}  // namespace tressel
