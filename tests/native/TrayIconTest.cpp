// The notification-area icon as the user finds it: added once the shell takes it, balloons kept
// for it until then, and where it is told at the first hide ever.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/DialogFixture.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using namespace tressel::testing;

constexpr char kStillRunning[] =
    "ShowTrayBalloon(Tressel is still running: Its icon is in the notification area of the "
    "taskbar. If you do not see it, click the arrow next to the clock and drag the icon onto the "
    "taskbar to keep it in view.)";

class TrayIconTest : public ::testing::Test, protected DialogFixture {
  protected:
    // The entries about the icon: its adds, the retry timer (12) and balloons.
    std::vector<std::string> IconCalls(const std::function<void()>& action) {
        log.Clear();
        action();
        std::vector<std::string> calls;
        for (const std::string& e : log.Entries())
            if (e == "AddTrayIcon" || e.starts_with("SetTimer(12") || e == "KillTimer(12)" ||
                e.starts_with("ShowTrayBalloon"))
                calls.push_back(e);
        return calls;
    }
};

TEST_F(TrayIconTest, ARefusedIconIsAddedAgainEverySecondUntilTheShellTakesIt) {
    process.commandLine = L"Tressel.exe -run";
    shell.refusedAdds = 2;
    EXPECT_THAT(IconCalls([&] { dialog.OnInitDialog(); }),
                ElementsAre("AddTrayIcon", "SetTimer(12, 1000)"));
    EXPECT_THAT(IconCalls([&] { dialog.OnTimer(12); }), ElementsAre("AddTrayIcon"));
    EXPECT_THAT(IconCalls([&] { dialog.OnTimer(12); }),
                ElementsAre("AddTrayIcon", "KillTimer(12)"));
    EXPECT_THAT(IconCalls([&] { dialog.OnTimer(12); }), IsEmpty()) << "a late tick";
    // A restarted shell that refuses at first.
    shell.refusedAdds = 1;
    EXPECT_THAT(IconCalls([&] { dialog.OnShellRestarted(); }),
                ElementsAre("AddTrayIcon", "SetTimer(12, 1000)"));
    EXPECT_THAT(IconCalls([&] { dialog.OnTimer(12); }),
                ElementsAre("AddTrayIcon", "KillTimer(12)"));
}

TEST_F(TrayIconTest, BalloonsAskedForBeforeTheIconIsThereShowOnceItIs) {
    registry.profile[L"Settings/UnsavedAtSessionEnd"] =
        L"2026-01-05 18:00\tC:\\Tools\\Tressel\\ZornSetting.ini\tthe disk is full";
    shell.refusedAdds = 1;
    EXPECT_THAT(IconCalls([&] { dialog.OnInitDialog(); }),
                ElementsAre("AddTrayIcon", "SetTimer(12, 1000)"));
    EXPECT_THAT(IconCalls([&] { dialog.OnCommand(32779); }), IsEmpty());  // the first hide
    EXPECT_THAT(IconCalls([&] { dialog.OnTimer(12); }),
                ElementsAre("AddTrayIcon", "KillTimer(12)",
                            StartsWith("ShowTrayBalloon(Tressel: settings not saved: Changes were "
                                       "lost when Windows ended the session (2026-01-05 18:00)"),
                            kStillRunning));
}

TEST_F(TrayIconTest, TheFirstHideEverTellsWhereTheIconIsAndNoLaterOne) {
    dialog.OnInitDialog();
    auto balloons = [&](int command) {
        std::vector<std::string> shown;
        for (const std::string& e : IconCalls([&] { dialog.OnCommand(command); }))
            if (e.starts_with("ShowTrayBalloon")) shown.push_back(e);
        return shown;
    };
    const auto first = balloons(32779);  // Hide Application
    ASSERT_THAT(first, ElementsAre(kStillRunning));
    EXPECT_LE(first[0].size() - std::string("ShowTrayBalloon(Tressel is still running: )").size(),
              255u);
    EXPECT_THAT(balloons(1), IsEmpty());     // OK
    EXPECT_THAT(balloons(1007), IsEmpty());  // Save and Hide

    DialogFixture later;  // the next start, same user
    later.registry.profile = registry.profile;
    later.dialog.OnInitDialog();
    later.log.Clear();
    later.dialog.OnCommand(1007);
    for (const std::string& e : later.log.Entries())
        EXPECT_FALSE(e.starts_with("ShowTrayBalloon")) << e;

    DialogFixture otherUser;  // the first hide may be Save and Hide
    otherUser.dialog.OnInitDialog();
    otherUser.log.Clear();
    otherUser.dialog.OnCommand(1007);
    EXPECT_THAT(otherUser.log.Entries(), ::testing::Contains(kStillRunning));
}

}  // namespace
}  // namespace tressel
