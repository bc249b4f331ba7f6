// Remapped clicks on a bare X screen 2048 pixels wide, with no virtual desktop: there Wine maps
// absolute pointer moves over the screen as Windows maps them over a monitor, so a click sent
// with a move normalised by pixel * 65535 / width lands a pixel up and left of the pointer. Run
// with TRESSEL_BARE_SCREEN=2048x768 (its own Wine prefix; set by the build for this program).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "wine/support/FileBytes.h"
#include "wine/support/RunningTresselTest.h"

namespace tressel::testing {
namespace {

constexpr POINT kPointer{1500, 300};

// The right button gives a middle click; the other inputs keep their own jobs.
constexpr char kSettings[] =
    "[RButtonSetting]\r\n0=Middle Button\r\n1=1\r\n2=0\r\n3=0\r\n4=2\r\n5=\r\n6=0\r\n8=\r\n";

POINT Pointer() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

bool PointerAt(POINT expected) {
    const POINT p = Pointer();
    return p.x == expected.x && p.y == expected.y;
}

std::size_t MiddleReleases(const Recorder::Events& events) {
    return static_cast<std::size_t>(std::count_if(events.begin(), events.end(), [](auto& e) {
        return e.kind == RecordedEvent::Mouse && e.message == WM_MBUTTONUP && e.injected;
    }));
}

class BareScreenTest : public RunningTresselTest {
  protected:
    BareScreenTest() : RunningTresselTest({.startAtSetUp = false, .recorder = true}) {}
    void BeforeStart() override { WriteBytes(iniPath_, kSettings); }
};

TEST_F(BareScreenTest, AHundredRemappedClicksLeaveThePointerExactlyWhereItWas) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 2048) << "not the bare 2048-pixel screen";

    // The screen shows the fault this guards against: the old form of the move creeps.
    ASSERT_TRUE(SetCursorPos(kPointer.x, kPointer.y));
    ASSERT_TRUE(WaitUntil([] { return PointerAt(kPointer); }));
    INPUT truncated{};
    truncated.type = INPUT_MOUSE;
    truncated.mi.dx = kPointer.x * 65535 / 2048;
    truncated.mi.dy = kPointer.y * 65535 / 768;
    truncated.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ASSERT_EQ(SendInput(1, &truncated, sizeof truncated), 1u);
    ASSERT_TRUE(WaitUntil([] {
        return PointerAt({kPointer.x - 1, kPointer.y - 1});
    })) << "a truncated move did not creep here: this screen cannot show the fault";
    ASSERT_TRUE(SetCursorPos(kPointer.x, kPointer.y));
    ASSERT_TRUE(WaitUntil([] { return PointerAt(kPointer); }));

    ASSERT_NO_FATAL_FAILURE(StartTressel(L"-run"));
    // The right button's hook posts this message for each press.
    const UINT pressed = RegisterWindowMessageW(L"UWM_RBTNCLICK_MSG");
    for (std::size_t click = 1; click <= 100; ++click) {
        ASSERT_TRUE(PostMessageW(window_, pressed, 0, 0));
        ASSERT_TRUE(recorder_.WaitFor([&](const Recorder::Events& events) {
            return MiddleReleases(events) >= click;
        })) << "click "
            << click << " was not sent";
        const POINT p = Pointer();
        ASSERT_TRUE(p.x == kPointer.x && p.y == kPointer.y)
            << "after click " << click << " the pointer is on (" << p.x << ", " << p.y << ")";
    }
}

}  // namespace
}  // namespace tressel::testing
