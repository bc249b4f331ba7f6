// The main window's life: start-up order, the start timer, show suppression, the tray icon and
// its menu, Reset and Exit.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/DialogFixture.h"

namespace tressel {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using namespace tressel::testing;

constexpr std::uint32_t kShowWindowFlag = 0x0040;

// The icon's callback in its version-4 form: the event and the icon id in lParam, the anchor
// point in wParam.
void TrayEvent(CZornMouseApplicationDlg& dialog, std::uint32_t event, Point anchor = {900, 740},
               std::uint32_t iconId = 100) {
    dialog.OnTrayNotify(static_cast<std::uint16_t>(anchor.x) |
                            (std::uintptr_t{static_cast<std::uint16_t>(anchor.y)} << 16),
                        event | (std::uintptr_t{iconId} << 16));
}

class DialogShellLogicTest : public ::testing::Test, protected DialogFixture {
  protected:
    std::vector<std::string> Run(const std::function<void()>& action) {
        log.Clear();
        action();
        return log.Entries();
    }
    // Index of the first log entry starting with `prefix`.
    static std::ptrdiff_t Position(const std::vector<std::string>& entries,
                                   const std::string& prefix) {
        auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
        return it == entries.end() ? -1 : it - entries.begin();
    }
};

TEST_F(DialogShellLogicTest, StartUpRunsItsStepsInOrder) {
    auto calls = Run([&] { EXPECT_TRUE(dialog.OnInitDialog()); });
    const char* order[] = {"SetWindowIcons",
                           "SetMainWindowTitle(Tressel-corvane)",
                           "RemoveCaptionStyle",
                           "MakeLayered",
                           "SetCaptionColour(1000, 0xC8C8C8)",
                           "SetHoverColour(1000, 0xFEFFFF)",
                           "LoadImageButtons",
                           "ResizeWindow",
                           "MoveControl(1007)",
                           "CenterWindow",
                           "LoadSkin",
                           "AddTrayIcon",
                           "SetTimer(10, 1000)"};
    std::ptrdiff_t last = -1;
    for (const char* step : order) {
        const auto at = Position(calls, step);
        ASSERT_GE(at, 0) << step;
        EXPECT_GT(at, last) << step;
        last = at;
    }
    // Every caption colour comes before any hover colour.
    EXPECT_LT(Position(calls, "SetCaptionColour(1005"), Position(calls, "SetHoverColour(1000"));
    EXPECT_EQ(dialog.programFolder, L"C:\\Tools\\Tressel");
    EXPECT_TRUE(dialog.showAllowed);
}

TEST_F(DialogShellLogicTest, RunArgumentRefusesShowingUntilTheStartTimer) {
    process.commandLine = L"\"C:\\Tools\\Tressel\\Tressel.exe\" -run";
    dialog.OnInitDialog();
    EXPECT_FALSE(dialog.showAllowed);

    std::uint32_t flags = kShowWindowFlag | 0x0001;
    EXPECT_THAT(Run([&] { dialog.OnWindowPosChanging(flags); }), ElementsAre("ShowWindow(0)"));
    EXPECT_EQ(flags, 0x0001u);
    // A change that does not show the window passes unchanged.
    flags = 0x0002;
    EXPECT_THAT(Run([&] { dialog.OnWindowPosChanging(flags); }), IsEmpty());
    EXPECT_EQ(flags, 0x0002u);

    EXPECT_THAT(Run([&] { dialog.OnTimer(10); }), ElementsAre("KillTimer(10)"));
    EXPECT_TRUE(dialog.showAllowed);
    flags = kShowWindowFlag;
    EXPECT_THAT(Run([&] { dialog.OnWindowPosChanging(flags); }), IsEmpty());
    EXPECT_EQ(flags, kShowWindowFlag);
}

// Shown first, then brought to the front: a hidden window that is asked to the front stays
// behind the others with a flashing taskbar button on Windows.
TEST_F(DialogShellLogicTest, ShowingFromTheTrayOverridesTheRefusalAndComesToTheFront) {
    process.commandLine = L"Tressel.exe -run";
    dialog.OnInitDialog();
    EXPECT_THAT(Run([&] { dialog.OnCommand(32780); }),
                ElementsAre("ShowWindow(5)", "ShowWindow(1)", "SetForegroundWindow"));
    EXPECT_TRUE(dialog.showAllowed);

    DialogFixture other;
    other.process.commandLine = L"Tressel.exe -run";
    other.dialog.OnInitDialog();
    other.log.Clear();
    TrayEvent(other.dialog, 0x0203);  // left double click
    EXPECT_THAT(other.log.Entries(),
                ElementsAre("ShowWindow(5)", "ShowWindow(1)", "SetForegroundWindow"));
    EXPECT_TRUE(other.dialog.showAllowed);
}

TEST_F(DialogShellLogicTest, HideCommandsMinimiseThenHideAndTouchNothingElse) {
    registry.profile[L"Tray/WhereaboutsTold"] = L"1";  // the first hide ever tells more
    EXPECT_THAT(Run([&] { dialog.OnCommand(1); }), ElementsAre("ShowWindow(6)", "ShowWindow(0)"));
    EXPECT_THAT(Run([&] { dialog.OnCommand(32779); }),
                ElementsAre("ShowWindow(6)", "ShowWindow(0)"));
}

// Which events open the menu is TrayClicks' table (TrayCallbackTest); here, where it opens.
TEST_F(DialogShellLogicTest, TrayMenuOpensAtTheAnchorWithTheStartCheckMark) {
    EXPECT_THAT(Run([&] {
                    TrayEvent(dialog, 0x0204, {900, 740});
                }),
                ElementsAre("SetForegroundWindow", "TrackTrayMenu(900,740, unchecked)"));
    registry.run[L"ZornApplication"] = L"\"C:\\Tools\\Tressel\\Tressel.exe\" -run";
    // The keyboard's Enter: the anchor is the icon's corner, here on a monitor left of the
    // primary one.
    EXPECT_THAT(Run([&] {
                    TrayEvent(dialog, 0x0401, {-40, 1050});
                }),
                ElementsAre("SetForegroundWindow", "TrackTrayMenu(-40,1050, checked)"));
    // Another icon's events do nothing.
    EXPECT_THAT(Run([&] { TrayEvent(dialog, 0x0204, {900, 740}, 101); }), IsEmpty());
}

TEST_F(DialogShellLogicTest, ResetGivesEveryInputItsNativeJobAndKeepsTheActions) {
    dialog.Record(ButtonId::R) = {true, CtrlChord, 0x43, 0, L"", KeyOrCommand, L"", L"my note"};
    dialog.Record(ButtonId::WD).hooked = true;
    dialog.Record(ButtonId::WD).mouseAction = WheelUp;
    const ButtonSetting r = dialog.Record(ButtonId::R);
    auto calls = Run([&] { dialog.OnCommand(32784); });
    EXPECT_THAT(calls, Contains("Remove(R, 0x42)"));
    EXPECT_THAT(calls, Contains("Remove(WD, 0x42)"));
    EXPECT_THAT(calls, Not(Contains("Remove(M, 0x42)")));
    for (ButtonId id : kAllButtons) {
        EXPECT_EQ(window.Text(ControlIdOf(id)), InfoOf(id).defaultCaption);
        EXPECT_FALSE(dialog.Record(id).hooked);
    }
    ButtonSetting expected = r;
    expected.hooked = false;
    EXPECT_EQ(dialog.Record(ButtonId::R), expected);
    EXPECT_EQ(dialog.Record(ButtonId::WD).mouseAction, WheelUp);
}

TEST_F(DialogShellLogicTest, ExitRemovesTheIconThenEndsTheProcessWithoutUnhooking) {
    dialog.Record(ButtonId::M).hooked = true;
    auto calls = Run([&] { dialog.OnCommand(32782); });
    EXPECT_EQ(calls.front(), "DeleteTrayIcon");
    EXPECT_EQ(calls.back(), "ExitProcess(0)");
    EXPECT_THAT(calls, Not(Contains("Remove(M, 0x42)")));
}

TEST_F(DialogShellLogicTest, InputButtonOpensTheFunctionMenuBelowItself) {
    window.rects[1004] = {600, 300, 800, 325};
    EXPECT_THAT(Run([&] { dialog.OnInputButtonClicked(1004); }),
                ElementsAre("ShowFunctionMenu(615,327)"));
    EXPECT_EQ(dialog.selectedButton, 5);
}

TEST_F(DialogShellLogicTest, StartWithWindowsCommandTogglesWithTheExecutablePath) {
    dialog.OnCommand(32781);
    EXPECT_EQ(registry.run[L"ZornApplication"], L"\"C:\\Tools\\Tressel\\Tressel.exe\" -run");
}

TEST_F(DialogShellLogicTest, StartUpPointsTheRunEntryOfAMovedFolderAtThisProgram) {
    registry.profile[L"ZornMouseApplication/BootValue"] = L"0";
    registry.run[L"ZornApplication"] = L"\"C:\\Old\\Tressel.exe\" -run";
    dialog.OnInitDialog();
    EXPECT_EQ(registry.run[L"ZornApplication"], L"\"C:\\Tools\\Tressel\\Tressel.exe\" -run");
}

}  // namespace
}  // namespace tressel
