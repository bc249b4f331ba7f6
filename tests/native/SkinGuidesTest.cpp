// The picture's boxes, titles and leader lines, placed from the controls as different dialog base
// units and resolutions lay them out: each leader runs from its input's part of the mouse to its
// own box, and nothing drawn runs into anything else.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "app/LayoutFit.h"
#include "app/SkinGuides.h"

namespace tressel {
namespace {

// Template positions in dialog units (x, y, cx, cy), and the mouse's parts in the artwork.
struct Units {
    int x, y, cx, cy;
};
const std::pair<ButtonId, Units> kTemplate[] = {
    {ButtonId::R, {311, 58, 153, 15}},   {ButtonId::M, {311, 95, 153, 15}},
    {ButtonId::WD, {311, 132, 153, 15}}, {ButtonId::X2, {311, 170, 153, 15}},
    {ButtonId::X1, {311, 206, 153, 15}}, {ButtonId::WU, {311, 242, 153, 15}}};
constexpr Units kSave = {31, 277, 148, 25};
constexpr Units kPrograms = {311, 26, 153, 15};
const std::map<ButtonId, Point> kMouseParts = {
    {ButtonId::R, {272, 100}},   // right button
    {ButtonId::M, {218, 150}},   // wheel, middle
    {ButtonId::WD, {218, 176}},  // wheel, lower end
    {ButtonId::WU, {218, 122}},  // wheel, upper end
    {ButtonId::X1, {116, 230}},  // front side button ("forward", XBUTTON2)
    {ButtonId::X2, {116, 282}},  // rear side button ("back", XBUTTON1)
};

struct Layout {
    const char* name;
    int baseX, baseY, dpi;
};
const Layout kLayouts[] = {{"stock Wine 6x12", 6, 12, 96},
                           {"Windows 6x13", 6, 13, 96},
                           {"7x13", 7, 13, 96},
                           {"Windows 192 dpi 12x26", 12, 26, 192},
                           {"120 dpi 8x16", 8, 16, 120}};

// The dialog manager maps dialog units to pixels with MulDiv, which rounds (Win32 documentation
// of MapDialogRect).
int Round(int units, int base, int per) { return (units * base + per / 2) / per; }

Rect Place(Units u, const Layout& l, int controlId) {
    const int left = Round(u.x, l.baseX, 4), top = Round(u.y, l.baseY, 8);
    const Rect t{left, top, left + Round(u.cx, l.baseX, 4), top + Round(u.cy, l.baseY, 8)};
    return FitControlRect(t, FitFactorsFor(controlId, l.dpi, l.dpi / 96.0));
}

using Pixels = std::set<std::pair<int, int>>;

// The pixels of a polyline, widened by one pixel on each side.
Pixels Trace(const std::vector<Point>& line) {
    Pixels pixels;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const Point a = line[i - 1], b = line[i];
        const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        for (int s = 0; s <= steps; ++s) {
            const int x = a.x + (steps ? (b.x - a.x) * s / steps : 0);
            const int y = a.y + (steps ? (b.y - a.y) * s / steps : 0);
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy) pixels.insert({x + dx, y + dy});
        }
    }
    return pixels;
}

bool Inside(const Rect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

TEST(SkinGuides, EachLeaderRunsFromItsPartOfTheMouseToItsOwnBoxAndTouchesNothingElse) {
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        std::array<Rect, kButtonCount> buttons{};
        for (auto [id, units] : kTemplate)
            buttons[ToIndex(id)] = Place(units, layout, ControlIdOf(id));
        const Rect save = Place(kSave, layout, 1007);
        const Rect programs = Place(kPrograms, layout, 1010);
        const Point client = {504 * layout.baseX / 4 * 96 / layout.dpi,
                              314 * layout.baseY / 8 * 96 / layout.dpi};
        const SkinGuides guides = PlaceSkinGuides(buttons, programs, save, client);

        EXPECT_EQ(guides.saveBox,
                  (Rect{save.left - 1, save.top - 1, save.right + 1, save.bottom + 1}));
        const Rect programsBox{programs.left - 1, programs.top - 1, programs.right + 1,
                               programs.bottom + 1};
        EXPECT_EQ(guides.programsBox, programsBox);
        std::map<ButtonId, Pixels> traced;
        // The programs button's title first, then the inputs'.
        const Point programsTitle = guides.programsTitleBottomLeft;
        EXPECT_GE(programsTitle.y - 12, 0) << "the programs title leaves the window";
        std::vector<Rect> titles = {
            {programsTitle.x, programsTitle.y - 12, programsTitle.x + 160, programsTitle.y}};
        for (ButtonId id : kAllButtons) {
            const InputGuide& g = guides.inputs[ToIndex(id)];
            const Rect& b = buttons[ToIndex(id)];
            EXPECT_EQ(g.box, (Rect{b.left - 1, b.top - 1, b.right + 1, b.bottom + 1}));
            ASSERT_GE(g.leader.size(), 2u);
            EXPECT_EQ(g.leader.front(), kMouseParts.at(id)) << ToInt(id);
            const Point end = g.leader.back();
            EXPECT_TRUE(end.x == g.box.left || end.x == g.box.right - 1) << ToInt(id);
            EXPECT_GT(end.y, g.box.top + 2) << ToInt(id);
            EXPECT_LT(end.y, g.box.bottom - 3) << ToInt(id);
            traced[id] = Trace(g.leader);
            // Titles are at most 12 pixels high and 160 wide.
            titles.push_back({g.titleBottomLeft.x, g.titleBottomLeft.y - 12,
                              g.titleBottomLeft.x + 160, g.titleBottomLeft.y});
        }
        for (ButtonId id : kAllButtons) {
            for (auto [x, y] : traced[id]) {
                ASSERT_TRUE(x >= 0 && y >= 0 && x < client.x && y < client.y) << ToInt(id);
                for (ButtonId other : kAllButtons) {
                    if (other == id) continue;
                    ASSERT_FALSE(traced[other].count({x, y}))
                        << "leaders " << ToInt(id) << " and " << ToInt(other) << " meet at " << x
                        << "," << y;
                    ASSERT_FALSE(Inside(guides.inputs[ToIndex(other)].box, x, y))
                        << "leader " << ToInt(id) << " runs into box " << ToInt(other);
                }
                ASSERT_FALSE(Inside(programsBox, x, y))
                    << "leader " << ToInt(id) << " runs into the programs box";
                for (const Rect& title : titles)
                    ASSERT_FALSE(Inside(title, x, y))
                        << "leader " << ToInt(id) << " crosses a title";
                ASSERT_FALSE(Inside(save, x, y))
                    << "leader " << ToInt(id) << " crosses the save button";
            }
        }
        std::vector<Rect> boxes = {programsBox};
        for (ButtonId id : kAllButtons) boxes.push_back(guides.inputs[ToIndex(id)].box);
        for (std::size_t i = 0; i < titles.size(); ++i)
            for (std::size_t b = 0; b < boxes.size(); ++b) {
                const Rect& box = boxes[b];
                EXPECT_FALSE(titles[i].left < box.right && box.left < titles[i].right &&
                             titles[i].top < box.bottom && box.top < titles[i].bottom)
                    << "title " << i << " overlaps box " << b;
            }
    }
}

// The wheel's top goes round the right of the boxes just beside them, as Windows lays them out
// (6x13): their right edges end at x = 698, the client at 756, and the line runs down at 714.
TEST(SkinGuides, TheWheelUpLeaderRunsDownJustRightOfTheBoxes) {
    const Layout& windows = kLayouts[1];
    ASSERT_EQ(std::string(windows.name), "Windows 6x13");
    std::array<Rect, kButtonCount> buttons{};
    for (auto [id, units] : kTemplate)
        buttons[ToIndex(id)] = Place(units, windows, ControlIdOf(id));
    const SkinGuides guides = PlaceSkinGuides(buttons, Place(kPrograms, windows, 1010),
                                              Place(kSave, windows, 1007), {756, 510});
    const std::vector<Point>& leader = guides.inputs[ToIndex(ButtonId::WU)].leader;
    ASSERT_EQ(leader.size(), 6u);
    EXPECT_EQ(guides.inputs[ToIndex(ButtonId::R)].box.right, 698);
    EXPECT_EQ(leader[3].x, 714);
    EXPECT_EQ(leader[4].x, 714);
}

TEST(SkinGuides, SideButtonBoxesNameTheButtonsAUserKnows) {
    auto title = [](ButtonId id) {
        for (const InputGuideInfo& info : kInputGuides)
            if (info.input == id) return std::wstring(info.title);
        return std::wstring();
    };
    EXPECT_NE(title(ButtonId::X1).find(L"FORWARD"), std::wstring::npos);
    EXPECT_NE(title(ButtonId::X2).find(L"BACK"), std::wstring::npos);
}

}  // namespace
}  // namespace tressel
