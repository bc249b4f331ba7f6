// The colours of the skinned parts with and without high contrast: the skin's own (or its
// picture) normally, the system's text and background pairs in high contrast.
#include <gtest/gtest.h>

#include <optional>

#include "app/ContrastColours.h"

namespace tressel {
namespace {

// Seven distinct system colours, in SystemColour order.
constexpr Colour kButtonText = 0x000001, kButtonFace = 0x000002, kHighlight = 0x000003,
                 kHighlightText = 0x000004, kMenuText = 0x000005, kMenu = 0x000006,
                 kGrayText = 0x000007;
constexpr SystemColours kSystem{kButtonText, kButtonFace, kHighlight, kHighlightText,
                                kMenuText,   kMenu,       kGrayText};
constexpr Colour kSkin = 0xC8C8C8;
constexpr std::optional<Colour> kPicture = std::nullopt;

struct Row {
    const char* name;
    SkinPart part;
    std::optional<Colour> skin;
    bool highContrast;
    std::optional<Colour> expected;
};

// clang-format off
const Row kRows[] = {
    {"CaptionKeepsTheSkinColour",          SkinPart::Caption,          kSkin,    false, kSkin},
    {"CaptionFaceShowsThePicture",         SkinPart::CaptionFace,      kPicture, false, kPicture},
    {"MenuBackShowsItsPicture",            SkinPart::MenuBack,         kPicture, false, kPicture},
    {"MenuBackKeepsItsPlainColour",        SkinPart::MenuBack,         kSkin,    false, kSkin},
    {"ContrastCaptionIsButtonText",        SkinPart::Caption,          kSkin,    true,  kButtonText},
    {"ContrastInheritedCaptionIsGrayText", SkinPart::Caption,          kInheritedCaptionColour, true, kGrayText},
    {"ContrastHoverCaptionIsHighlightText",SkinPart::HoverCaption,     kSkin,    true,  kHighlightText},
    {"ContrastFaceHidesThePicture",        SkinPart::CaptionFace,      kPicture, true,  kButtonFace},
    {"ContrastHoverFaceIsHighlight",       SkinPart::HoverCaptionFace, kPicture, true,  kHighlight},
    {"ContrastMenuTextIsMenuText",         SkinPart::MenuText,         kSkin,    true,  kMenuText},
    {"ContrastMenuBackHidesThePicture",    SkinPart::MenuBack,         kPicture, true,  kMenu},
    {"ContrastSelectedTextIsHighlightText",SkinPart::SelectedMenuText, kSkin,    true,  kHighlightText},
    {"ContrastSelectedBackIsHighlight",    SkinPart::SelectedMenuBack, kSkin,    true,  kHighlight},
};
// clang-format on

class ContrastColoursTest : public ::testing::TestWithParam<Row> {};

TEST_P(ContrastColoursTest, PartTakesItsColour) {
    const Row& row = GetParam();
    EXPECT_EQ(PartColour(row.part, row.skin, row.highContrast, kSystem), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Parts, ContrastColoursTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tressel
