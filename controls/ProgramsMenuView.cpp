#include "controls/ProgramsMenuView.h"

#include <shellapi.h>

#include <climits>

#include "config/FunctionMenuTree.h"

namespace tressel {
namespace {

// The program's small icon, or none. ExtractIconExW answers the number of icons it extracted,
// and UINT_MAX for a file it cannot read; a program without icons gives none. Every icon it
// gives must be destroyed (https://learn.microsoft.com/windows/win32/api/shellapi/
// nf-shellapi-extracticonexw), which the menu entry does.
HICON SmallIconOf(const std::wstring& file) {
    if (file.empty()) return nullptr;
    HICON small = nullptr;
    const UINT extracted = ExtractIconExW(file.c_str(), 0, nullptr, &small, 1);
    if (extracted == UINT_MAX || extracted == 0) {
        if (small) DestroyIcon(small);
        return nullptr;
    }
    return small;
}

std::unique_ptr<CMenuXP> NewMenu() {
    auto menu = std::make_unique<CMenuXP>();
    if (!menu->CreatePopupMenu()) return menu;
    // The function menu's top-level look: its colours and its background picture.
    menu->SetBackColour(kMenuBackgroundColour);
    menu->SetTextColour(kMenuTextColour);
    menu->SetBackBitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kTopMenuBitmap)));
    return menu;
}

bool IsSeparator(const ProgramsMenuItem& item) {
    return item.id == 0 && item.text.empty() && item.submenu.empty();
}

// Whether `id` is the id of an item that can be chosen (a submenu's entry carries its menu's
// handle as its id, and is never the choice).
bool IsChoice(const ProgramsMenu& items, int id) {
    for (const ProgramsMenuItem& item : items) {
        if (item.submenu.empty() ? item.id == id : IsChoice(item.submenu, id)) return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<CMenuXP> BuildProgramsMenu(const ProgramsMenu& items) {
    std::unique_ptr<CMenuXP> menu = NewMenu();
    if (!menu->GetHandle()) return menu;
    for (const ProgramsMenuItem& item : items) {
        if (IsSeparator(item)) {
            menu->AppendSeparator();
            continue;
        }
        auto entry = std::make_unique<CMenuXPText>(item.submenu.empty() ? item.id : 0, item.text,
                                                   SmallIconOf(item.iconFile));
        entry->SetChecked(item.checked);
        if (item.submenu.empty()) {
            menu->AppendItem(std::move(entry));
        } else {
            menu->AppendSubmenu(BuildProgramsMenu(item.submenu), std::move(entry));
        }
    }
    return menu;
}

int TrackProgramsMenu(HWND owner, int x, int y, const ProgramsMenu& items) {
    std::unique_ptr<CMenuXP> menu = BuildProgramsMenu(items);
    if (!menu->GetHandle()) return 0;
    // TPM_RETURNCMD: the chosen item's id is the return value, 0 when the menu was cancelled or
    // failed; TPM_NONOTIFY: no messages about the choice go to the owner, so nothing else
    // acts on it (https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-trackpopupmenu).
    const BOOL chosen =
        TrackPopupMenu(menu->GetHandle(),
                       TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       x, y, 0, owner, nullptr);
    const int id = static_cast<int>(chosen);
    return id != 0 && IsChoice(items, id) ? id : 0;
}

}  // namespace tressel
