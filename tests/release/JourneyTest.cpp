// What a Windows user does with the downloaded zip, in one run under Wine: unpack it into a
// folder whose path has blanks and non-ASCII characters, start the program, assign a function
// by clicks, start with Windows, exit, start the way Windows does at logon, reset, and remove
// it again. Every step a user does with the mouse is a physical (XTest) click; an independent
// recorder and a window of the test's own tell what a press gives. The Wine prefix is new for
// this test (see cmake/ReleaseTests.cmake), so nothing from earlier runs is in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"
#include "resource.h"
#include "wine/support/IniSnapshot.h"
#include "wine/support/InputPad.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/PopupMenus.h"
#include "wine/support/Recorder.h"
#include "wine/support/RemappedPress.h"
#include "wine/support/TresselProcess.h"
#include "wine/support/UnixCommand.h"
#include "wine/support/UnixFiles.h"
#include "wine/support/UserRegistryValues.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

constexpr int kX1Box = 1002;

// Function menu: entry counts and positions on the way to "Copy(Ctrl+C)".
constexpr int kTopLevelEntries = 8;  // "No Settings" ... "Run Program"
constexpr int kCombinationIndex = 3;
constexpr int kCombinationEntries = 2;  // "Word ", "Archives "
constexpr int kWordIndex = 0;
constexpr int kWordEntries = 8;  // "Cut(Ctrl+X)", "Copy(Ctrl+C)", ...
constexpr int kCopyIndex = 1;

// Tray menu entries by position (separators count).
constexpr int kShowApplication = 1;
constexpr int kReset = 3;
constexpr int kStartWithWindows = 4;
constexpr int kExitApplication = 6;

// The settings file after Reset: every input shows its own name and is not remapped.
struct ResetRecord {
    const wchar_t* section;
    const wchar_t* caption;
};
constexpr ResetRecord kResetState[] = {
    {L"RButtonSetting", L"Right Button"}, {L"MButtonSetting", L"Middle Button"},
    {L"X1ButtonSetting", L"X1 Button"},   {L"X2ButtonSetting", L"X2 Button"},
    {L"WDButtonSetting", L"Wheel Down"},  {L"WUButtonSetting", L"Wheel Up"},
};

bool IsXButton(const RecordedEvent& e) {
    return e.kind == RecordedEvent::Mouse &&
           (e.message == WM_XBUTTONDOWN || e.message == WM_XBUTTONUP);
}

std::string Narrow(const std::wstring& text) {
    std::string out(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()),
                        nullptr, nullptr);
    out.pop_back();
    return out;
}

bool ClickAt(POINT p, int button = x11_button::kLeft) {
    return PhysicalInput::MoveTo(p.x, p.y) && PhysicalInput::Click(button);
}

class JourneyTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (app_.Running()) app_.Terminate();
        recorder_.Stop();
        std::error_code ignored;
        if (!parent_.empty()) std::filesystem::remove_all(parent_, ignored);
    }

    std::wstring Caption(int controlId) const {
        wchar_t text[128] = {};
        GetWindowTextW(GetDlgItem(window_, controlId), text, 128);
        return text;
    }

    // Starts (or finds) the program's window and waits until its start-up is complete.
    void AwaitStartUp() {
        window_ = app_.WaitForWindow();
        ASSERT_NE(window_, nullptr) << "no window";
        ASSERT_TRUE(app_.WaitForStartUp(window_)) << "the tray icon did not come";
    }

    HWND AwaitOneMenu() const { return AwaitOnlyMenu(app_.Id()); }
    HWND OpenSubmenu(HWND menu, int index, int count) const {
        return OpenSubmenuByClick(app_.Id(), window_, menu, index, count);
    }

    // A right click on the tray icon, then a left click on entry `index` of the menu it opens.
    // The menu opens on the press; the release comes beside it (OpenMenuByRightPress). Successive
    // presses alternate between two points of the icon farther apart than the
    // double-click rectangle, so that a quick second press is no double click (which the program
    // does not answer with a menu).
    void ChooseFromTray(int index) {
        static int side = 1;
        side = -side;
        POINT icon = TrayIconCentre();
        icon.x += side * GetSystemMetrics(SM_CXDOUBLECLK);
        HWND menu = OpenMenuByRightPress(app_.Id(), icon);
        ASSERT_NE(menu, nullptr) << "a click on the tray icon opened no menu";
        RECT popup{};
        GetWindowRect(menu, &popup);
        ASSERT_TRUE(IsWindowVisible(menu)) << "the menu closed on the release beside it";
        ASSERT_LT(static_cast<std::size_t>(index), trayEntries_.size());
        const POINT entry = CentreOf(trayEntries_[static_cast<std::size_t>(index)]);
        ASSERT_TRUE(ClickAt({popup.left + entry.x, popup.top + entry.y}));
        ASSERT_TRUE(WaitUntil([&] { return VisibleMenuWindows(app_.Id()).empty(); }));
    }

    // Wine 8: once a process that had a low-level mouse hook has ended, a mouse hook set before
    // it gets no more events (keyboard hooks go on). The recorder therefore starts afresh after
    // each exit, before the program's next hook.
    void ExitFromTray() {
        ASSERT_NO_FATAL_FAILURE(ChooseFromTray(kExitApplication));
        DWORD exitCode = 1;
        ASSERT_TRUE(app_.WaitForExit(exitCode)) << "the program did not end";
        recorder_.Stop();
        ASSERT_TRUE(recorder_.Start());
    }

    // A physical X1 press (X11 button 9, mouse data 2) with the pad focused under the pointer.
    void ExpectX1GivesCtrlC() {
        EXPECT_TRUE(PressGivesOnlyChord(recorder_, *pad_, x11_button::kXButton2, kCtrlC));
    }

    void ExpectX1Native() {
        const Recorder::Events events = PressOnPad(recorder_, *pad_, x11_button::kXButton2);
        EXPECT_EQ(std::count_if(events.begin(), events.end(),
                                [](const auto& e) { return IsXButton(e) && !e.injected; }),
                  2);
        EXPECT_EQ(std::count_if(events.begin(), events.end(),
                                [](const auto& e) { return e.kind == RecordedEvent::Key; }),
                  0);
        EXPECT_EQ(pad_->Count(WM_XBUTTONDOWN), 1);
        EXPECT_EQ(pad_->Count(WM_XBUTTONUP), 1);
    }

    std::wstring parent_;  // the folder the user unpacks into
    std::wstring folder_;  // the program's folder in it
    std::vector<RECT> trayEntries_;
    std::unique_ptr<InputPad> pad_;  // outside the centred main window, clear of the taskbar
    Recorder recorder_;
    TresselProcess app_;
    HWND window_ = nullptr;
};

TEST_F(JourneyTest, FromTheZipToARemappedPressAndBackToNothingLeftBehind) {
    // 1. Unpack and start: the window shows and the tray icon is there.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    parent_ = std::wstring(temp) + L"Mes programmes \u00e9t\u00e9 \u6771\u4eac";
    ASSERT_TRUE(CreateDirectoryW(parent_.c_str(), nullptr)) << GetLastError();
    const std::string unixParent = UnixPathOf(parent_);
    ASSERT_FALSE(unixParent.empty());
    ASSERT_TRUE(RunUnixCommand("unzip -q " + ShellQuote(TRESSEL_ZIP_PATH) + " -d " +
                               ShellQuote(unixParent)))
        << "cannot unpack " << TRESSEL_ZIP_PATH << " into " << unixParent;
    folder_ = parent_ + L"\\Tressel";
    const std::wstring exe = folder_ + L"\\Tressel.exe";
    ASSERT_TRUE(std::filesystem::exists(exe)) << Narrow(exe);
    {
        UniqueModule image(LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(image);
        UniqueMenu menu(LoadMenuW(image.get(), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
        ASSERT_TRUE(menu);
        trayEntries_ = MeasureMenuEntries(GetSubMenu(menu.get(), 0));
        ASSERT_EQ(trayEntries_.size(), 7u) << "the tray menu could not be measured";
    }
    // Installed before any hook of the program: it sees only what the program lets through.
    ASSERT_TRUE(recorder_.Start());
    ASSERT_EQ(RunEntry(), kAbsent);

    app_ = TresselProcess::Start(folder_);
    ASSERT_NO_FATAL_FAILURE(AwaitStartUp());
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) && !IsIconic(window_); }));
    EXPECT_TRUE(TrayIconPresent(window_));

    // 2. "Copy(Ctrl+C)" for X1 through the function menu; X1 then gives Ctrl+C and nothing else.
    pad_ = std::make_unique<InputPad>(8, 8, 110, 110);
    RECT box{};
    GetWindowRect(GetDlgItem(window_, kX1Box), &box);
    ASSERT_TRUE(ClickAt(CentreOf(box)));
    HWND top = AwaitOneMenu();
    ASSERT_NE(top, nullptr) << "no function menu on a click of the X1 box";
    HWND combination = OpenSubmenu(top, kCombinationIndex, kTopLevelEntries);
    ASSERT_NE(combination, nullptr);
    HWND word = OpenSubmenu(combination, kWordIndex, kCombinationEntries);
    ASSERT_NE(word, nullptr);
    ASSERT_TRUE(ClickAt(CentreOf(MenuEntryRect(window_, word, kCopyIndex, kWordEntries))));
    ASSERT_TRUE(WaitUntil([&] { return Caption(kX1Box) == L"Copy"; }));
    ASSERT_NO_FATAL_FAILURE(ExpectX1GivesCtrlC());

    // 3. Start With Windows from the tray menu: on a fresh profile it is off, so one click turns
    // it on, and the Run entry is the quoted path with "-run".
    ASSERT_NO_FATAL_FAILURE(ChooseFromTray(kStartWithWindows));
    const std::wstring expectedEntry = L"\"" + exe + L"\" -run";
    ASSERT_TRUE(WaitUntil([&] { return RunEntry() == expectedEntry; }))
        << "Run entry: " << Narrow(RunEntry()) << "\nexpected:  " << Narrow(expectedEntry)
        << "\nBootValue: " << Narrow(BootValue()) << " (1 means the click turned it off)";

    // 4. Exit from the tray, then start what the Run entry holds: hidden, X1 still Ctrl+C.
    ASSERT_NO_FATAL_FAILURE(ExitFromTray());
    app_ = TresselProcess::StartCommand(RunEntry());
    ASSERT_NO_FATAL_FAILURE(AwaitStartUp());
    EXPECT_FALSE(IsWindowVisible(window_)) << "a start by the Run entry showed the window";
    ASSERT_NO_FATAL_FAILURE(ExpectX1GivesCtrlC());

    // 5. Show from the tray, Reset, Exit: X1 is native again and the file holds the reset state.
    ASSERT_NO_FATAL_FAILURE(ChooseFromTray(kShowApplication));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) && !IsIconic(window_); }));
    ASSERT_NO_FATAL_FAILURE(ChooseFromTray(kReset));
    ASSERT_TRUE(WaitUntil([&] { return Caption(kX1Box) == L"X1 Button"; }));
    ASSERT_NO_FATAL_FAILURE(ExitFromTray());
    ASSERT_NO_FATAL_FAILURE(ExpectX1Native());
    const std::wstring ini = folder_ + L"\\ZornSetting.ini";
    for (const ResetRecord& record : kResetState) {
        auto section = ReadIniSection(ini, record.section);
        ASSERT_TRUE(section) << Narrow(record.section);
        EXPECT_EQ((*section)[L"0"], record.caption) << Describe(section);
        EXPECT_EQ((*section)[L"1"], L"0") << Describe(section);
    }

    // 6. Start With Windows off, exit, delete the folder: no Run entry is left behind.
    app_ = TresselProcess::Start(folder_);
    ASSERT_NO_FATAL_FAILURE(AwaitStartUp());
    ASSERT_NO_FATAL_FAILURE(ChooseFromTray(kStartWithWindows));
    ASSERT_TRUE(WaitUntil([&] { return RunEntry() == kAbsent; })) << Narrow(RunEntry());
    ASSERT_NO_FATAL_FAILURE(ExitFromTray());
    std::error_code error;
    std::filesystem::remove_all(parent_, error);
    EXPECT_FALSE(error) << error.message();
    EXPECT_FALSE(std::filesystem::exists(parent_));
    EXPECT_EQ(RunEntry(), kAbsent);
}

}  // namespace
}  // namespace tressel::testing
