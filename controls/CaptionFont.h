#pragma once
// The font the input buttons write their captions in: the dialog's own face at the height and
// weight of the System font they were written in before (16 pixels, bold), smoothed with
// ClearType and open to every character set, so that a program name in any script shows as
// itself. One font per dialog; the buttons borrow it.

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace tressel {

// The caption font's description for a dialog whose font is `dialogFont`.
LOGFONTW DescribeCaptionFont(const LOGFONTW& dialogFont);

// The caption font for `dialog` (its WM_GETFONT face; the default GUI font's face when it has
// none). Null only when the system creates no font at all.
UniqueFont CreateCaptionFont(HWND dialog);

}  // namespace tressel
