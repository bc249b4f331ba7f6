// A program in front that synthesised input cannot reach (one running at a higher integrity
// level) gets every input's own job; once it leaves the front the inputs are remapped again.
// Every Wine process runs at one integrity level, so the test build's switch makes this test's
// own process count as a higher one (TRESSEL_TEST_HIGHER_INTEGRITY_PID); and Wine sends no
// foreground events, so it looks at the window in front every 20 ms instead.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "wine/support/FileBytes.h"
#include "wine/support/InputPad.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/RunningTresselTest.h"

namespace tressel::testing {
namespace {

// The right button types Copy (Ctrl+C); the other inputs keep their own jobs.
constexpr char kSettings[] =
    "[RButtonSetting]\r\n0=Copy\r\n1=1\r\n2=2\r\n3=67\r\n4=0\r\n5=\r\n6=1\r\n8=\r\n";
constexpr LRESULT kEveryInput = 0x3F;

int Count(const Recorder::Events& events, unsigned message, bool injected) {
    return static_cast<int>(std::count_if(events.begin(), events.end(), [&](const auto& e) {
        return e.message == message && e.injected == injected;
    }));
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

    // Which inputs the program lets pass now (the test build answers this message).
    LRESULT PassingInputs() const {
        DWORD_PTR bits = 0;
        SendMessageTimeoutW(window_, RegisterWindowMessageW(L"Tressel test: passing inputs"), 0, 0,
                            SMTO_ABORTIFHUNG, 2000, &bits);
        return static_cast<LRESULT>(bits);
    }
    // A physical right click on the pad; returns what the recorder saw of it (once it saw
    // `injectedKeys` synthesised key events).
    Recorder::Events RightClickOnPad(int injectedKeys) {
        const std::size_t mark = recorder_.ReadEvents().size();
        pad_.ClearLog();
        EXPECT_TRUE(PhysicalInput::Click(x11_button::kRight));
        EXPECT_TRUE(recorder_.WaitFor([&](const Recorder::Events& all) {
            const Recorder::Events since(all.begin() + static_cast<std::ptrdiff_t>(mark),
                                         all.end());
            return Count(since, WM_KEYDOWN, true) + Count(since, WM_KEYUP, true) >= injectedKeys;
        }));
        // The left click activates the pad: the last thing this helper does.
        EXPECT_TRUE(pad_.ClickSentinel());
        const Recorder::Events all = recorder_.ReadEvents();
        return Recorder::Events(all.begin() + static_cast<std::ptrdiff_t>(mark), all.end());
    }

    InputPad pad_{8, 8, 110, 110};  // outside the centred main window
};

TEST_F(ElevatedWindowTest, InputsDoTheirOwnJobWhileItIsInFrontAndAreRemappedOnceItLeaves) {
    ASSERT_TRUE(pad_.PointAndActivate(55, 55));
    ASSERT_TRUE(WaitUntil([&] { return PassingInputs() == kEveryInput; }))
        << "the program did not let the inputs pass (" << PassingInputs() << ")";
    Recorder::Events seen = RightClickOnPad(0);
    EXPECT_EQ(pad_.Count(WM_RBUTTONDOWN), 1) << "the right press did not reach the window";
    EXPECT_EQ(pad_.Count(WM_RBUTTONUP), 1);
    EXPECT_EQ(Count(seen, WM_KEYDOWN, true), 0) << "a chord was typed where it cannot arrive";

    // The program's own window comes to the front: reachable, so remapped again.
    ASSERT_TRUE(SetForegroundWindow(window_));
    ASSERT_TRUE(WaitUntil([&] { return PassingInputs() == 0; }));
    seen = RightClickOnPad(4);
    EXPECT_EQ(pad_.Count(WM_RBUTTONDOWN) + pad_.Count(WM_RBUTTONUP), 0)
        << "the remapped press reached the window";
    EXPECT_EQ(Count(seen, WM_KEYDOWN, true), 2) << "no Ctrl+C was typed";
    EXPECT_EQ(Count(seen, WM_KEYUP, true), 2);
}

}  // namespace
}  // namespace tressel::testing
