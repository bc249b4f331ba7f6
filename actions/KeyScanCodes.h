#pragma once
// The scan code and extended-key flag a synthesised key goes out with. Programs that read scan
// codes (games, remote-desktop and virtual-machine clients, some terminals) see nothing of a key
// sent with scan code 0, and take Delete, Home or an arrow without the extended flag for the
// numpad key of the same scan code.

#include <cstdint>

namespace tressel {

struct KeyScanCode {
    std::uint16_t code = 0;
    bool extended = false;
    bool operator==(const KeyScanCode&) const = default;
};

// `layoutAnswer` is the keyboard layout's answer for the key (MapVirtualKeyW with
// MAPVK_VK_TO_VSC_EX): on Windows an extended key's code with 0xE0 or 0xE1 in its high byte, 0
// where the layout has no such key. The keys that are extended on every PC keyboard are known
// here, with their codes, for layouts that leave out the prefix or the key (Wine's does both).
KeyScanCode ScanCodeFor(std::uint16_t virtualKey, std::uint32_t layoutAnswer);

}  // namespace tressel
