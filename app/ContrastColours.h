#pragma once
// The colours the skinned parts are drawn in: the skin's own, or, while the user has high
// contrast on, the system's, so that captions and menus keep to the user's scheme and stay
// readable over anything. Decided here; the Win32 layer reads the setting and the colours.

#include <array>
#include <cstddef>
#include <optional>

#include "app/DialogShell.h"

namespace tressel {

// The system colours high contrast draws in (GetSysColor's in the Win32 layer).
enum class SystemColour {
    ButtonText,
    ButtonFace,
    Highlight,
    HighlightText,
    MenuText,
    Menu,
    GrayText
};
inline constexpr std::size_t kSystemColourCount = 7;
using SystemColours = std::array<Colour, kSystemColourCount>;  // indexed by SystemColour

// What is drawn. A caption's focus mark takes the caption's colour.
enum class SkinPart {
    Caption,           // an input button's caption, idle or pressed
    HoverCaption,      // under the pointer, or just released
    CaptionFace,       // behind an idle caption
    HoverCaptionFace,  // behind a hover caption
    MenuText,
    MenuBack,
    SelectedMenuText,
    SelectedMenuBack,
};

// The colour of `part`: without high contrast `skin`, where none means that the skin's picture
// shows; with it the part's system colour, never the picture. A caption in the inherited colour
// (what all programs have, in a program's view) stays apart from the others in the system's
// grey text.
std::optional<Colour> PartColour(SkinPart part, std::optional<Colour> skin, bool highContrast,
                                 const SystemColours& system);

}  // namespace tressel
