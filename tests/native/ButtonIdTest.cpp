// The input table's derived numbers: control ids and the selectedButton conversion.
#include <gtest/gtest.h>

#include "config/ButtonId.h"

namespace tressel {
namespace {

TEST(ButtonId, ControlIdsFollowTheInputNumber) {
    for (ButtonId id : kAllButtons) EXPECT_EQ(ControlIdOf(id), InfoOf(id).controlId);
}

TEST(ButtonId, SelectedButtonOutsideOneToSixNamesNoInput) {
    EXPECT_FALSE(ButtonFromInt(0));
    EXPECT_FALSE(ButtonFromInt(7));
    EXPECT_FALSE(ButtonFromInt(-1));
    EXPECT_EQ(ButtonFromInt(3), ButtonId::X1);
}

}  // namespace
}  // namespace tressel
