#pragma once
// The owner-drawn menu entry with a text and an icon; a submenu entry has command id 0.

#include "controls/MenuXPItem.h"

namespace tressel {

class CMenuXPText : public CMenuXPItem {
  public:
    // Takes over `icon` (may be null).
    CMenuXPText(UINT commandId, std::wstring text, HICON icon)
        : CMenuXPItem(commandId, std::move(text), icon) {}
};

}  // namespace tressel
