#include "config/FunctionMenuTree.h"

#include <algorithm>

#include "config/FunctionCatalogue.h"

namespace tressel {
namespace {

int BitmapOfSubmenu(std::wstring_view text) {
    return text == L"Run Program" ? kRunProgramMenuBitmap : kSubmenuBitmap;
}

// The submenu `text` of `parent`, appended the first time it is asked for.
MenuNode& SubmenuOf(MenuNode& parent, std::wstring_view text) {
    auto it = std::find_if(parent.children.begin(), parent.children.end(),
                           [text](const MenuNode& n) { return n.IsPopup() && n.text == text; });
    if (it != parent.children.end()) return *it;
    parent.children.push_back({text, 0, BitmapOfSubmenu(text), {}});
    return parent.children.back();
}

}  // namespace

MenuNode BuildFunctionMenuTree() {
    MenuNode top{{}, 0, kTopMenuBitmap, {}};
    for (const FunctionEntry& function : FunctionCatalogue()) {
        MenuNode* popup = &top;
        for (int level = 0; level < function.submenu.depth; ++level)
            popup = &SubmenuOf(*popup, function.submenu.levels[level]);
        popup->children.push_back({function.menuText, function.Id(), 0, {}});
    }
    return top;
}

}  // namespace tressel
