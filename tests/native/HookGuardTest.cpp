// A hook is installed only while not installed and removed only while installed, and the flag
// always follows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/HookGuard.h"
#include "fakes/FakeHookLibraries.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using namespace tressel::testing;

TEST(HookGuardTest, InstallAndRemoveEachCallTheLibraryOnlyOnAChangeOfTheFlag) {
    CallLog log;
    FakeHookLibraries hooks(log);
    ButtonSetting record;

    RemoveGuarded(record, ButtonId::X2, hooks, 0x77);
    InstallGuarded(record, ButtonId::X2, hooks, 0x77);
    InstallGuarded(record, ButtonId::X2, hooks, 0x77);
    EXPECT_TRUE(record.hooked);
    RemoveGuarded(record, ButtonId::X2, hooks, 0x77);
    RemoveGuarded(record, ButtonId::X2, hooks, 0x77);
    EXPECT_FALSE(record.hooked);

    EXPECT_THAT(log.Entries(), ElementsAre("Install(X2, 0x77)", "Remove(X2, 0x77)"));
}

}  // namespace
}  // namespace tressel
