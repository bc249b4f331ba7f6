#pragma once
// One entry of an owner-drawn menu: the object whose address is the menu item's data. The
// marker tells the menu's own items from item data of any other kind.

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/UniqueHandle.h"

namespace tressel {

class CMenuXPItem {
  public:
    static constexpr std::uint32_t kMarker = 0x0505A0A0;
    static constexpr int kIconSize = 16;

    CMenuXPItem(UINT commandId, std::wstring text, HICON icon)
        : commandId_(commandId), text_(std::move(text)), icon_(icon) {}
    CMenuXPItem(const CMenuXPItem&) = delete;
    CMenuXPItem& operator=(const CMenuXPItem&) = delete;
    virtual ~CMenuXPItem() = default;

    std::uint32_t marker() const { return marker_; }
    UINT commandId() const { return commandId_; }
    const std::wstring& text() const { return text_; }
    HICON icon() const { return icon_.get(); }
    int iconSize() const { return iconSize_; }
    // A checked entry (MFS_CHECKED) shows its icon square pressed, with a check mark when it
    // has no icon. A separator entry is a line across the menu that cannot be chosen.
    bool checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    bool separator() const { return separator_; }
    void SetSeparator() { separator_ = true; }

  private:
    std::uint32_t marker_ = kMarker;
    UINT commandId_;
    std::wstring text_;  // a tab splits it into a left and a right-aligned part
    UniqueIcon icon_;    // destroyed together with the item
    int iconSize_ = kIconSize;
    bool checked_ = false;
    bool separator_ = false;
};

}  // namespace tressel
