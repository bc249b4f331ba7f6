#include "app/SkinGuides.h"

#include <algorithm>

namespace tressel {
namespace {

Rect Around(const Rect& r) { return {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}; }

}  // namespace

SkinGuides PlaceSkinGuides(const std::array<Rect, kButtonCount>& inputButtons,
                           const Rect& programsButton, const Rect& saveButton, Point clientSize) {
    SkinGuides guides;
    guides.saveBox = Around(saveButton);
    guides.programsBox = Around(programsButton);
    guides.programsTitleBottomLeft = {guides.programsBox.left + 2, guides.programsBox.top - 3};
    std::int32_t rightmost = 0;
    for (const Rect& r : inputButtons) rightmost = std::max(rightmost, r.right + 1);
    const Rect topBox = Around(inputButtons[ToIndex(ButtonId::R)]);

    for (const InputGuideInfo& info : kInputGuides) {
        InputGuide& guide = guides.inputs[ToIndex(info.input)];
        guide.box = Around(inputButtons[ToIndex(info.input)]);
        guide.titleBottomLeft = {guide.box.left + 2, guide.box.top - 3};
        const Point a = info.anchor;
        const std::int32_t left = guide.box.left;
        const std::int32_t middle = (guide.box.top + guide.box.bottom) / 2;
        switch (info.input) {
            case ButtonId::X1:
                // The front side button's box lies below the rear one's: its line leaves the
                // mouse to the left, passes the rear button outside the body and only then
                // turns towards the boxes, so that the two side lines never cross.
                guide.leader = {a, {a.x - 20, a.y}, {a.x - 20, middle}, {left, middle}};
                break;
            case ButtonId::WU: {
                // The wheel's top leads to the lowest box: round the right of the boxes, through
                // the gap under the top box.
                const std::int32_t gap = topBox.bottom + 5;
                const std::int32_t outside = std::min(rightmost + 16, clientSize.x - 4);
                guide.leader = {a,
                                {left - 20, a.y},
                                {left - 20, gap},
                                {outside, gap},
                                {outside, middle},
                                {guide.box.right - 1, middle}};
                break;
            }
            default:
                guide.leader = {a, {left - 85, a.y}, {left - 45, middle}, {left, middle}};
                break;
        }
    }
    return guides;
}

}  // namespace tressel
