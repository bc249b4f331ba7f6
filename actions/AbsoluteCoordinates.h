#pragma once
// A pixel of the virtual desktop (the bounding box of every monitor; its origin is the primary
// monitor's top-left corner, so monitors left of or above it have negative coordinates) as the
// normalised absolute coordinate SendInput takes with MOUSEEVENTF_ABSOLUTE |
// MOUSEEVENTF_VIRTUALDESK: 0 is the desktop's first pixel, 65535 its last
// (learn.microsoft.com/windows/win32/api/winuser/ns-winuser-mouseinput).
//
// The page gives only those two ends. Two mappings back to pixels are in use, and the value
// chosen lands on the very pixel under both, for desktops up to 32768 pixels along an axis
// (beyond that, one normalised step is less than two pixels and only the second can hold):
// - the line through the two ends, rounded to the nearest pixel: size - 1 steps over 65535
//   (measured under Wine: on a 2048-pixel screen the truncated pixel * 65535 / size sent x = 1500
//   to 1499);
// - the desktop cut into 65536 equal parts, the pixel being floor(value * size / 65536), as
//   measurements on Windows report it.
// The value taken is the smallest that both send to the pixel.

#include <algorithm>
#include <cstdint>

namespace tressel {

constexpr std::int32_t ToVirtualDesk(std::int32_t pixel, std::int32_t origin, std::int32_t size) {
    if (size <= 1) return 0;  // no display, or a single pixel: every value is that pixel
    // 64-bit throughout: origin and pixel may be anywhere in 32 bits.
    const std::int64_t last = static_cast<std::int64_t>(size) - 1;
    const std::int64_t offset =
        std::clamp(static_cast<std::int64_t>(pixel) - origin, std::int64_t{0}, last);
    // The smallest v with v * last / 65535 >= offset - 1/2, that is 2 * v * last >= (2 * offset
    // - 1) * 65535; and at least the start of the pixel's part of the 65536 equal parts.
    const std::int64_t nearest =
        std::max<std::int64_t>(0, ((2 * offset - 1) * 65535 + 2 * last - 1) / (2 * last));
    const std::int64_t partStart = (offset * 65536 + size - 1) / size;
    return static_cast<std::int32_t>(std::min<std::int64_t>(65535, std::max(nearest, partStart)));
}

}  // namespace tressel
