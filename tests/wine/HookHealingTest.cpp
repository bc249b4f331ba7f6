// A hook Windows took away (its callback missed the timeout) is noticed and put back: the test
// build removes the right button's hook inside its library as Windows would, without a word;
// the next press does the button's own job, the raw input shows it, and the hook is back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "wine/support/FileBytes.h"
#include "wine/support/InputPad.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/Recorder.h"
#include "wine/support/TresselProcess.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

// The right button types Copy (Ctrl+C); the other inputs keep their own jobs.
constexpr char kSettings[] =
    "[RButtonSetting]\r\n0=Copy\r\n1=1\r\n2=2\r\n3=67\r\n4=0\r\n5=\r\n6=1\r\n8=\r\n";

int InjectedKeys(const Recorder::Events& events, std::size_t from) {
    return static_cast<int>(
        std::count_if(events.begin() + static_cast<std::ptrdiff_t>(from), events.end(),
                      [](const auto& e) { return e.kind == RecordedEvent::Key && e.injected; }));
}

TEST(HookHealingTest, AHookWindowsTookAwayIsBackAfterThePressItMissed) {
    ForgetUserSettings();
    const std::wstring folder = MakeTestInstallation(L"HookHealing");
    WriteBytes(folder + L"\\ZornSetting.ini", kSettings);
    InputPad pad(8, 8, 110, 110);
    Recorder recorder;
    ASSERT_TRUE(recorder.Start());
    TresselProcess app = TresselProcess::Start(folder);
    const HWND window = app.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(app.WaitForStartUp(window));
    ASSERT_TRUE(pad.PointAndActivate(55, 55));
    const auto restored = [&] {
        DWORD_PTR count = 0;
        SendMessageTimeoutW(window, RegisterWindowMessageW(L"Tressel test: hooks restored"), 0, 0,
                            SMTO_ABORTIFHUNG, 2000, &count);
        return static_cast<int>(count);
    };
    // A remapped press, as the user sees it: Ctrl+C, and nothing reaches the window.
    const auto remappedPress = [&] {
        const std::size_t mark = recorder.ReadEvents().size();
        pad.ClearLog();
        EXPECT_TRUE(PhysicalInput::Click(x11_button::kRight));
        EXPECT_TRUE(recorder.WaitFor([&](const auto& e) { return InjectedKeys(e, mark) >= 4; }))
            << "no Ctrl+C came";
        EXPECT_TRUE(pad.ClickSentinel());
        EXPECT_EQ(pad.Count(WM_RBUTTONDOWN), 0) << "the remapped press reached the window";
    };
    remappedPress();

    SendMessageW(window, RegisterWindowMessageW(L"Tressel test: lose hook"), 0, 0);
    pad.ClearLog();
    const auto lostPress = std::chrono::steady_clock::now();
    ASSERT_TRUE(PhysicalInput::Click(x11_button::kRight));
    ASSERT_TRUE(pad.ClickSentinel());
    ASSERT_EQ(pad.Count(WM_RBUTTONDOWN), 1) << "the hook was not lost: the test shows nothing";
    ASSERT_TRUE(WaitUntil([&] { return restored() == 1; })) << "the hook was not put back";
    std::printf("hook put back %lld ms after the press it missed\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - lostPress)
                                           .count()));
    remappedPress();
    EXPECT_EQ(restored(), 1);

    app.Terminate();
    recorder.Stop();
    ForgetUserSettings();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace
}  // namespace tressel::testing
