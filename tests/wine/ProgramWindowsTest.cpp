// The programs with windows on the desktop, as "Add a program" offers them: two notepads are one
// program, listed with its full path, and this program's own window never makes it a candidate.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/win32/ProgramWindows.h"
#include "wine/ControlsTestHost.h"
#include "wine/support/StartProcess.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

bool HasVisibleWindow(DWORD processId) {
    struct Search {
        DWORD processId;
        bool found = false;
    } search{processId};
    EnumWindows(
        [](HWND window, LPARAM context) {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId && IsWindowVisible(window)) s.found = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() &&
           _wcsicmp(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

class ProgramWindowsTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (StartedProcess* notepad : {&first_, &second_}) {
            if (!notepad->process) continue;
            TerminateProcess(notepad->process.get(), 0);
            WaitForSingleObject(notepad->process.get(), 5000);
        }
    }
    StartedProcess first_, second_;
};

TEST_F(ProgramWindowsTest, TwoNotepadsAreListedOnceWithTheirPathAndThisProgramNever) {
    // A window of this program that would count: shown, unowned, with a title.
    ControlsTestHost own(200, 100, RGB(30, 30, 30), RGB(30, 30, 30));
    first_ = StartProcess(L"notepad.exe");
    second_ = StartProcess(L"notepad.exe");
    ASSERT_TRUE(first_.process && second_.process);
    ASSERT_TRUE(WaitUntil(
        [&] { return HasVisibleWindow(first_.processId) && HasVisibleWindow(second_.processId); }));

    const std::vector<RunningProgram> programs = ProgramsWithWindows(GetCurrentProcessId());
    std::vector<RunningProgram> notepads;
    std::copy_if(
        programs.begin(), programs.end(), std::back_inserter(notepads),
        [](const RunningProgram& p) { return _wcsicmp(p.fileName.c_str(), L"notepad.exe") == 0; });
    ASSERT_EQ(notepads.size(), 1u);
    const std::wstring& path = notepads.front().path;
    EXPECT_TRUE(path.size() > 3 && path[1] == L':' && path[2] == L'\\') << "not a full path";
    EXPECT_TRUE(EndsWith(path, L"\\" + notepads.front().fileName));
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);

    for (const RunningProgram& p : programs)
        EXPECT_NE(_wcsicmp(p.fileName.c_str(), L"wine_ProgramWindowsTest.exe"), 0)
            << "this program is offered for itself";
}

}  // namespace
}  // namespace tressel::testing
