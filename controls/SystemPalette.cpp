#include "controls/SystemPalette.h"

namespace tressel {
namespace {
bool (*highContrastStandIn)() = nullptr;
}  // namespace

void SetHighContrastStandIn(bool (*standIn)()) { highContrastStandIn = standIn; }

bool HighContrastOn() {
    if (highContrastStandIn && highContrastStandIn()) return true;
    // https://learn.microsoft.com/windows/win32/api/winuser/ns-winuser-highcontrastw
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

SystemColours ReadSystemColours() {
    SystemColours colours{};
    auto set = [&](SystemColour which, int index) {
        colours[static_cast<std::size_t>(which)] = GetSysColor(index);
    };
    set(SystemColour::ButtonText, COLOR_BTNTEXT);
    set(SystemColour::ButtonFace, COLOR_BTNFACE);
    set(SystemColour::Highlight, COLOR_HIGHLIGHT);
    set(SystemColour::HighlightText, COLOR_HIGHLIGHTTEXT);
    set(SystemColour::MenuText, COLOR_MENUTEXT);
    set(SystemColour::Menu, COLOR_MENU);
    // Text that is there but not in force, as disabled text is shown; high-contrast themes keep it
    // readable (https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getsyscolor).
    set(SystemColour::GrayText, COLOR_GRAYTEXT);
    return colours;
}

std::optional<COLORREF> ShownColour(SkinPart part, std::optional<COLORREF> skin) {
    const bool contrast = HighContrastOn();
    return PartColour(part, skin, contrast, contrast ? ReadSystemColours() : SystemColours{});
}

}  // namespace tressel
