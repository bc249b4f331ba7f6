// The names a screen reader announces for the input buttons.
#include <gtest/gtest.h>

#include <string>

#include "config/AccessibleNames.h"

namespace tressel {
namespace {

struct NameRow {
    const char* why;
    ButtonId input;
    const wchar_t* caption;
    const wchar_t* name;
};

// clang-format off
constexpr NameRow kNames[] = {
    {"a function: the input, then the function", ButtonId::R,  L"Copy(Ctrl+C)",   L"Right Button: Copy(Ctrl+C)"},
    {"the input's own caption: the input alone",  ButtonId::WU, L"Wheel Up",       L"Wheel Up"},
    {"no caption: the input alone",               ButtonId::X1, L"",               L"X1 Button"},
    {"another input's caption is a function",     ButtonId::M,  L"Right Button",   L"Middle Button: Right Button"},
    {"a program's name in any script",            ButtonId::X2, L"Блокнот 記事本.exe", L"X2 Button: Блокнот 記事本.exe"},
};
// clang-format on

TEST(AccessibleNamesTest, InputButtonsNameTheInputAndItsFunction) {
    for (const NameRow& row : kNames) {
        EXPECT_EQ(InputButtonAccessibleName(row.input, row.caption), row.name) << row.why;
    }
}

}  // namespace
}  // namespace tressel
