#include "controls/FunctionMenuBuilder.h"

#include <string>

#include "app/ZornMouseApplicationDlg.h"

namespace tressel {
namespace {

HICON LoadEntryIcon() {
    const int size = CMenuXPItem::kIconSize;
    // Not shared: the entry owns the icon and destroys it.
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(kMenuEntryIcon), IMAGE_ICON, size, size,
                                         LR_DEFAULTCOLOR));
}

std::unique_ptr<CMenuXPText> Entry(const MenuNode& node) {
    return std::make_unique<CMenuXPText>(static_cast<UINT>(node.commandId), std::wstring(node.text),
                                         LoadEntryIcon());
}

}  // namespace

std::unique_ptr<CMenuXP> BuildFunctionMenu(const MenuNode& popup) {
    auto menu = std::make_unique<CMenuXP>();
    if (!menu->CreatePopupMenu()) return menu;
    menu->SetBackColour(kMenuBackgroundColour);
    menu->SetTextColour(kMenuTextColour);
    menu->SetBackBitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(popup.bitmapId)));
    for (const MenuNode& child : popup.children) {
        if (child.IsPopup()) {
            menu->AppendSubmenu(BuildFunctionMenu(child), Entry(child));
        } else {
            menu->AppendItem(Entry(child));
        }
    }
    return menu;
}

void ShowFunctionMenu(HWND owner, int x, int y, bool asAllPrograms) {
    static const MenuNode tree = BuildFunctionMenuTree();
    static const MenuNode withAllPrograms = [] {
        MenuNode top = tree;
        top.children.insert(top.children.begin(),
                            MenuNode{L"As All Programs", command_id::kAsAllPrograms, 0, {}});
        return top;
    }();
    std::unique_ptr<CMenuXP> menu = BuildFunctionMenu(asAllPrograms ? withAllPrograms : tree);
    if (!menu->GetHandle()) return;
    TrackPopupMenu(menu->GetHandle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, x, y, 0, owner,
                   nullptr);
    // The tree, its menu handles, bitmaps and icons go with `menu` here.
}

}  // namespace tressel
