#include "macros/MacroArgument.h"

#include <limits>

namespace tressel {
namespace {

bool IsWhiteSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

}  // namespace

std::int32_t MacroArgument(std::wstring_view actionLine) {
    std::size_t i = actionLine.find(L' ');
    if (i == std::wstring_view::npos) i = 0;
    while (i < actionLine.size() && IsWhiteSpace(actionLine[i])) ++i;
    bool negative = false;
    if (i < actionLine.size() && (actionLine[i] == L'-' || actionLine[i] == L'+')) {
        negative = actionLine[i] == L'-';
        ++i;
    }
    // Accumulated as a magnitude in 64 bits and clamped once past the int range.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < actionLine.size() && actionLine[i] >= L'0' && actionLine[i] <= L'9'; ++i) {
        if (magnitude <= kLimit) magnitude = magnitude * 10 + (actionLine[i] - L'0');
    }
    if (negative) {
        return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::min()
                                   : static_cast<std::int32_t>(-magnitude);
    }
    return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::max()
                               : static_cast<std::int32_t>(magnitude);
}

}  // namespace tressel
