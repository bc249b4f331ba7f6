#include "actions/KeyScanCodes.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tressel {
namespace {

// Virtual keys that are extended keys on every PC keyboard, with their scan codes (the codes
// after the 0xE0 prefix; learn.microsoft.com/windows/win32/inputdev/about-keyboard-input, "Scan
// codes" and "Extended-Key Flag").
// clang-format off
constexpr std::array<std::pair<std::uint16_t, std::uint16_t>, 37> kExtendedKeys = {{
    {0x21, 0x49}, {0x22, 0x51}, {0x23, 0x4F}, {0x24, 0x47},  // Page Up, Page Down, End, Home
    {0x25, 0x4B}, {0x26, 0x48}, {0x27, 0x4D}, {0x28, 0x50},  // the arrows
    {0x2C, 0x37}, {0x2D, 0x52}, {0x2E, 0x53},                // Print Screen, Insert, Delete
    {0x5B, 0x5B}, {0x5C, 0x5C}, {0x5D, 0x5D},                // left and right Windows, Menu
    {0x6F, 0x35}, {0x90, 0x45},                              // numpad divide, Num Lock
    {0xA3, 0x1D}, {0xA5, 0x38},                              // right Ctrl, right Alt
    {0xA6, 0x6A}, {0xA7, 0x69}, {0xA8, 0x67}, {0xA9, 0x68},  // browser back, forward, refresh, stop
    {0xAA, 0x65}, {0xAB, 0x66}, {0xAC, 0x32},                // browser search, favourites, home
    {0xAD, 0x20}, {0xAE, 0x2E}, {0xAF, 0x30},                // mute, volume down, volume up
    {0xB0, 0x19}, {0xB1, 0x10}, {0xB2, 0x24}, {0xB3, 0x22},  // next, previous, stop, play/pause
    {0xB4, 0x6C}, {0xB5, 0x6D}, {0xB6, 0x6B}, {0xB7, 0x21},  // mail, media, app 1, app 2
    {0x03, 0x46},                                            // Break (Ctrl+Pause)
}};
// clang-format on

}  // namespace

KeyScanCode ScanCodeFor(std::uint16_t virtualKey, std::uint32_t layoutAnswer) {
    const auto known = std::find_if(kExtendedKeys.begin(), kExtendedKeys.end(),
                                    [&](const auto& key) { return key.first == virtualKey; });
    const auto code = static_cast<std::uint16_t>(layoutAnswer & 0xFF);
    const std::uint32_t prefix = (layoutAnswer >> 8) & 0xFF;
    if (known != kExtendedKeys.end()) return {code != 0 ? code : known->second, true};
    return {code, prefix == 0xE0 || prefix == 0xE1};
}

}  // namespace tressel
