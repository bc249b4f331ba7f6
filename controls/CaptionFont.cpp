#include "controls/CaptionFont.h"

namespace tressel {
namespace {

// The System font's cell height and weight on Windows at 96 dpi, the look the captions keep.
// The height stays 16 at every resolution: the resolution fit brings the window back to its
// 96-dpi size, and the buttons with it.
constexpr LONG kCaptionCellHeight = 16;

}  // namespace

LOGFONTW DescribeCaptionFont(const LOGFONTW& dialogFont) {
    LOGFONTW font{};
    font.lfHeight = kCaptionCellHeight;  // positive: the cell height, as the System font's
    font.lfWeight = FW_BOLD;
    // Any character set: the font mapper then does not trade the face for one of the ANSI code
    // page, and font linking supplies the scripts the face lacks (CJK on Windows).
    // https://learn.microsoft.com/windows/win32/api/wingdi/ns-wingdi-logfontw
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    static_assert(sizeof font.lfFaceName == sizeof dialogFont.lfFaceName);
    for (int i = 0; i < LF_FACESIZE; ++i) font.lfFaceName[i] = dialogFont.lfFaceName[i];
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return font;
}

UniqueFont CreateCaptionFont(HWND dialog) {
    LOGFONTW dialogFont{};
    auto own = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!own || !GetObjectW(own, sizeof dialogFont, &dialogFont))
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof dialogFont, &dialogFont);
    const LOGFONTW caption = DescribeCaptionFont(dialogFont);
    return UniqueFont(CreateFontIndirectW(&caption));
}

}  // namespace tressel
