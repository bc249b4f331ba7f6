#pragma once
// A test fixture with the real Tressel.exe running from a fresh installation of its own, shown
// and with its tray icon: the common ground of the tests that drive the real window. A test
// that has to change something first (metrics the program reads at its start, several starts)
// asks for no start at SetUp and calls StartTressel itself, as often as it needs.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "wine/support/PopupMenus.h"
#include "wine/support/Recorder.h"
#include "wine/support/TresselProcess.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {

struct RunningTresselOptions {
    bool startAtSetUp = true;
    // An input recorder started before the program, so that it sees only what the program's
    // hooks let through: a swallowed press never shows in its log.
    bool recorder = false;
};

class RunningTresselTest : public ::testing::Test {
  protected:
    explicit RunningTresselTest(RunningTresselOptions options = {}) : options_(options) {}

    void SetUp() override {
        ForgetUserSettings();
        // Parameterised tests are named "Name/Parameter": one folder, not two.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        folder_ = MakeTestInstallation(std::wstring(name.begin(), name.end()));
        iniPath_ = folder_ + L"\\ZornSetting.ini";
        BeforeStart();
        if (HasFatalFailure() || IsSkipped()) return;
        if (options_.recorder) {
            ASSERT_TRUE(recorder_.Start());
        }
        if (options_.startAtSetUp) {
            ASSERT_NO_FATAL_FAILURE(StartTressel());
        }
    }

    // Prepares the fresh installation (a settings file, say) before the program starts.
    virtual void BeforeStart() {}

    // Starts Tressel.exe from the installation (again, after an end) with `arguments` and waits
    // until its start-up is complete; without "-run" also until its window shows.
    void StartTressel(const std::wstring& arguments = L"") {
        app_.Terminate();
        app_ = TresselProcess::Start(folder_, arguments);
        window_ = app_.WaitForWindow();
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(app_.WaitForStartUp(window_));
        if (arguments.find(L"-run") != std::wstring::npos) return;
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) && !IsIconic(window_); }));
    }

    // A round trip through the program's user-interface thread: every message sent to it
    // before has been handled once this returns.
    bool RoundTrip() const {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 20000, &ignored) != 0;
    }

    // Which inputs the program lets pass to the program in front now, one bit per input (the
    // test build answers this message).
    LRESULT PassingInputs() const { return tressel::testing::PassingInputs(window_); }

    // Ends the program the way Esc does and waits for the end. A save still pending is written
    // before the process ends (EndPathsTest), so a settings file that is absent afterwards was
    // never going to be written: no need to wait out the save timer.
    void EndByCancel() {
        PostMessageW(window_, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        DWORD exitCode = 99;
        ASSERT_TRUE(app_.WaitForExit(exitCode)) << "the program did not end";
        EXPECT_EQ(exitCode, 0u);
    }

    void TearDown() override {
        if (app_.Running() && !VisibleMenuWindows(app_.Id()).empty())
            PostMessageW(window_, WM_CANCELMODE, 0, 0);
        app_.Terminate();
        recorder_.Stop();
        ForgetUserSettings();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::wstring folder_;
    std::wstring iniPath_;
    TresselProcess app_;
    HWND window_ = nullptr;
    Recorder recorder_;

  private:
    RunningTresselOptions options_;
};

}  // namespace tressel::testing
