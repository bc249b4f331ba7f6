#pragma once
// The function menu as a tree of popups, derived from the function catalogue: every function
// under its submenu path, submenus in the order their path first appears in the catalogue.
// The owner-drawn menu code walks this tree to build the real menus.

#include <cstdint>
#include <string_view>
#include <vector>

namespace tressel {

// Resources and colours every popup of the function menu gets.
inline constexpr int kTopMenuBitmap = 150;
inline constexpr int kSubmenuBitmap = 156;
inline constexpr int kRunProgramMenuBitmap = 157;
inline constexpr int kMenuEntryIcon = 135;  // on every entry, submenus included
inline constexpr std::uint32_t kMenuBackgroundColour = 0xD7D7D7;  // COLORREF
inline constexpr std::uint32_t kMenuTextColour = 0x000000;

// One menu entry. A submenu entry has command id 0, the popup's background bitmap and its
// entries; a function entry has the function's command id and no children.
struct MenuNode {
    std::wstring_view text;  // empty for the top-level popup
    int commandId = 0;
    int bitmapId = 0;
    std::vector<MenuNode> children;

    bool IsPopup() const { return commandId == 0; }
};

// The top-level popup of the function menu.
MenuNode BuildFunctionMenuTree();

}  // namespace tressel
