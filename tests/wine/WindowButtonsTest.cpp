// The two image buttons of the real Tressel.exe under Wine, clicked with a physical pointer:
// "save and exit" hides the window and writes the settings file with the captions the buttons
// show at that moment; the close glyph hides the window and writes nothing, nor leaves a save
// pending (the program's end would write it). The tray's "Show Application" brings the window
// back after either. The programs button opens the programs menu below itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/ButtonId.h"
#include "wine/support/IniSnapshot.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/RunningTresselTest.h"

namespace tressel::testing {
namespace {

constexpr int kSaveButton = 1007;
constexpr int kCloseGlyph = IDOK;
constexpr int kShowApplication = 32780;
constexpr int kProgramsButton = 1010;

bool Shown(HWND window) { return IsWindowVisible(window) && !IsIconic(window); }

class WindowButtonsTest : public RunningTresselTest {
  protected:
    // Clicks the middle of a control with the physical pointer, then moves the pointer off the
    // window so that the next start of the test sees no hover state.
    bool ClickControl(int controlId) const {
        RECT r{};
        if (!GetWindowRect(GetDlgItem(window_, controlId), &r)) return false;
        const POINT at = CentreOf(r);
        return PhysicalInput::MoveTo(at.x, at.y) && PhysicalInput::Click(x11_button::kLeft) &&
               PhysicalInput::MoveTo(6, 6);
    }

    // Gives every input button a caption of the test's own (the program's records stay as they
    // are), so that a save shows whether it wrote what the buttons show.
    void SetTestCaptions() const {
        for (const ButtonInfo& input : kButtonInfo)
            SetDlgItemTextW(window_, input.controlId, CaptionFor(input).c_str());
    }

    static std::wstring CaptionFor(const ButtonInfo& input) {
        return L"Test " + std::wstring(input.defaultCaption);
    }

    // Hides, then "Show Application" from the tray menu: the window comes back restored.
    void ExpectShowFromTrayRestores() {
        PostMessageW(window_, WM_COMMAND, MAKEWPARAM(kShowApplication, 0), 0);
        EXPECT_TRUE(WaitUntil([&] { return Shown(window_); })) << "the window did not come back";
        EXPECT_TRUE(TrayIconPresent(window_));
    }
};

TEST_F(WindowButtonsTest, SaveButtonHidesTheWindowAndWritesTheShownCaptions) {
    SetTestCaptions();
    ASSERT_TRUE(RoundTrip());
    ASSERT_TRUE(ClickControl(kSaveButton));

    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); })) << "the window stayed";
    EXPECT_TRUE(TrayIconPresent(window_)) << "the icon went with the window";
    // The save follows the hide directly, in the same command.
    ASSERT_TRUE(WaitUntil([&] {
        const auto last = ReadIniSection(iniPath_, L"WUButtonSetting");
        return last && last->count(L"8") == 1;
    })) << "no settings file was written";
    for (const ButtonInfo& input : kButtonInfo) {
        const auto section = ReadIniSection(iniPath_, std::wstring(input.section));
        ASSERT_TRUE(section.has_value()) << "section of control " << input.controlId;
        const IniSection expected = {{L"0", CaptionFor(input)},
                                     {L"1", L"0"},
                                     {L"2", L"0"},
                                     {L"3", L"0"},
                                     {L"4", L"0"},
                                     {L"5", L""},
                                     {L"6", L"0"},
                                     {L"8", L""}};
        EXPECT_EQ(*section, expected) << "control " << input.controlId << ": " << Describe(section);
    }

    ExpectShowFromTrayRestores();
    for (const ButtonInfo& input : kButtonInfo) {
        wchar_t text[64] = {};
        GetDlgItemTextW(window_, input.controlId, text, 64);
        EXPECT_EQ(text, CaptionFor(input)) << "control " << input.controlId;
    }
}

TEST_F(WindowButtonsTest, CloseGlyphHidesTheWindowAndWritesNothing) {
    SetTestCaptions();
    ASSERT_TRUE(RoundTrip());
    ASSERT_TRUE(ClickControl(kCloseGlyph));

    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); })) << "the window stayed";
    EXPECT_TRUE(TrayIconPresent(window_)) << "the icon went with the window";
    ASSERT_TRUE(RoundTrip());
    EXPECT_FALSE(std::filesystem::exists(iniPath_)) << "the close glyph saved";

    ExpectShowFromTrayRestores();
    // Shown again and closed again: still nothing written, and nothing pending.
    ASSERT_TRUE(ClickControl(kCloseGlyph));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }));
    ExpectShowFromTrayRestores();
    ASSERT_NO_FATAL_FAILURE(EndByCancel());
    EXPECT_FALSE(std::filesystem::exists(iniPath_)) << "the close glyph left a save pending";
}

TEST_F(WindowButtonsTest, EnterIsTheOkCommandHidingTheWindowAndWritingNothing) {
    // A click on the skin away from every control brings the window to the front.
    RECT r{};
    ASSERT_TRUE(GetWindowRect(window_, &r));
    ASSERT_TRUE(PhysicalInput::MoveTo(r.left + 60, r.top + 60));
    ASSERT_TRUE(PhysicalInput::Click(x11_button::kLeft));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window_; }));
    ASSERT_TRUE(PhysicalInput::MoveTo(6, 6));

    ASSERT_TRUE(PhysicalInput::KeyPress("Return"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); })) << "the window stayed";
    EXPECT_TRUE(TrayIconPresent(window_));
    ExpectShowFromTrayRestores();
    ASSERT_NO_FATAL_FAILURE(EndByCancel());
    EXPECT_FALSE(std::filesystem::exists(iniPath_)) << "Enter saved the settings or left a save";
}

TEST_F(WindowButtonsTest, TheProgramsButtonOpensTheProgramsMenuBelowIt) {
    RECT button{};
    ASSERT_TRUE(GetWindowRect(GetDlgItem(window_, kProgramsButton), &button));
    ASSERT_TRUE(ClickControl(kProgramsButton));
    const HWND menu = AwaitOnlyMenu(app_.Id());
    ASSERT_NE(menu, nullptr) << "no menu opened";
    RECT shown{};
    GetWindowRect(menu, &shown);
    EXPECT_EQ(shown.left, button.left);
    EXPECT_EQ(shown.top, button.bottom);
    ASSERT_TRUE(PhysicalInput::KeyPress("Escape"));
    EXPECT_TRUE(WaitUntil([&] { return VisibleMenuWindows(app_.Id()).empty(); }));
}

}  // namespace
}  // namespace tressel::testing
