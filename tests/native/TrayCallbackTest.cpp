// The icon's callback in the version-4 form: what each sequence of events the shell sends for a
// user's click or key asks for.
#include <gtest/gtest.h>

#include <vector>

#include "app/TrayCallback.h"

namespace tressel {
namespace {

constexpr std::uint32_t kMove = 0x0200, kLeftDown = 0x0201, kLeftUp = 0x0202, kLeftDouble = 0x0203,
                        kRightDown = 0x0204, kRightUp = 0x0205, kMiddleDown = 0x0207,
                        kContextMenu = 0x007B, kSelect = 0x0400, kKeySelect = 0x0401,
                        kBalloonClick = 0x0405, kPopupOpen = 0x0406;
constexpr TrayAction N = TrayAction::None, Menu = TrayAction::OpenMenu,
                     Show = TrayAction::ShowWindow;

struct Row {
    const char* what;
    std::vector<std::uint32_t> events;
    std::vector<TrayAction> expected;
};

// clang-format off
const Row kRows[] = {
    {"left click",                      {kLeftDown, kLeftUp, kSelect},                                   {Menu, N, N}},
    {"right click",                     {kRightDown, kRightUp, kContextMenu},                            {Menu, N, N}},
    {"right press the menu took, later the context-menu key", {kRightDown, kMove, kContextMenu},        {Menu, N, Menu}},
    {"left double click",               {kLeftDown, kLeftUp, kSelect, kLeftDouble, kLeftUp, kSelect},     {Menu, N, N, Show, N, N}},
    {"Enter or Space",                  {kKeySelect},                                                    {Menu}},
    {"context-menu key",                {kContextMenu},                                                  {Menu}},
    {"context-menu key after a right click", {kRightDown, kRightUp, kContextMenu, kContextMenu},         {Menu, N, N, Menu}},
    {"Enter after a right click",       {kRightDown, kRightUp, kContextMenu, kKeySelect},                {Menu, N, N, Menu}},
    {"hover, middle button, balloon",   {kMove, kMiddleDown, kBalloonClick, kPopupOpen},                 {N, N, N, N}},
};
// clang-format on

TEST(TrayClicks, EachUserGestureOpensTheMenuOnceOrShowsTheWindow) {
    for (const Row& row : kRows) {
        TrayClicks clicks;
        std::vector<TrayAction> actions;
        for (std::uint32_t event : row.events) actions.push_back(clicks.OnEvent(event));
        EXPECT_EQ(actions, row.expected) << row.what;
    }
}

TEST(TrayCallback, EventAndIconFromLParamSignedAnchorFromWParam) {
    // MAKEWPARAM(-5, 300): a point on a monitor left of the primary one.
    const TrayCallback c = DecodeTrayCallback(0x012CFFFB, 0x0064007B);
    EXPECT_EQ(c.event, kContextMenu);
    EXPECT_EQ(c.iconId, 100u);
    EXPECT_EQ(c.anchor, (Point{-5, 300}));
}

}  // namespace
}  // namespace tressel
