#pragma once

// Texts for a notification-area balloon, which shows at most 255 characters.

#include <cstddef>
#include <string>
#include <string_view>

namespace tressel {

// NOTIFYICONDATAW::szInfo holds 256 characters with the terminating null; the shell cuts a
// longer text at its end.
inline constexpr std::size_t kNoticeTextChars = 255;

// `before`, `name` and `after` in at most kNoticeTextChars characters: a name (a path, a file
// name from the settings) too long for the room left gives up its middle for an ellipsis, so its
// start, its end and the words around it still show.
std::wstring NoticeNaming(std::wstring_view before, std::wstring_view name,
                          std::wstring_view after);

}  // namespace tressel
