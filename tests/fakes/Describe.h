#pragma once
// Short text forms of seam values for call logs and failure messages.

#include <cstdio>
#include <string>

#include "config/ButtonId.h"
#include "seam/Types.h"

namespace tressel::testing {

inline std::string Narrow(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) out += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
    return out;
}

inline std::string Describe(ButtonId id) {
    return Narrow(InfoOf(id).hookLibrary).substr(8);  // "TarnhookX1" -> "X1"
}

inline std::string Describe(const InputRecord& r) {
    char buffer[160];
    if (r.type == InputRecord::Mouse) {
        std::snprintf(buffer, sizeof buffer, "mouse(%d,%d data=%d flags=0x%X t=%u x=%llu)", r.dx,
                      r.dy, r.mouseData, r.mouseFlags, r.time,
                      static_cast<unsigned long long>(r.extraInfo));
    } else {
        std::snprintf(buffer, sizeof buffer, "key(vk=0x%X scan=%u flags=%u t=%u x=%llu)",
                      r.virtualKey, r.scanCode, r.keyFlags, r.time,
                      static_cast<unsigned long long>(r.extraInfo));
    }
    return buffer;
}

}  // namespace tressel::testing
