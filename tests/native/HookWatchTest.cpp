// A hook the system removed is told from one that is there and put back: a raw press of a
// hooked input that its hook does not report within the grace time. Its own reports, presses
// of inputs without a hook or passing to the program in front, and the program's own clicks
// never count.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/DialogFixture.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace tressel::testing;

class HookWatchTest : public ::testing::Test, protected DialogFixture {
  protected:
    HookWatchTest() {
        for (ButtonId id : {ButtonId::R, ButtonId::M}) {
            dialog.Record(id).hooked = true;
            dialog.Record(id).category = KeyOrCommand;
        }
        log.Clear();
    }
    // What the grace time's end does, when its timer runs.
    std::vector<std::string> GraceEnds() {
        const auto entries = log.Entries();
        if (std::find(entries.begin(), entries.end(), "SetTimer(11, 250)") == entries.end())
            return {"no grace timer"};
        log.Clear();
        dialog.OnTimer(kHookWatchTimer);
        return log.Entries();
    }
};

TEST_F(HookWatchTest, ARawPressItsHookNeverReportedPutsTheHookBackAndCountsIt) {
    dialog.OnRawMousePress(ButtonId::R);
    dialog.OnRawMousePress(ButtonId::R);  // one grace time for both
    EXPECT_THAT(GraceEnds(), ElementsAre("KillTimer(11)", "Remove(R, 0x42)", "Install(R, 0x42)",
                                         "SetTrayTip(Tressel V3.4\nhooks restored: 1)"));
    EXPECT_EQ(dialog.HooksRestored(), 1);
}

TEST_F(HookWatchTest, PressesThatNeedNoHookPutNothingBack) {
    dialog.OnRawMousePress(ButtonId::R);
    dialog.OnButtonMessage(ButtonId::R);                // its hook reported it
    dialog.OnRawMousePress(ButtonId::X1);               // no hook: its own job
    dialog.Record(ButtonId::R).category = MouseButton;  // R now gives a middle click
    dialog.Record(ButtonId::R).mouseAction = MiddleClick;
    dialog.OnButtonMessage(ButtonId::R);
    dialog.OnRawMousePress(ButtonId::M);  // the program's own middle click
    dialog.OnForegroundChanged({.reachable = false});
    dialog.OnRawMousePress(ButtonId::R);  // passes to the program in front
    const auto ends = GraceEnds();
    EXPECT_THAT(ends, ::testing::Not(::testing::Contains(::testing::StartsWith("Install"))));
    EXPECT_EQ(dialog.HooksRestored(), 0);
}

// The hook may have been lifted or removed when the release came: every release is told, with
// the time the raw input gave it, whether the input is hooked now or not.
TEST_F(HookWatchTest, ARawReleaseIsToldToItsHookLibraryWithItsTime) {
    dialog.OnRawMouseRelease(ButtonId::R, 4000000000u);
    dialog.OnRawMouseRelease(ButtonId::X1, 7);
    EXPECT_THAT(log.Entries(), ElementsAre("ReleaseSeen(R, 4000000000)", "ReleaseSeen(X1, 7)"));
}

TEST_F(HookWatchTest, TheUnlockPutsEveryInstalledHookBack) {
    dialog.OnSessionLockChanged(true);
    EXPECT_THAT(log.Entries(), IsEmpty());
    dialog.OnSessionLockChanged(false);
    EXPECT_THAT(log.Entries(), ElementsAre("Remove(R, 0x42)", "Install(R, 0x42)", "Remove(M, 0x42)",
                                           "Install(M, 0x42)"));
}

}  // namespace
}  // namespace tressel
