// A program's own settings made in the real window with physical input: the program added by
// "Add a program", a function of its own beside the dimmed ones it inherits, "As All Programs",
// "Off in this program" and Reset, and the six sections of all programs unchanged afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "app/DialogShell.h"
#include "app/win32/ProgramWindows.h"
#include "programs/ProgramFileName.h"
#include "programs/ProgramsMenuChoices.h"
#include "wine/support/DialogMetrics.h"
#include "wine/support/IniSnapshot.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/RunningTresselTest.h"
#include "wine/support/ScreenCapture.h"
#include "wine/support/StartProcess.h"
#include "wine/support/UnixCommand.h"

namespace tressel::testing {
namespace {

constexpr int kX1Box = 1002;
constexpr const wchar_t* kInputSections[] = {L"RButtonSetting",  L"MButtonSetting",
                                             L"X1ButtonSetting", L"X2ButtonSetting",
                                             L"WDButtonSetting", L"WUButtonSetting"};
// The function menu while a program is shown: "As All Programs" first, then the eight entries
// of all programs' menu, of which "Combination" > "Word " > "Paste(Ctrl+V)".
constexpr int kFunctionEntries = 9;
constexpr int kCombinationIndex = 4;
constexpr int kCombinationEntries = 2;
constexpr int kWordEntries = 8;
constexpr int kPasteIndex = 2;

class ProgramsWindowTest : public RunningTresselTest {
  protected:
    void BeforeStart() override {
        WritePrivateProfileStringW(L"X1ButtonSetting", L"0", L"Copy", iniPath_.c_str());
        WritePrivateProfileStringW(L"X1ButtonSetting", L"1", L"1", iniPath_.c_str());
        WritePrivateProfileStringW(L"X1ButtonSetting", L"2", L"2", iniPath_.c_str());
        WritePrivateProfileStringW(L"X1ButtonSetting", L"3", L"67", iniPath_.c_str());
        WritePrivateProfileStringW(L"X1ButtonSetting", L"6", L"1", iniPath_.c_str());
    }
    void TearDown() override {
        EndNotepad();
        RunningTresselTest::TearDown();
    }
    void EndNotepad() {
        if (!notepad_.process) return;
        TerminateProcess(notepad_.process.get(), 0);
        WaitForSingleObject(notepad_.process.get(), 5000);
        notepad_ = {};
    }

    std::wstring Text(int controlId) const {
        wchar_t text[128] = {};
        GetWindowTextW(GetDlgItem(window_, controlId), text, 128);
        return text;
    }
    bool Shows(int controlId, const std::wstring& text) const {
        return WaitUntil([&] { return Text(controlId) == text; });
    }
    // The caption is written in `colour` and in no other caption colour.
    bool WrittenIn(int controlId, COLORREF colour) const {
        const COLORREF other = colour == kCaptionColour ? kInheritedCaptionColour : kCaptionColour;
        ScreenCapture shot;
        return WaitUntil([&] {
            const RECT box = ScreenRectOf(window_, controlId);
            return shot.Capture() && shot.Count(box, colour) > 20 && shot.Count(box, other) == 0;
        });
    }
    std::optional<IniSection> Section(const std::wstring& name) const {
        return ReadIniSection(iniPath_, name);
    }
    std::wstring Value(const std::wstring& section, const wchar_t* key) const {
        const auto found = Section(section);
        return found && found->count(key) ? found->at(key) : L"<absent>";
    }

    // A click, at alternating points so that two in a row make no double click.
    HWND ClickForMenu(int controlId) const {
        static int shift = 20;
        shift = -shift;
        POINT at = CentreOf(ScreenRectOf(window_, controlId));
        at.x += shift;
        if (!PhysicalInput::MoveTo(at.x, at.y) || !PhysicalInput::Click(x11_button::kLeft))
            return nullptr;
        return AwaitOnlyMenu(app_.Id());
    }
    bool Keys(std::initializer_list<const char*> keys) const {
        for (const char* key : keys)
            if (!PhysicalInput::KeyPress(key)) return false;
        return WaitUntil([&] { return VisibleMenuWindows(app_.Id()).empty(); });
    }
    bool ClickEntry(HWND menu, int index, int count) const {
        const POINT at = CentreOf(MenuEntryRect(window_, menu, index, count));
        return PhysicalInput::MoveTo(at.x, at.y) && PhysicalInput::Click(x11_button::kLeft);
    }

    StartedProcess notepad_;
};

TEST_F(ProgramsWindowTest, AProgramAddedFromTheMenuGetsItsOwnFunctionsAndLosesThemAgain) {
    notepad_ = StartProcess(L"notepad.exe");
    ASSERT_TRUE(notepad_.process);
    ASSERT_TRUE(WaitUntil([&] {
        DWORD processId = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &processId);
        return processId == notepad_.processId;
    }));
    MoveWindow(GetForegroundWindow(), 0, 200, 120, 120, TRUE);  // off the main window
    ASSERT_TRUE(SetForegroundWindow(window_));
    ASSERT_EQ(Text(kProgramsControlId), L"All programs");

    // Down to "Add a program", into it, down to notepad among the programs with windows.
    const ProgramsMenuChoices offered({}, L"", ProgramsWithWindows(app_.Id()));
    const auto& add = offered.Menu().at(2).submenu;
    const auto notepad = std::find_if(add.begin(), add.end(), [](const auto& item) {
        return FoldProgramName(item.text) == L"notepad.exe";
    });
    ASSERT_NE(notepad, add.end()) << "notepad is not among the programs with windows";
    ASSERT_NE(ClickForMenu(kProgramsControlId), nullptr);
    ASSERT_TRUE(PhysicalInput::KeyPress("Down") && PhysicalInput::KeyPress("Down") &&
                PhysicalInput::KeyPress("Right"));
    for (auto i = add.begin(); i != notepad; ++i) ASSERT_TRUE(PhysicalInput::KeyPress("Down"));
    ASSERT_TRUE(Keys({"Return"}));
    ASSERT_TRUE(Shows(kProgramsControlId, L"notepad.exe"));
    EXPECT_TRUE(WrittenIn(kX1Box, kInheritedCaptionColour)) << "all programs' Copy not dimmed";
    ASSERT_TRUE(WaitUntil([&] { return Value(L"Programs", L"1") == L"notepad.exe"; }));
    // All programs' six sections as saved with the program added: nothing below changes them.
    std::map<std::wstring, std::optional<IniSection>> allPrograms;
    for (const wchar_t* section : kInputSections) allPrograms[section] = Section(section);
    ASSERT_EQ(allPrograms[L"X1ButtonSetting"]->at(L"0"), L"Copy");

    HWND top = ClickForMenu(kX1Box);
    ASSERT_NE(top, nullptr);
    HWND combination =
        OpenSubmenuByClick(app_.Id(), window_, top, kCombinationIndex, kFunctionEntries);
    ASSERT_NE(combination, nullptr);
    HWND word = OpenSubmenuByClick(app_.Id(), window_, combination, 0, kCombinationEntries);
    ASSERT_NE(word, nullptr);
    ASSERT_TRUE(ClickEntry(word, kPasteIndex, kWordEntries));
    ASSERT_TRUE(Shows(kX1Box, L"Paste"));
    EXPECT_TRUE(WrittenIn(kX1Box, kCaptionColour));
    EXPECT_TRUE(WrittenIn(1000, kInheritedCaptionColour));
    EXPECT_TRUE(WaitUntil([&] { return Value(L"X1ButtonSetting:notepad.exe", L"3") == L"86"; }));
    // The README's picture of a program's settings.
    RECT shown{};
    GetWindowRect(window_, &shown);
    EXPECT_TRUE(SaveScreenPng(ArtifactsDir() + "/program-settings.png", &shown));

    top = ClickForMenu(kX1Box);
    ASSERT_NE(top, nullptr);
    ASSERT_TRUE(ClickEntry(top, 0, kFunctionEntries));  // "As All Programs"
    ASSERT_TRUE(Shows(kX1Box, L"Copy"));
    EXPECT_TRUE(WrittenIn(kX1Box, kInheritedCaptionColour));
    EXPECT_TRUE(WaitUntil([&] { return !Section(L"X1ButtonSetting:notepad.exe"); }));

    // "Off in this program" is the last but one entry.
    ASSERT_NE(ClickForMenu(kProgramsControlId), nullptr);
    ASSERT_TRUE(Keys({"Up", "Up", "Return"}));
    ASSERT_TRUE(Shows(kX1Box, L"X1 Button"));
    EXPECT_TRUE(WrittenIn(kX1Box, kCaptionColour));
    EXPECT_TRUE(WaitUntil([&] { return Value(L"WUButtonSetting:notepad.exe", L"1") == L"0"; }));

    // The tray menu's Reset, while notepad's settings are shown, drops only them.
    PostMessageW(window_, WM_COMMAND, 32784, 0);
    ASSERT_TRUE(Shows(kX1Box, L"Copy"));
    EXPECT_TRUE(WrittenIn(kX1Box, kInheritedCaptionColour));
    EXPECT_TRUE(WaitUntil([&] { return !Section(L"WUButtonSetting:notepad.exe"); }));
    EXPECT_EQ(Value(L"Programs", L"1"), L"notepad.exe");
    for (const wchar_t* section : kInputSections)
        EXPECT_EQ(Describe(Section(section)), Describe(allPrograms[section])) << section;
}

}  // namespace
}  // namespace tressel::testing
