#pragma once
// Composing the main window's background: the skin 1:1 at the client origin, its outermost
// column and row drawn on where the client is larger than the picture (base units larger than
// the picture was made for), and over it the guides at the controls' real rectangles.

#include <windows.h>

#include "app/SkinGuides.h"

namespace tressel {

// Colours of the guides (COLORREF); the Wine tests find the guides on the screen by them.
inline constexpr COLORREF kGuideBoxEdge = RGB(0x4d, 0x55, 0x66);
inline constexpr COLORREF kGuideBoxFill = RGB(0x15, 0x18, 0x1d);
inline constexpr COLORREF kGuideLeader = RGB(0x3f, 0xa7, 0xd6);
inline constexpr COLORREF kGuideTitle = RGB(0x8d, 0x96, 0xa6);

// Draws `skin` onto `dc` so that it covers `client`; nothing when `skin` is null.
void PaintSkin(HDC dc, HBITMAP skin, const RECT& client);
void PaintSkinGuides(HDC dc, const SkinGuides& guides);

}  // namespace tressel
