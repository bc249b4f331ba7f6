// Programs' own settings follow the program in front: X1 types Ctrl+C for all programs, Ctrl+V
// in Wine's notepad and does its native job in this test's own program, one after the other.
// Wine sends no foreground events, so the test build looks at the window in front every 20 ms;
// which program is in front shows in which inputs the program lets pass (X1 native here).
#include <windows.h>

#include <gtest/gtest.h>

#include "config/ButtonId.h"
#include "wine/support/FileBytes.h"
#include "wine/support/InputPad.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/RemappedPress.h"
#include "wine/support/RunningTresselTest.h"
#include "wine/support/StartProcess.h"
#include "wine/support/X1ProgramSettings.h"
#include "wine/support/XdotoolSession.h"

namespace tressel::testing {
namespace {

constexpr LRESULT kX1Passes = LRESULT{1} << ToIndex(ButtonId::X1);

class ProgramSettingsTest : public RunningTresselTest {
  protected:
    ProgramSettingsTest() : RunningTresselTest({.recorder = true}) {}
    void BeforeStart() override {
        WriteBytes(iniPath_, X1CopyPasteOwnNativeSettings());
        SetEnvironmentVariableW(L"TRESSEL_TEST_FOREGROUND_POLL_MS", L"20");
    }
    void TearDown() override {
        if (notepad_.process) {
            TerminateProcess(notepad_.process.get(), 0);
            WaitForSingleObject(notepad_.process.get(), 5000);
        }
        SetEnvironmentVariableW(L"TRESSEL_TEST_FOREGROUND_POLL_MS", nullptr);
        RunningTresselTest::TearDown();
    }
    bool NotepadInFront() const {
        DWORD processId = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &processId);
        return processId == notepad_.processId;
    }
    // X1 pressed where the pointer is; true once the program typed `vk`.
    bool X1Types(unsigned long vk) {
        const std::size_t mark = recorder_.ReadEvents().size();
        if (!PhysicalInput::Click(x11_button::kXButton2)) return false;
        return recorder_.WaitFor([&](const auto& all) { return TypedKey(all, mark, vk); });
    }

    InputPad pad_{8, 8, 110, 110};  // outside the centred main window
    StartedProcess notepad_;
};

TEST_F(ProgramSettingsTest, X1DoesWhatTheProgramInFrontHasForItOrWhatAllProgramsHave) {
    ASSERT_TRUE(pad_.PointAndActivate(55, 55));
    ASSERT_TRUE(WaitUntil([&] { return PassingInputs() == kX1Passes; }))
        << "X1 does not pass in this program, which has it native";
    pad_.ClearLog();
    ASSERT_TRUE(PhysicalInput::Click(x11_button::kXButton2));
    ASSERT_TRUE(pad_.ClickSentinel());
    EXPECT_EQ(pad_.Count(WM_XBUTTONDOWN), 1) << "X1's native press did not reach the window";
    EXPECT_EQ(pad_.Count(WM_XBUTTONUP), 1);

    notepad_ = StartProcess(L"notepad.exe");
    ASSERT_TRUE(notepad_.process);
    ASSERT_TRUE(WaitUntil([&] { return NotepadInFront() && PassingInputs() == 0; }));
    // Out of the pad's way and of the main window's.
    MoveWindow(GetForegroundWindow(), 0, 200, 120, 120, TRUE);
    EXPECT_TRUE(X1Types('V')) << "X1 did not paste in notepad";

    ASSERT_TRUE(pad_.PointAndActivate(55, 55));
    ASSERT_TRUE(WaitUntil([&] { return PassingInputs() == kX1Passes; }));
    ASSERT_TRUE(SetForegroundWindow(window_));  // a program without settings of its own
    ASSERT_TRUE(WaitUntil([&] { return PassingInputs() == 0; }));
    pad_.ClearLog();
    EXPECT_TRUE(X1Types('C')) << "X1 did not copy for all programs";
    EXPECT_EQ(pad_.CountOtherButtonMessages(), 0) << "the remapped press reached the window";
}

// X1 clicked again and again from the moment this program comes to the front after the
// program's own window (all programs' records), each click waited for: every click either
// copies (the change not noticed yet) or does its native job here (passed, or made by the
// program for a press its hook took in the moment the change was taken in); none may do
// nothing. Each click is held 50 ms, as a hand holds one: a release within the few ms a
// dispatch lifts the hook for its synthesised click would pass the hook, as for any input.
TEST_F(ProgramSettingsTest, NoX1ClickIsLostWhenAProgramWithX1NativeComesToTheFront) {
    ASSERT_TRUE(PhysicalInput::MoveTo(60, 60));  // on the pad
    const XdotoolSession xdotool;  // a click follows the change within a few milliseconds
    ASSERT_TRUE(xdotool.Running());
    for (int change = 1; change <= 8; ++change) {
        ASSERT_TRUE(SetForegroundWindow(window_));
        ASSERT_TRUE(WaitUntil([&] { return PassingInputs() == 0; }));
        ASSERT_TRUE(SetForegroundWindow(pad_.Handle()));
        for (int click = 1;; ++click) {
            SCOPED_TRACE(::testing::Message() << "change " << change << ", click " << click);
            const std::size_t mark = recorder_.ReadEvents().size();
            ASSERT_TRUE(xdotool.Send("mousedown 9\nsleep 0.05\nmouseup 9"));
            X1ClickTrace trace;
            recorder_.WaitFor(
                [&](const auto& all) { return (trace = TraceX1Click(all, mark)).Complete(); },
                std::chrono::seconds(5));
            const X1Did did = trace.Verdict();
            ASSERT_TRUE(did == X1Did::Copied || did == X1Did::Native)
                << "the click did " << NameOf(did) << ": press passed " << trace.pressesPassed
                << ", release passed " << trace.releasesPassed << ", made " << trace.pressesMade
                << "/" << trace.releasesMade << ", pasted " << trace.pasted << ", copied "
                << trace.copied;
            if (did == X1Did::Native) break;
        }
    }
}

}  // namespace
}  // namespace tressel::testing
