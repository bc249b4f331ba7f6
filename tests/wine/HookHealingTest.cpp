// A hook Windows took away (its callback missed the timeout) is noticed and put back: the test
// build removes the right button's hook inside its library as Windows would, without a word;
// the next press does the button's own job, the raw input shows it, and the hook is back.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "wine/support/FileBytes.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/RemappedPress.h"
#include "wine/support/RunningTresselTest.h"

namespace tressel::testing {
namespace {

class HookHealingTest : public RunningTresselTest {
  protected:
    HookHealingTest() : RunningTresselTest({.recorder = true}) {}
    // The right button types Copy (Ctrl+C); the other inputs keep their own jobs.
    void BeforeStart() override {
        WriteBytes(
            iniPath_,
            "[RButtonSetting]\r\n0=Copy\r\n1=1\r\n2=2\r\n3=67\r\n4=0\r\n5=\r\n6=1\r\n8=\r\n");
    }
    int Restored() const {
        DWORD_PTR count = 0;
        SendMessageTimeoutW(window_, RegisterWindowMessageW(L"Tressel test: hooks restored"), 0, 0,
                            SMTO_ABORTIFHUNG, 2000, &count);
        return static_cast<int>(count);
    }

    InputPad pad_{8, 8, 110, 110};  // outside the centred main window
};

TEST_F(HookHealingTest, AHookWindowsTookAwayIsBackAfterThePressItMissed) {
    ASSERT_TRUE(PressGivesOnlyChord(recorder_, pad_, x11_button::kRight, kCtrlC));

    // Returns once the hook is gone.
    SendMessageW(window_, RegisterWindowMessageW(L"Tressel test: lose hook"), 0, 0);
    const auto lostPress = std::chrono::steady_clock::now();
    PressOnPad(recorder_, pad_, x11_button::kRight);
    ASSERT_EQ(pad_.Count(WM_RBUTTONDOWN), 1) << "the hook was not lost: the test shows nothing";
    ASSERT_TRUE(WaitUntil([&] { return Restored() == 1; })) << "the hook was not put back";
    std::printf("hook put back %lld ms after the press it missed\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - lostPress)
                                           .count()));
    EXPECT_TRUE(PressGivesOnlyChord(recorder_, pad_, x11_button::kRight, kCtrlC));
    EXPECT_EQ(Restored(), 1);
}

}  // namespace
}  // namespace tressel::testing
