// The whole path of a remapped press in the real Tressel.exe under Wine: a physical (XTest)
// press of a hooked input, the hook library, the registered message, the dispatch and the events
// it synthesises, as an independent recorder sees them, and what the window under the pointer
// gets. The assignments come from a settings file written before the program starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"
#include "wine/support/InputPad.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/RemappedPress.h"
#include "wine/support/RunningTresselTest.h"

namespace tressel::testing {
namespace {

using namespace std::chrono_literals;

// R: "Copy" (Ctrl+C); M: the "TRIPLE SHOT" script; WD: a wheel notch up. The others native.
constexpr wchar_t kSettings[] =
    L"[RButtonSetting]\r\n0=Copy\r\n1=1\r\n2=2\r\n3=67\r\n4=0\r\n5=\r\n6=1\r\n8=\r\n"
    L"[MButtonSetting]\r\n0=TRIPLE SHOT\r\n1=1\r\n2=6\r\n3=0\r\n4=0\r\n5=\r\n6=1\r\n"
    L"7=TRIPLE SHOT.txt\r\n8=\r\n"
    L"[X1ButtonSetting]\r\n0=X1 Button\r\n1=0\r\n2=0\r\n3=0\r\n4=0\r\n5=\r\n6=0\r\n8=\r\n"
    L"[X2ButtonSetting]\r\n0=X2 Button\r\n1=0\r\n2=0\r\n3=0\r\n4=0\r\n5=\r\n6=0\r\n8=\r\n"
    L"[WDButtonSetting]\r\n0=Wheel Up\r\n1=1\r\n2=0\r\n3=0\r\n4=5\r\n5=\r\n6=0\r\n8=\r\n"
    L"[WUButtonSetting]\r\n0=Wheel Up\r\n1=0\r\n2=0\r\n3=0\r\n4=0\r\n5=\r\n6=0\r\n8=\r\n";

bool WriteUtf16File(const std::wstring& path, const std::wstring& text) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const std::wstring content = L"\xFEFF" + text;
    const DWORD bytes = static_cast<DWORD>(content.size() * sizeof(wchar_t));
    DWORD written = 0;
    return WriteFile(file.get(), content.data(), bytes, &written, nullptr) && written == bytes;
}

class EndToEndTest : public RunningTresselTest {
  protected:
    EndToEndTest() : RunningTresselTest({.recorder = true}) {}

    void BeforeStart() override { ASSERT_TRUE(WriteUtf16File(iniPath_, kSettings)); }

    void SetUp() override {
        RunningTresselTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(pad_.PointAndActivate(55, 55));
        pad_.ClearLog();
        mark_ = recorder_.ReadEvents().size();
    }

    // Events the recorder logged since the test's start.
    Recorder::Events Since(const Recorder::Events& events) const {
        return Recorder::Events(
            events.begin() + static_cast<std::ptrdiff_t>(std::min(mark_, events.size())),
            events.end());
    }
    Recorder::Events Recent() const { return Since(recorder_.ReadEvents()); }

    static int CountMouse(const Recorder::Events& events, unsigned message, bool injected) {
        return static_cast<int>(std::count_if(events.begin(), events.end(), [&](const auto& e) {
            return e.kind == RecordedEvent::Mouse && e.message == message && e.injected == injected;
        }));
    }
    static Recorder::Events InjectedKeys(const Recorder::Events& events) {
        Recorder::Events keys;
        for (const RecordedEvent& e : events)
            if (e.kind == RecordedEvent::Key && e.injected) keys.push_back(e);
        return keys;
    }

    InputPad pad_{8, 8, 110, 110};  // outside the centred main window
    std::size_t mark_ = 0;
};

TEST_F(EndToEndTest, RightPressTypesCtrlCAndNeverReachesTheWindow) {
    wchar_t caption[64] = {};
    GetDlgItemTextW(window_, 1000, caption, 64);
    ASSERT_STREQ(caption, L"Copy") << "the settings file was not loaded";
    EXPECT_TRUE(PressGivesOnlyChord(recorder_, pad_, x11_button::kRight, kCtrlC));
    // The focused pad got the chord.
    EXPECT_GE(pad_.Count(WM_KEYDOWN), 2);
}

TEST_F(EndToEndTest, WheelDownNotchBecomesExactlyOneWheelUpNotch) {
    ASSERT_TRUE(PhysicalInput::Wheel(-1));
    ASSERT_TRUE(recorder_.WaitFor([&](const auto& events) {
        return CountMouse(Since(events), WM_MOUSEWHEEL, true) >= 1;
    })) << "no wheel event was synthesised";
    ASSERT_TRUE(pad_.ClickSentinel());

    const Recorder::Events events = Recent();
    EXPECT_EQ(CountMouse(events, WM_MOUSEWHEEL, true), 1);
    EXPECT_EQ(CountMouse(events, WM_MOUSEWHEEL, false), 0)
        << "the physical notch went past the program's hook";
    for (const RecordedEvent& e : events)
        if (e.kind == RecordedEvent::Mouse && e.message == WM_MOUSEWHEEL) {
            EXPECT_EQ(e.delta, WHEEL_DELTA);
        }
    // The window under the pointer turns one notch up, never down.
    int wheel = 0;
    for (const InputPad::Logged& entry : pad_.Log())
        if (entry.message == WM_MOUSEWHEEL) {
            ++wheel;
            EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(entry.wParam), WHEEL_DELTA);
        }
    EXPECT_EQ(wheel, 1);
}

TEST_F(EndToEndTest, MiddlePressPlaysTheTripleShotScript) {
    ASSERT_TRUE(PhysicalInput::Click(x11_button::kMiddle));
    ASSERT_TRUE(recorder_.WaitFor([&](const auto& events) {
        return CountMouse(Since(events), WM_LBUTTONUP, true) >= 3;
    })) << "the script did not play three clicks";
    // Playback runs on its own thread: wait for the pad to have all three, then the sentinel.
    ASSERT_TRUE(WaitUntil([&] { return pad_.Count(WM_LBUTTONUP) >= 3; }));
    ASSERT_TRUE(pad_.ClickSentinel());

    const Recorder::Events events = Recent();
    EXPECT_EQ(CountMouse(events, WM_LBUTTONDOWN, true), 3);
    EXPECT_EQ(CountMouse(events, WM_LBUTTONUP, true), 3);
    // Down and up alternate, starting with a down.
    unsigned expected = WM_LBUTTONDOWN;
    for (const RecordedEvent& e : events) {
        if (e.kind != RecordedEvent::Mouse || !e.injected) continue;
        if (e.message != WM_LBUTTONDOWN && e.message != WM_LBUTTONUP) continue;
        EXPECT_EQ(e.message, expected);
        expected = expected == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_LBUTTONDOWN;
    }
    EXPECT_EQ(CountMouse(events, WM_MBUTTONDOWN, false), 0)
        << "the middle press went past the program's hook";
    EXPECT_EQ(pad_.Count(WM_MBUTTONDOWN), 0);
    EXPECT_EQ(pad_.Count(WM_MBUTTONUP), 0);
}

TEST_F(EndToEndTest, LeftClicksAndMovesStillReachTheWindowPromptlyWhileRIsHooked) {
    // Each physical event must reach the pad well inside the hook timeout: a hook that blocked
    // would show here as a delay of about that length. Wine waits 2 s and keeps the hook; Windows
    // waits at most 1 s and then removes the hook without a word.
    // https://learn.microsoft.com/windows/win32/winmsg/lowlevelmouseproc
    constexpr auto kPrompt = 500ms;
    std::chrono::milliseconds worstClick{0}, worstMove{0};
    for (int round = 0; round < 20; ++round) {
        const RECT r = pad_.ScreenRect();
        const int dx = 20 + (round * 7) % 70, dy = 20 + (round * 11) % 70;
        pad_.ClearLog();
        ASSERT_TRUE(PhysicalInput::MoveTo(r.left + dx, r.top + dy));
        auto sent = std::chrono::steady_clock::now();
        ASSERT_TRUE(WaitUntil([&] {
            for (const InputPad::Logged& entry : pad_.Log())
                if (entry.message == WM_MOUSEMOVE && entry.lParam == MAKELPARAM(dx, dy))
                    return true;
            return false;
        })) << "a move never arrived";
        worstMove = std::max(worstMove, std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::steady_clock::now() - sent));

        ASSERT_TRUE(PhysicalInput::Click(x11_button::kLeft));
        sent = std::chrono::steady_clock::now();
        ASSERT_TRUE(WaitUntil([&] { return pad_.Count(WM_LBUTTONUP) == 1; }))
            << "a left click never arrived";
        worstClick = std::max(worstClick, std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now() - sent));
        EXPECT_EQ(pad_.Count(WM_LBUTTONDOWN), 1);
    }
    std::printf("worst delay after the X server had the event: move %lld ms, click %lld ms\n",
                static_cast<long long>(worstMove.count()),
                static_cast<long long>(worstClick.count()));
    EXPECT_LT(worstMove, kPrompt);
    EXPECT_LT(worstClick, kPrompt);
    // None of them was taken for a remapped input.
    EXPECT_EQ(InjectedKeys(Recent()).size(), 0u);
}

}  // namespace
}  // namespace tressel::testing
