#include "controls/GdiPlusBitmapResource.h"

#include <cstring>

namespace tressel {

void CGdiPlusBitmapResource::Empty() {
    CGdiPlusBitmap::Empty();
    if (block_ && locked_) GlobalUnlock(block_.get());
    locked_ = false;
    block_.reset();
}

bool CGdiPlusBitmapResource::LoadFromResource(int id, const wchar_t* type) {
    Empty();
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!resource) return false;
    const DWORD size = SizeofResource(module, resource);
    if (size == 0) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;

    block_.reset(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block_) return false;
    void* copy = GlobalLock(block_.get());
    if (!copy) {
        block_.reset();
        return false;
    }
    locked_ = true;
    std::memcpy(copy, bytes, size);

    IStream* stream = nullptr;
    // FALSE: releasing the stream leaves the block to this object.
    if (CreateStreamOnHGlobal(block_.get(), FALSE, &stream) == S_OK) {
        Hold(Gdiplus::Bitmap::FromStream(stream));
        stream->Release();
    }
    if (bitmap() && bitmap()->GetLastStatus() == Gdiplus::Ok) return true;
    Empty();
    return false;
}

}  // namespace tressel
