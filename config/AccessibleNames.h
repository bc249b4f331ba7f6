#pragma once
// What a screen reader announces for an input's button: which input it is and, once the input
// has a function, which one ("Right Button: Copy"). The caption alone says only the function.

#include <string>
#include <string_view>

#include "config/ButtonId.h"

namespace tressel {

// The accessible name of `input`'s button while it shows `caption`. A caption that is the
// input's default caption, or none, names the input alone.
std::wstring InputButtonAccessibleName(ButtonId input, std::wstring_view caption);

}  // namespace tressel
