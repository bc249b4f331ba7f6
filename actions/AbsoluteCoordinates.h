#pragma once
// Pixel to normalised absolute coordinate (0..65535 across the primary screen), as SendInput's
// MOUSEEVENTF_ABSOLUTE expects: pixel * 65535 / size, truncated toward zero.

#include <cstdint>

namespace tressel {

constexpr std::int32_t ToAbsolute(std::int32_t pixel, std::int32_t screenSize) {
    // A screen size of 0 (no display) would divide by zero; the event then goes to the origin.
    if (screenSize == 0) return 0;
    // 64-bit product: equal to the 32-bit one for every real screen, and free of overflow.
    return static_cast<std::int32_t>(static_cast<std::int64_t>(pixel) * 65535 / screenSize);
}

}  // namespace tressel
