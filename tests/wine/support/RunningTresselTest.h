#pragma once
// A test fixture with the real Tressel.exe running from a fresh installation of its own, shown
// and with its tray icon: the common ground of the tests that drive the real window.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "wine/support/PopupMenus.h"
#include "wine/support/TresselProcess.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {

class RunningTresselTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ForgetUserSettings();
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder_ = MakeTestInstallation(std::wstring(name.begin(), name.end()));
        iniPath_ = folder_ + L"\\ZornSetting.ini";
        BeforeStart();
        if (HasFatalFailure() || IsSkipped()) return;
        app_ = TresselProcess::Start(folder_);
        window_ = app_.WaitForWindow();
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(app_.WaitForStartUp(window_));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) && !IsIconic(window_); }));
    }

    // Prepares the fresh installation (a settings file, say) before the program starts.
    virtual void BeforeStart() {}

    void TearDown() override {
        if (!VisibleMenuWindows(app_.Id()).empty()) PostMessageW(window_, WM_CANCELMODE, 0, 0);
        app_.Terminate();
        ForgetUserSettings();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::wstring folder_;
    std::wstring iniPath_;
    TresselProcess app_;
    HWND window_ = nullptr;
};

}  // namespace tressel::testing
