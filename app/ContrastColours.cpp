#include "app/ContrastColours.h"

namespace tressel {
namespace {

// Each part's colour in high contrast: text on its own background pair, so that every pair the
// user's scheme defines stays together (button text on button face, highlight text on
// highlight, menu text on menu).
constexpr SystemColour kHighContrast[] = {
    SystemColour::ButtonText,     // Caption
    SystemColour::HighlightText,  // HoverCaption
    SystemColour::ButtonFace,     // CaptionFace
    SystemColour::Highlight,      // HoverCaptionFace
    SystemColour::MenuText,       // MenuText
    SystemColour::Menu,           // MenuBack
    SystemColour::HighlightText,  // SelectedMenuText
    SystemColour::Highlight,      // SelectedMenuBack
};
static_assert(std::size(kHighContrast) == static_cast<std::size_t>(SkinPart::SelectedMenuBack) + 1);

}  // namespace

std::optional<Colour> PartColour(SkinPart part, std::optional<Colour> skin, bool highContrast,
                                 const SystemColours& system) {
    if (!highContrast) return skin;
    if (part == SkinPart::Caption && skin == kInheritedCaptionColour)
        return system[static_cast<std::size_t>(SystemColour::GrayText)];
    return system[static_cast<std::size_t>(kHighContrast[static_cast<std::size_t>(part)])];
}

}  // namespace tressel
