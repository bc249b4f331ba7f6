// A program in front that synthesised input cannot reach (one running at a higher integrity
// level) gets every input's own job; once it leaves the front the inputs are remapped again.
// Every Wine process runs at one integrity level, so the test build's switch makes this test's
// own process count as a higher one (TRESSEL_TEST_HIGHER_INTEGRITY_PID); and Wine sends no
// foreground events, so it looks at the window in front every 20 ms instead.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "config/ButtonId.h"
#include "framework/UniqueHandle.h"
#include "wine/support/FileBytes.h"
#include "wine/support/InputPad.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/RemappedPress.h"
#include "wine/support/RunningTresselTest.h"

namespace tressel::testing {
namespace {

// The right button types Copy (Ctrl+C); the other inputs keep their own jobs.
constexpr char kSettings[] =
    "[RButtonSetting]\r\n0=Copy\r\n1=1\r\n2=2\r\n3=67\r\n4=0\r\n5=\r\n6=1\r\n8=\r\n";
constexpr LRESULT kEveryInput = 0x3F;

int InjectedKeys(const Recorder::Events& events, std::size_t from) {
    return static_cast<int>(
        std::count_if(events.begin() + static_cast<std::ptrdiff_t>(from), events.end(),
                      [](const auto& e) { return e.kind == RecordedEvent::Key && e.injected; }));
}

class ElevatedWindowTest : public RunningTresselTest {
  protected:
    ElevatedWindowTest() : RunningTresselTest({.recorder = true}) {}
    void BeforeStart() override {
        WriteBytes(iniPath_, kSettings);
        SetEnvironmentVariableW(L"TRESSEL_TEST_HIGHER_INTEGRITY_PID",
                                std::to_wstring(GetCurrentProcessId()).c_str());
        SetEnvironmentVariableW(L"TRESSEL_TEST_FOREGROUND_POLL_MS", L"20");
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TRESSEL_TEST_HIGHER_INTEGRITY_PID", nullptr);
        SetEnvironmentVariableW(L"TRESSEL_TEST_FOREGROUND_POLL_MS", nullptr);
        RunningTresselTest::TearDown();
    }

    InputPad pad_{8, 8, 110, 110};  // outside the centred main window
};

TEST_F(ElevatedWindowTest, InputsDoTheirOwnJobWhileItIsInFrontAndAreRemappedOnceItLeaves) {
    ASSERT_TRUE(pad_.PointAndActivate(55, 55));
    ASSERT_TRUE(WaitUntil([&] { return PassingInputs() == kEveryInput; }))
        << "the program did not let the inputs pass (" << PassingInputs() << ")";
    const Recorder::Events seen = PressOnPad(recorder_, pad_, x11_button::kRight);
    EXPECT_EQ(pad_.Count(WM_RBUTTONDOWN), 1) << "the right press did not reach the window";
    EXPECT_EQ(pad_.Count(WM_RBUTTONUP), 1);
    EXPECT_EQ(InjectedKeys(seen, 0), 0) << "a chord was typed where it cannot arrive";

    // The program's own window comes to the front: reachable, so remapped again. The pointer
    // stays on the pad, which must get nothing of the press.
    ASSERT_TRUE(SetForegroundWindow(window_));
    ASSERT_TRUE(WaitUntil([&] { return PassingInputs() == 0; }));
    pad_.ClearLog();
    const std::size_t mark = recorder_.ReadEvents().size();
    ASSERT_TRUE(PhysicalInput::Click(x11_button::kRight));
    EXPECT_TRUE(recorder_.WaitFor([&](const auto& all) { return InjectedKeys(all, mark) == 4; }))
        << "no Ctrl+C was typed";
    EXPECT_EQ(pad_.CountOtherButtonMessages(), 0) << "the remapped press reached the window";
}

// A button the dispatch lifts the hook of for a click of its own kind (X1 gives a right click)
// and that the user releases meanwhile: no hook sees that release, the raw input does. The
// test build holds the click open until the test has released the button
// (TRESSEL_TEST_HOLD_EVENT), since 30 ms cannot be hit from outside.
class LiftedHookTest : public ElevatedWindowTest {
  protected:
    void BeforeStart() override {
        ElevatedWindowTest::BeforeStart();
        WriteBytes(iniPath_, std::string(kSettings) +
                                 "[X1ButtonSetting]\r\n0=Right\r\n1=1\r\n2=0\r\n3=0\r\n4=1\r\n5="
                                 "\r\n6=0\r\n8=\r\n");
        SetEnvironmentVariableW(L"TRESSEL_TEST_HOLD_EVENT", kHoldEvent);
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TRESSEL_TEST_HOLD_EVENT", nullptr);
        ElevatedWindowTest::TearDown();
    }
    // How many releases of `input` the program saw in the raw input and told its hook of.
    LRESULT RawReleases(ButtonId input) const {
        DWORD_PTR count = 0;
        SendMessageTimeoutW(window_, RegisterWindowMessageW(L"Tressel test: raw releases"),
                            ToIndex(input), 0, SMTO_ABORTIFHUNG, 2000, &count);
        return static_cast<LRESULT>(count);
    }
    static constexpr wchar_t kHoldEvent[] = L"Tressel test: lifted hook's click";
};

TEST_F(LiftedHookTest, AReleaseDuringTheLiftLeavesTheNextReleaseOfThatButtonToTheWindow) {
    ASSERT_TRUE(pad_.PointAndActivate(55, 55));
    ASSERT_TRUE(SetForegroundWindow(window_));  // remapped again; the pointer stays on the pad
    ASSERT_TRUE(WaitUntil([&] { return PassingInputs() == 0; }));
    pad_.ClearLog();
    const std::size_t mark = recorder_.ReadEvents().size();
    ASSERT_TRUE(PhysicalInput::Press(x11_button::kRight));  // taken: Ctrl+C
    ASSERT_TRUE(recorder_.WaitFor([&](const auto& all) { return InjectedKeys(all, mark) == 4; }));

    UniqueKernelHandle hold(CreateEventW(nullptr, TRUE, FALSE, kHoldEvent));
    ASSERT_TRUE(hold);
    ASSERT_TRUE(PhysicalInput::Press(x11_button::kXButton2));  // X1: a right click
    ASSERT_TRUE(WaitUntil([&] { return pad_.Count(WM_RBUTTONDOWN) == 1; }))
        << "the right click did not begin";
    ASSERT_TRUE(PhysicalInput::Release(x11_button::kRight));
    ASSERT_TRUE(WaitUntil([&] { return pad_.Count(WM_RBUTTONUP) == 1; }))
        << "the release did not pass the lifted hook";
    SetEvent(hold.get());
    ASSERT_TRUE(WaitUntil([&] { return pad_.Count(WM_RBUTTONUP) == 2; }))
        << "the right click did not end";
    ASSERT_TRUE(PhysicalInput::Release(x11_button::kXButton2));
    // The raw input shows X1's release after the click's own release, which is not the user's.
    ASSERT_TRUE(WaitUntil([&] { return RawReleases(ButtonId::X1) == 1; }));
    EXPECT_EQ(RawReleases(ButtonId::R), 1) << "the click's own release counted as the user's";

    // A press that passes the hook (the program in front cannot be reached) and its release.
    ASSERT_TRUE(pad_.PointAndActivate(45, 45));
    ASSERT_TRUE(WaitUntil([&] { return PassingInputs() == kEveryInput; }));
    pad_.ClearLog();
    ASSERT_TRUE(PhysicalInput::Click(x11_button::kRight));
    ASSERT_TRUE(pad_.ClickSentinel());
    EXPECT_EQ(pad_.Count(WM_RBUTTONDOWN), 1);
    EXPECT_EQ(pad_.Count(WM_RBUTTONUP), 1) << "the button stays down in the window";
}

}  // namespace
}  // namespace tressel::testing
