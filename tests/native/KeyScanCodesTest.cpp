// The scan code and extended flag of a synthesised key, from the keyboard layout's answer as
// Windows gives it (an extended key's code with 0xE0 in its high byte) and as Wine 8 gives it
// (no prefix; 0 for the media and browser keys).
#include <gtest/gtest.h>

#include "actions/KeyScanCodes.h"

namespace tressel {
namespace {

struct Row {
    const char* key;
    std::uint16_t virtualKey;
    std::uint32_t windowsAnswer;
    std::uint32_t wineAnswer;
    KeyScanCode expected;
};

TEST(KeyScanCodesTest, EitherLayoutAnswerGivesThePcKeyboardsCodeAndFlag) {
    // clang-format off
    const Row rows[] = {
        {"C",              0x43, 0x002E, 0x002E, {0x2E, false}},
        {"Ctrl",           0x11, 0x001D, 0x001D, {0x1D, false}},
        {"numpad plus",    0x6B, 0x004E, 0x004E, {0x4E, false}},
        {"Delete",         0x2E, 0xE053, 0x0053, {0x53, true}},
        {"Home",           0x24, 0xE047, 0x0047, {0x47, true}},
        {"left arrow",     0x25, 0xE04B, 0x004B, {0x4B, true}},
        {"left Windows",   0x5B, 0xE05B, 0x005B, {0x5B, true}},
        {"volume up",      0xAF, 0xE030, 0x0000, {0x30, true}},
        {"play/pause",     0xB3, 0xE022, 0x0000, {0x22, true}},
        {"browser back",   0xA6, 0xE06A, 0x0000, {0x6A, true}},
        {"mail",           0xB4, 0xE06C, 0x0000, {0x6C, true}},
        {"a key the layout lacks", 0xE8, 0x0000, 0x0000, {0x00, false}},
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_EQ(ScanCodeFor(row.virtualKey, row.windowsAnswer), row.expected)
            << row.key << ", as Windows answers";
        EXPECT_EQ(ScanCodeFor(row.virtualKey, row.wineAnswer), row.expected)
            << row.key << ", as Wine answers";
    }
}

TEST(KeyScanCodesTest, AnExtendedAnswerForAKeyNotKnownHereIsKeptExtended) {
    EXPECT_EQ(ScanCodeFor(0xE2, 0xE056), (KeyScanCode{0x56, true}));
}

}  // namespace
}  // namespace tressel
