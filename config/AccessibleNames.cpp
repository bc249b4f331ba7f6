#include "config/AccessibleNames.h"

namespace tressel {

std::wstring InputButtonAccessibleName(ButtonId input, std::wstring_view caption) {
    const std::wstring_view inputName = InfoOf(input).defaultCaption;
    std::wstring name(inputName);
    if (caption.empty() || caption == inputName) return name;
    name += L": ";
    name += caption;
    return name;
}

}  // namespace tressel
