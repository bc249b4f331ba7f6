#pragma once
// The number of an action line ("g 40", "h -300 px", "gDelay40"): read from the line's first
// blank on (the whole line when it has none) the way the C runtime's wide-string to int
// conversion reads it: leading white space, an optional sign, then decimal digits up to the
// first other character. No digits give 0; a value beyond the int range is clamped to it, as
// the runtime does.

#include <cstdint>
#include <string_view>

namespace tressel {

std::int32_t MacroArgument(std::wstring_view actionLine);

}  // namespace tressel
