// The six hook libraries under Wine, driven by physical (XTest) input: a hooked press turns into
// exactly one registered message and never reaches the window under the pointer; a removed hook
// gives the input back; injected input is never intercepted.
//
// "Nothing came" is shown with a sentinel: a physical left click after the action. Input is
// handled in order, and posted messages are retrieved before input messages, so once the
// sentinel's WM_LBUTTONUP has been seen, any message the action caused is already in the log.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/Describe.h"
#include "hooks/TarnhookExports.h"
#include "seam/win32/RegisteredMessages.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

using namespace std::chrono_literals;

struct Logged {
    HWND window;
    UINT message;
    WPARAM wParam;
};

std::vector<Logged> gLog;

LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) {
        // Only the position matters for moves; keep the last one.
        gLog.push_back({window, message, static_cast<WPARAM>(lParam)});
        return 0;
    }
    gLog.push_back({window, message, wParam});
    if (message == WM_CONTEXTMENU) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(const wchar_t* title, int x, int y, int width, int height, bool visible) {
    static const wchar_t* kClass = L"TresselHookTestWindow";
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = LoggingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassW(&wc);
        registered = true;
    }
    HWND window = CreateWindowExW(WS_EX_TOPMOST, kClass, title, WS_POPUP, x, y, width, height,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (visible) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
}

struct HookFunctions {
    ButtonId input;
    int (*install)(HWND);
    int (*remove)(HWND);
    LRESULT (*proc)(int, WPARAM, LPARAM);
};

constexpr HookFunctions kHooks[] = {
    {ButtonId::R, installhook_R, unstallhook_R, hookproc_R},
    {ButtonId::M, installhook_M, unstallhook_M, hookproc_M},
    {ButtonId::X1, installhook_X1, unstallhook_X1, hookproc_X1},
    {ButtonId::X2, installhook_X2, unstallhook_X2, hookproc_X2},
    {ButtonId::WD, installhook_WD, unstallhook_WD, hookproc_WD},
    {ButtonId::WU, installhook_WU, unstallhook_WU, hookproc_WU},
};

const HookFunctions& HookOf(ButtonId input) { return kHooks[ToIndex(input)]; }

class HookLibrariesTest : public ::testing::Test {
  protected:
    static constexpr int kPadX = 200, kPadY = 150, kPadSize = 300;

    static void SetUpTestSuite() {
        target_ = MakeWindow(L"Hook target", 0, 0, 10, 10, false);
        pad_ = MakeWindow(L"Hook pad", kPadX, kPadY, kPadSize, kPadSize, true);
    }
    static void TearDownTestSuite() {
        for (const HookFunctions& hook : kHooks) hook.remove(target_);
        DestroyWindow(pad_);
        DestroyWindow(target_);
    }

    void SetUp() override {
        // A fresh pointer position on the pad each time, so a WM_MOUSEMOVE must follow.
        static int shift = 0;
        shift = (shift + 7) % 100;
        const int x = kPadX + 100 + shift, y = kPadY + 100 + shift;
        ASSERT_TRUE(PhysicalInput::MoveTo(x, y));
        ASSERT_TRUE(WaitUntil([&] {
            const LPARAM at = MAKELPARAM(x - kPadX, y - kPadY);
            for (const Logged& entry : gLog)
                if (entry.window == pad_ && entry.message == WM_MOUSEMOVE &&
                    entry.wParam == static_cast<WPARAM>(at))
                    return true;
            return false;
        })) << "the pointer never arrived over the pad";
        SetForegroundWindow(pad_);
        SetFocus(pad_);
        ClickSentinel();  // also gives the pad the focus for wheel messages
        gLog.clear();
    }

    void TearDown() override {
        for (const HookFunctions& hook : kHooks) hook.remove(target_);
    }

    // A physical left click on the pad, waited for.
    static void ClickSentinel() {
        const std::size_t before = gLog.size();
        ASSERT_TRUE(PhysicalInput::Click(x11_button::kLeft));
        ASSERT_TRUE(WaitUntil([&] {
            for (std::size_t i = before; i < gLog.size(); ++i)
                if (gLog[i].window == pad_ && gLog[i].message == WM_LBUTTONUP) return true;
            return false;
        })) << "the sentinel click never arrived";
    }

    static int Count(HWND window, UINT message) {
        int count = 0;
        for (const Logged& entry : gLog)
            if (entry.window == window && entry.message == message) ++count;
        return count;
    }
    static int CountRegistered(ButtonId input) {
        return Count(target_, RegisteredMessageFor(input));
    }
    // Every registered message of any input that reached the target.
    static int CountAnyRegistered() {
        int count = 0;
        for (const HookFunctions& hook : kHooks) count += CountRegistered(hook.input);
        return count;
    }
    static bool WaitForRegistered(ButtonId input, int count) {
        return WaitUntil([&] { return CountRegistered(input) >= count; });
    }
    static bool WaitForPad(UINT message) {
        return WaitUntil([&] { return Count(pad_, message) > 0; });
    }
    // Mouse messages the pad got, other than moves and the sentinel's left clicks.
    static std::vector<UINT> PadButtonMessages() {
        std::vector<UINT> messages;
        for (const Logged& entry : gLog) {
            if (entry.window != pad_) continue;
            switch (entry.message) {
                case WM_RBUTTONDOWN:
                case WM_RBUTTONUP:
                case WM_MBUTTONDOWN:
                case WM_MBUTTONUP:
                case WM_XBUTTONDOWN:
                case WM_XBUTTONUP:
                case WM_MOUSEWHEEL:
                case WM_CONTEXTMENU:
                    messages.push_back(entry.message);
                    break;
                default:
                    break;
            }
        }
        return messages;
    }

    static inline HWND target_ = nullptr;
    static inline HWND pad_ = nullptr;
};

struct ButtonCase {
    ButtonId input;
    int x11Button;
    UINT down;
    UINT up;
    WORD xButton;  // expected GET_XBUTTON_WPARAM when the press reaches the pad, else 0
};

class HookedButtonTest : public HookLibrariesTest,
                         public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(HookedButtonTest, PressBecomesOneMessageAndComesBackNativeAfterRemoval) {
    const ButtonCase c = GetParam();
    const HookFunctions& hook = HookOf(c.input);
    ASSERT_EQ(1, hook.install(target_));

    ASSERT_TRUE(PhysicalInput::Click(c.x11Button));
    ASSERT_TRUE(WaitForRegistered(c.input, 1));
    ClickSentinel();
    EXPECT_EQ(1, CountRegistered(c.input));
    EXPECT_EQ(1, CountAnyRegistered());
    EXPECT_EQ(std::vector<UINT>{}, PadButtonMessages()) << "a hooked press reached the window";

    gLog.clear();
    ASSERT_EQ(1, hook.remove(target_));
    ASSERT_TRUE(PhysicalInput::Click(c.x11Button));
    ASSERT_TRUE(WaitForPad(c.up)) << "the press did not reach the window after removal";
    ClickSentinel();
    EXPECT_EQ(0, CountAnyRegistered());
    EXPECT_EQ(1, Count(pad_, c.down));
    if (c.xButton) {
        for (const Logged& entry : gLog)
            if (entry.window == pad_ && entry.message == WM_XBUTTONDOWN) {
                EXPECT_EQ(c.xButton, GET_XBUTTON_WPARAM(entry.wParam));
            }
    }
}

// X1 answers the extra button of button data 2 (XBUTTON2) and X2 the one of data 1.
INSTANTIATE_TEST_SUITE_P(
    AllButtons, HookedButtonTest,
    ::testing::Values(
        ButtonCase{ButtonId::R, x11_button::kRight, WM_RBUTTONDOWN, WM_RBUTTONUP, 0},
        ButtonCase{ButtonId::M, x11_button::kMiddle, WM_MBUTTONDOWN, WM_MBUTTONUP, 0},
        ButtonCase{ButtonId::X1, x11_button::kXButton2, WM_XBUTTONDOWN, WM_XBUTTONUP, XBUTTON2},
        ButtonCase{ButtonId::X2, x11_button::kXButton1, WM_XBUTTONDOWN, WM_XBUTTONUP, XBUTTON1}),
    [](const auto& info) { return std::string(Describe(info.param.input)); });

TEST_F(HookLibrariesTest, ExtraButtonHooksLeaveTheOtherExtraButtonAlone) {
    ASSERT_EQ(1, installhook_X1(target_));
    ASSERT_TRUE(PhysicalInput::Click(x11_button::kXButton1));
    ASSERT_TRUE(WaitForPad(WM_XBUTTONUP));
    ClickSentinel();
    EXPECT_EQ(0, CountAnyRegistered());
    ASSERT_EQ(1, unstallhook_X1(target_));

    gLog.clear();
    ASSERT_EQ(1, installhook_X2(target_));
    ASSERT_TRUE(PhysicalInput::Click(x11_button::kXButton2));
    ASSERT_TRUE(WaitForPad(WM_XBUTTONUP));
    ClickSentinel();
    EXPECT_EQ(0, CountAnyRegistered());
}

TEST_F(HookLibrariesTest, InjectedPressIsNeverIntercepted) {
    ASSERT_EQ(1, installhook_X1(target_));
    ASSERT_EQ(1, installhook_R(target_));
    INPUT inputs[4]{};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_XDOWN;
    inputs[0].mi.mouseData = XBUTTON2;
    inputs[1].mi.dwFlags = MOUSEEVENTF_XUP;
    inputs[1].mi.mouseData = XBUTTON2;
    inputs[2].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    inputs[3].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ASSERT_EQ(4u, SendInput(4, inputs, sizeof(INPUT)));
    ASSERT_TRUE(WaitForPad(WM_RBUTTONUP));
    ClickSentinel();
    EXPECT_EQ(0, CountAnyRegistered());
    EXPECT_EQ(1, Count(pad_, WM_XBUTTONDOWN));
    EXPECT_EQ(1, Count(pad_, WM_XBUTTONUP));
    EXPECT_EQ(1, Count(pad_, WM_RBUTTONDOWN));
}

TEST_F(HookLibrariesTest, EachWheelHookTakesOneMessagePerNotchOfItsOwnDirection) {
    struct WheelCase {
        ButtonId input;
        int ownNotches;
    };
    for (const WheelCase& c : {WheelCase{ButtonId::WD, -1}, WheelCase{ButtonId::WU, +1}}) {
        SCOPED_TRACE(Describe(c.input));
        gLog.clear();
        const HookFunctions& hook = HookOf(c.input);
        ASSERT_EQ(1, hook.install(target_));

        ASSERT_TRUE(PhysicalInput::Wheel(c.ownNotches));
        ASSERT_TRUE(WaitForRegistered(c.input, 1));
        ASSERT_TRUE(PhysicalInput::Wheel(2 * c.ownNotches));
        ASSERT_TRUE(WaitForRegistered(c.input, 3));
        ClickSentinel();
        EXPECT_EQ(3, CountRegistered(c.input));
        EXPECT_EQ(0, Count(pad_, WM_MOUSEWHEEL));

        // The other direction keeps its native job.
        gLog.clear();
        ASSERT_TRUE(PhysicalInput::Wheel(-c.ownNotches));
        ASSERT_TRUE(WaitForPad(WM_MOUSEWHEEL));
        ClickSentinel();
        EXPECT_EQ(0, CountAnyRegistered());
        for (const Logged& entry : gLog)
            if (entry.message == WM_MOUSEWHEEL) {
                EXPECT_EQ(-c.ownNotches * WHEEL_DELTA, GET_WHEEL_DELTA_WPARAM(entry.wParam));
            }

        ASSERT_EQ(1, hook.remove(target_));
    }
}

TEST_F(HookLibrariesTest, InstallingAndRemovingTwiceIsHarmless) {
    ASSERT_EQ(1, installhook_X1(target_));
    ASSERT_EQ(1, installhook_X1(target_));
    ASSERT_TRUE(PhysicalInput::Click(x11_button::kXButton2));
    ASSERT_TRUE(WaitForRegistered(ButtonId::X1, 1));
    ClickSentinel();
    EXPECT_EQ(1, CountRegistered(ButtonId::X1)) << "a second install doubled the messages";

    gLog.clear();
    ASSERT_EQ(1, unstallhook_X1(target_));
    ASSERT_EQ(1, unstallhook_X1(target_));
    ASSERT_TRUE(PhysicalInput::Click(x11_button::kXButton2));
    ASSERT_TRUE(WaitForPad(WM_XBUTTONUP));
    ClickSentinel();
    EXPECT_EQ(0, CountAnyRegistered());

    // And it can be installed again afterwards.
    gLog.clear();
    ASSERT_EQ(1, installhook_X1(target_));
    ASSERT_TRUE(PhysicalInput::Click(x11_button::kXButton2));
    ASSERT_TRUE(WaitForRegistered(ButtonId::X1, 1));
}

// The callback itself, called in-process: what physical XTest input cannot produce.
class HookCallbackTest : public HookLibrariesTest {
  protected:
    // Calls the input's callback with one physical (not injected) event; true when swallowed.
    static bool Feed(ButtonId input, UINT message, DWORD mouseData, DWORD flags = 0,
                     DWORD time = 0) {
        MSLLHOOKSTRUCT event{};
        event.mouseData = mouseData;
        event.flags = flags;
        event.time = time;
        return HookOf(input).proc(HC_ACTION, message, reinterpret_cast<LPARAM>(&event)) != 0;
    }
    static DWORD WheelData(int delta) {
        return static_cast<DWORD>(MAKELONG(0, static_cast<short>(delta)));
    }
    static int PendingRegistered(ButtonId input) {
        PumpMessages();
        return CountRegistered(input);
    }
};

TEST_F(HookCallbackTest, PartialWheelDeltasCountOnceTheyMakeANotch) {
    ASSERT_EQ(1, installhook_WD(target_));
    EXPECT_TRUE(Feed(ButtonId::WD, WM_MOUSEWHEEL, WheelData(-40)));
    EXPECT_TRUE(Feed(ButtonId::WD, WM_MOUSEWHEEL, WheelData(-40)));
    EXPECT_EQ(0, PendingRegistered(ButtonId::WD));
    EXPECT_TRUE(Feed(ButtonId::WD, WM_MOUSEWHEEL, WheelData(-50)));  // 130: one notch, 10 left
    EXPECT_EQ(1, PendingRegistered(ButtonId::WD));
    EXPECT_TRUE(Feed(ButtonId::WD, WM_MOUSEWHEEL, WheelData(-350)));  // 360: three notches
    EXPECT_EQ(4, PendingRegistered(ButtonId::WD));

    // A turn the other way passes and drops the part of a notch gathered so far.
    EXPECT_TRUE(Feed(ButtonId::WD, WM_MOUSEWHEEL, WheelData(-100)));
    EXPECT_FALSE(Feed(ButtonId::WD, WM_MOUSEWHEEL, WheelData(+120)));
    EXPECT_TRUE(Feed(ButtonId::WD, WM_MOUSEWHEEL, WheelData(-100)));
    EXPECT_EQ(4, PendingRegistered(ButtonId::WD));
}

TEST_F(HookCallbackTest, ReleaseIsSwallowedOnlyAfterASwallowedPress) {
    ASSERT_EQ(1, installhook_R(target_));
    // A button held before the hook came in is released where it was pressed.
    EXPECT_FALSE(Feed(ButtonId::R, WM_RBUTTONUP, 0));
    EXPECT_TRUE(Feed(ButtonId::R, WM_RBUTTONDOWN, 0));
    EXPECT_TRUE(Feed(ButtonId::R, WM_RBUTTONUP, 0));
    EXPECT_FALSE(Feed(ButtonId::R, WM_RBUTTONUP, 0));
    EXPECT_EQ(1, PendingRegistered(ButtonId::R));
    // Injected presses and other buttons pass.
    EXPECT_FALSE(Feed(ButtonId::R, WM_RBUTTONDOWN, 0, LLMHF_INJECTED));
    EXPECT_FALSE(Feed(ButtonId::R, WM_MBUTTONDOWN, 0));
    EXPECT_EQ(1, PendingRegistered(ButtonId::R));
}

// A release the program saw in the raw input (releaseseen_<X>, with the message time) strictly
// between a swallowed press and the next release the hook gets means the press had its release
// unseen: that next release passes. The raw input may show the hook's own release first, or an
// earlier press's release late; a release in the press's own tick cannot be told from an
// earlier one. The tick count wraps after 49.7 days.
TEST_F(HookCallbackTest, AReleaseSeenElsewhereBetweenAPressAndTheNextReleaseLetsThatReleasePass) {
    struct Case {
        DWORD pressedAt;             // the clock goes on from row to row, as it does, and wraps
        std::vector<int> seenAfter;  // ms after the press, told in this order
        int releasedAfter;
        bool releaseSwallowed;
    };
    const Case cases[] = {
        {0xFFFF0000u, {16}, 46, false},
        {0xFFFF1000u, {16, 46}, 46, false},  // this release too was seen before the hook got it
        {0xFFFF2000u, {46}, 46, true},       // only this release, seen first
        {0xFFFF3000u, {-16}, 46, true},      // an earlier press's release, told late
        {0xFFFF4000u, {0}, 46, true},
        {0xFFFFFFF0u, {32}, 80, false},  // across the wrap
    };
    ASSERT_EQ(1, installhook_R(target_));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pressedAt);
        EXPECT_TRUE(Feed(ButtonId::R, WM_RBUTTONDOWN, 0, 0, c.pressedAt));
        for (int after : c.seenAfter) releaseseen_R(c.pressedAt + static_cast<DWORD>(after));
        EXPECT_EQ(Feed(ButtonId::R, WM_RBUTTONUP, 0, 0,
                       c.pressedAt + static_cast<DWORD>(c.releasedAfter)),
                  c.releaseSwallowed);
    }
}

// The dispatch lifts a hook around a click it synthesises; a button held down through that lift
// must not have its release reach a window that never got its press.
TEST_F(HookLibrariesTest, AReleaseAfterTheHookWasLiftedAndPutBackIsStillSwallowed) {
    ASSERT_EQ(1, installhook_M(target_));
    ASSERT_TRUE(PhysicalInput::Press(x11_button::kMiddle));
    ASSERT_TRUE(WaitForRegistered(ButtonId::M, 1));
    ASSERT_EQ(1, unstallhook_M(target_));
    ASSERT_EQ(1, installhook_M(target_));
    ASSERT_TRUE(PhysicalInput::Release(x11_button::kMiddle));
    ClickSentinel();
    EXPECT_EQ(std::vector<UINT>{}, PadButtonMessages()) << "a release without its press";
    ASSERT_EQ(1, unstallhook_M(target_));
}

// Passing is decided at the press: a press taken before the switch keeps its release taken, and
// one let through before the switch back keeps its release let through.
TEST_F(HookCallbackTest, WhilePassingPressesGoThroughAndEachReleaseFollowsItsPress) {
    ASSERT_EQ(1, installhook_R(target_));
    ASSERT_EQ(1, installhook_WU(target_));
    EXPECT_TRUE(Feed(ButtonId::R, WM_RBUTTONDOWN, 0));
    passhook_R(1);
    passhook_WU(1);
    EXPECT_TRUE(Feed(ButtonId::R, WM_RBUTTONUP, 0));
    EXPECT_FALSE(Feed(ButtonId::R, WM_RBUTTONDOWN, 0));
    EXPECT_FALSE(Feed(ButtonId::WU, WM_MOUSEWHEEL, WheelData(+120)));
    passhook_R(0);
    passhook_WU(0);
    EXPECT_FALSE(Feed(ButtonId::R, WM_RBUTTONUP, 0));
    EXPECT_TRUE(Feed(ButtonId::WU, WM_MOUSEWHEEL, WheelData(+120)));
    EXPECT_EQ(1, PendingRegistered(ButtonId::R));
    EXPECT_EQ(1, PendingRegistered(ButtonId::WU));
}

TEST_F(HookCallbackTest, NothingIsSwallowedOrPostedOnceRemoved) {
    ASSERT_EQ(1, installhook_X2(target_));
    ASSERT_EQ(1, unstallhook_X2(target_));
    EXPECT_FALSE(Feed(ButtonId::X2, WM_XBUTTONDOWN, MAKELONG(0, XBUTTON1)));
    EXPECT_FALSE(Feed(ButtonId::X2, WM_XBUTTONUP, MAKELONG(0, XBUTTON1)));
    EXPECT_EQ(0, PendingRegistered(ButtonId::X2));
}

}  // namespace
}  // namespace tressel::testing
