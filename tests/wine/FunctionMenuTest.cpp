// The function menu of the real Tressel.exe under Wine, driven by physical (XTest) clicks only:
// walking the menu assigns a function, the settings file follows, and the input is remapped at
// once; dismissing the menu changes nothing; showing it many times leaks nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "wine/support/GuiObjectCounts.h"
#include "wine/support/InputPad.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/RemappedPress.h"
#include "wine/support/RunningTresselTest.h"
#include "wine/support/ScreenCapture.h"
#include "wine/support/UnixCommand.h"

namespace tressel::testing {
namespace {

constexpr int kX1Button = 1002;
constexpr int kWheelDownButton = 1004;

// Entry counts and positions of the menu levels walked here.
constexpr int kTopLevelEntries = 8;  // "No Settings" ... "Run Program"
constexpr int kCombinationIndex = 3;
constexpr int kSystemIndex = 6;
constexpr int kCombinationEntries = 2;  // "Word ", "Archives "
constexpr int kWordIndex = 0;
constexpr int kWordEntries = 8;  // "Cut(Ctrl+X)", "Copy(Ctrl+C)", ...
constexpr int kCopyIndex = 1;

class FunctionMenuTest : public RunningTresselTest {
  protected:
    RECT ControlRect(int controlId) const {
        RECT r{};
        GetWindowRect(GetDlgItem(window_, controlId), &r);
        return r;
    }

    std::wstring Caption(int controlId) const {
        wchar_t text[128] = {};
        GetWindowTextW(GetDlgItem(window_, controlId), text, 128);
        return text;
    }

    std::wstring IniValue(const wchar_t* section, const wchar_t* key) const {
        wchar_t value[512] = {};
        GetPrivateProfileStringW(section, key, L"<absent>", value, 512, iniPath_.c_str());
        return value;
    }

    bool IniExists() const { return std::filesystem::exists(iniPath_); }

    static bool ClickAt(POINT p) {
        return PhysicalInput::MoveTo(p.x, p.y) && PhysicalInput::Click(x11_button::kLeft);
    }

    // Clicks the input button and returns the menu window that opened (null when none did).
    // Successive clicks alternate between two points of the button far enough apart not to
    // make a double click, which an owner-drawn button reports as BN_DOUBLECLICKED instead.
    HWND OpenMenuOf(int controlId) const {
        static int shift = 20;
        shift = -shift;
        POINT at = CentreOf(ControlRect(controlId));
        at.x += shift;
        if (!ClickAt(at)) return nullptr;
        return AwaitOnlyMenu(app_.Id());
    }

    HWND OpenSubmenu(HWND menu, int index, int count) const {
        return OpenSubmenuByClick(app_.Id(), window_, menu, index, count);
    }

    bool NoMenuOpen() const {
        return WaitUntil([&] { return VisibleMenuWindows(app_.Id()).empty(); });
    }
};

TEST_F(FunctionMenuTest, PickingCopyForX1ShowsItSavesItAndRemapsTheX1Press) {
    Recorder recorder;  // installed before the X1 hook: sees only what passes it
    ASSERT_TRUE(recorder.Start());

    const RECT button = ControlRect(kX1Button);
    HWND top = OpenMenuOf(kX1Button);
    ASSERT_NE(top, nullptr) << "no menu opened on a click of the X1 button";
    RECT menuRect{};
    GetWindowRect(top, &menuRect);
    EXPECT_EQ(menuRect.left, button.left + 15);
    EXPECT_EQ(menuRect.top, button.bottom + 2);

    HWND combination = OpenSubmenu(top, kCombinationIndex, kTopLevelEntries);
    ASSERT_NE(combination, nullptr) << "\"Combination\" did not open";
    HWND word = OpenSubmenu(combination, kWordIndex, kCombinationEntries);
    ASSERT_NE(word, nullptr) << "\"Word \" did not open";
    // The README's picture: with only the program on the desktop.
    EXPECT_TRUE(SaveUserPicture(ArtifactsDir() + "/function-menu.png", app_.Id()));
    EXPECT_FALSE(IniExists()) << "the file was written before anything was picked";

    ASSERT_TRUE(ClickAt(CentreOf(MenuEntryRect(window_, word, kCopyIndex, kWordEntries))));
    ASSERT_TRUE(NoMenuOpen());
    WaitUntil([&] { return Caption(kX1Button) == L"Copy"; });
    EXPECT_EQ(Caption(kX1Button), L"Copy");

    // The record, about 10 ms later, in the new file (UTF-16LE with a byte-order mark).
    ASSERT_TRUE(WaitUntil([&] { return IniValue(L"X1ButtonSetting", L"0") == L"Copy"; }));
    const std::vector<std::pair<const wchar_t*, const wchar_t*>> expected = {
        {L"0", L"Copy"}, {L"1", L"1"}, {L"2", L"2"},        {L"3", L"67"}, {L"4", L"0"},
        {L"5", L""},     {L"6", L"1"}, {L"7", L"<absent>"}, {L"8", L""}};
    for (const auto& [key, value] : expected)
        EXPECT_EQ(IniValue(L"X1ButtonSetting", key), value) << "key " << key;
    EXPECT_EQ(IniValue(L"RButtonSetting", L"1"), L"0");
    {
        std::ifstream file(std::filesystem::path(iniPath_), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), {});
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
        EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFE);
    }

    // A physical X1 press (XBUTTON2) now gives Ctrl+C and never reaches the window under the
    // pointer, a window of the test's own outside the centred main window.
    InputPad pad(8, 8, 110, 110);
    EXPECT_TRUE(PressGivesOnlyChord(recorder, pad, x11_button::kXButton2, kCtrlC));
}

TEST_F(FunctionMenuTest, EscapeClosesOneLevelAtATimeAndChangesNothing) {
    std::vector<std::wstring> captions;
    for (int id = 1000; id <= 1005; ++id) captions.push_back(Caption(id));
    HWND top = OpenMenuOf(kWheelDownButton);
    ASSERT_NE(top, nullptr);
    ASSERT_NE(OpenSubmenu(top, kSystemIndex, kTopLevelEntries), nullptr);
    ASSERT_EQ(VisibleMenuWindows(app_.Id()).size(), 2u);

    ASSERT_TRUE(PhysicalInput::KeyPress("Escape"));
    ASSERT_TRUE(WaitUntil([&] { return VisibleMenuWindows(app_.Id()).size() == 1; }))
        << "Escape did not close the submenu";
    ASSERT_TRUE(PhysicalInput::KeyPress("Escape"));
    ASSERT_TRUE(NoMenuOpen()) << "Escape did not close the menu";
    ASSERT_TRUE(RoundTrip());

    for (int id = 1000; id <= 1005; ++id) EXPECT_EQ(Caption(id), captions[id - 1000]);
    EXPECT_EQ(Caption(kWheelDownButton), L"Wheel Down");
    ASSERT_NO_FATAL_FAILURE(EndByCancel());
    EXPECT_FALSE(IniExists()) << "a dismissed menu saved or left a save pending";
}

TEST_F(FunctionMenuTest, ShowingTheMenuAHundredTimesLeavesNoObjectsBehind) {
    const POINT neutral{60, 60};  // off the main window: no hover state on any button
    auto showAndDismiss = [&] {
        HWND menu = OpenMenuOf(kX1Button);
        if (!menu) {
            std::printf("no menu opened\n");
            return false;
        }
        PostMessageW(window_, WM_CANCELMODE, 0, 0);
        if (!NoMenuOpen()) {
            std::printf("menu stayed open\n");
            return false;
        }
        return true;
    };
    auto settle = [&] {
        return PhysicalInput::MoveTo(neutral.x, neutral.y) &&
               WaitUntil([&] { return RoundTrip(); });
    };
    // The first showings load what stays for the process's life (fonts, the menu tree); the
    // baseline is the count once it has stopped moving after them.
    ASSERT_TRUE(showAndDismiss());
    ASSERT_TRUE(showAndDismiss());
    ASSERT_TRUE(settle());
    const GuiObjectCounts start = SettledGuiObjects(app_.Id());
    ASSERT_GE(start.gdi, 0) << "the program's GDI objects cannot be counted or never settle";

    const auto began = std::chrono::steady_clock::now();
    // The count does see the menu: an open menu holds its bitmaps and icons.
    ASSERT_NE(OpenMenuOf(kX1Button), nullptr);
    const GuiObjectCounts open = CountGuiObjects(app_.Id());
    PostMessageW(window_, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(NoMenuOpen());
    EXPECT_GT(open.gdi, start.gdi + 50) << "the count does not see the menu's objects";

    for (int round = 1; round < 100; ++round) ASSERT_TRUE(showAndDismiss()) << "round " << round;
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - began);
    ASSERT_TRUE(settle());

    // A leak is growth. One object lost per showing would add about a hundred; objects the
    // process frees later than the baseline was read may only make the end count smaller.
    constexpr long kNoise = 20;
    const GuiObjectCounts end = SettledGuiObjects(app_.Id());
    std::printf("100 showings in %lld ms; GDI %ld (%ld while open) -> %ld, USER %ld -> %ld (%s)\n",
                static_cast<long long>(took.count()), start.gdi, open.gdi, end.gdi, start.user,
                end.user, start.fromSystem ? "GetGuiResources" : "GDI handle table, windows");
    ASSERT_GE(end.gdi, 0) << "the count never settled";
    EXPECT_LE(end.gdi, start.gdi + kNoise);
    EXPECT_LE(end.user, start.user + kNoise);
    EXPECT_EQ(Caption(kX1Button), L"X1 Button");
    EXPECT_FALSE(IniExists());
}

}  // namespace
}  // namespace tressel::testing
