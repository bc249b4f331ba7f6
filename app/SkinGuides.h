#pragma once
// The guides drawn over the skin when the window's background is composed: a box under each input
// button, the programs button and the save button, a title over each input's box and the
// programs button's, and a leader line from the
// part of the pictured mouse an input stands for to its box. They are placed from the controls'
// real rectangles, so picture and controls agree whatever dialog base units the template was laid
// out with and wherever the resolution fit moved the controls.

#include <array>
#include <string_view>
#include <vector>

#include "config/ButtonId.h"
#include "seam/Types.h"

namespace tressel {

// Each input's part of the pictured mouse, in skin pixels (the skin lies 1:1 at the client
// origin; resources/art/make-art.sh draws the mouse around these points), and its box's title.
// X1 reacts to the side button Windows reports as XBUTTON2, "forward", at the front of the side;
// X2 to XBUTTON1, "back", the rear one.
struct InputGuideInfo {
    ButtonId input;
    Point anchor;
    std::wstring_view title;
};
inline constexpr std::array<InputGuideInfo, kButtonCount> kInputGuides = {{
    {ButtonId::R, {272, 100}, L"RIGHT BUTTON"},
    {ButtonId::M, {218, 150}, L"MIDDLE BUTTON"},
    {ButtonId::X1, {116, 230}, L"FORWARD SIDE BUTTON"},
    {ButtonId::X2, {116, 282}, L"BACK SIDE BUTTON"},
    {ButtonId::WD, {218, 176}, L"WHEEL DOWN"},
    {ButtonId::WU, {218, 122}, L"WHEEL UP"},
}};

struct InputGuide {
    Rect box;                   // outline one pixel outside the button on every side
    Point titleBottomLeft;      // the title's text stands on this point
    std::vector<Point> leader;  // polyline from the anchor; its last point is on the box's edge
};

// The programs button's box is titled like the inputs' boxes; its caption names the program
// whose settings the boxes below show.
inline constexpr std::wstring_view kProgramsGuideTitle = L"SETTINGS FOR";

struct SkinGuides {
    std::array<InputGuide, kButtonCount> inputs;  // indexed by ToIndex(ButtonId)
    Rect programsBox;
    Point programsTitleBottomLeft;
    Rect saveBox;
};

// `inputButtons` indexed by ToIndex(ButtonId), `programsButton` and `saveButton` in client
// coordinates; `clientSize` bounds the one leader that runs round the boxes.
SkinGuides PlaceSkinGuides(const std::array<Rect, kButtonCount>& inputButtons,
                           const Rect& programsButton, const Rect& saveButton, Point clientSize);

}  // namespace tressel
