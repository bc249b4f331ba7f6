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
        {"C",            0x43, 0x002E, 0x002E, {0x2E, false}},
        {"Delete",       0x2E, 0xE053, 0x0053, {0x53, true}},
        {"volume up",    0xAF, 0xE030, 0x0000, {0x30, true}},
        {"a key the layout lacks", 0xE8, 0x0000, 0x0000, {0x00, false}},
        // An extended key not known here keeps the prefix the layout gives it.
        {"OEM 102",      0xE2, 0xE056, 0xE056, {0x56, true}},
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_EQ(ScanCodeFor(row.virtualKey, row.windowsAnswer), row.expected)
            << row.key << ", as Windows answers";
        EXPECT_EQ(ScanCodeFor(row.virtualKey, row.wineAnswer), row.expected)
            << row.key << ", as Wine answers";
    }
}

}  // namespace
}  // namespace tressel
