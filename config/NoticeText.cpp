#include "config/NoticeText.h"

namespace tressel {

std::wstring NoticeNaming(std::wstring_view before, std::wstring_view name,
                          std::wstring_view after) {
    const std::size_t words = before.size() + after.size();
    const std::size_t room = words < kNoticeTextChars ? kNoticeTextChars - words : 0;
    std::wstring text(before);
    if (name.size() <= room) {
        text += name;
    } else {
        const std::size_t kept = room > 0 ? room - 1 : 0;  // one for the ellipsis
        const std::size_t head = kept / 3;
        text += name.substr(0, head);
        text += L'\u2026';
        text += name.substr(name.size() - (kept - head));
    }
    text += after;
    return text;
}

}  // namespace tressel
