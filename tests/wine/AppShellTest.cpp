// The real Tressel.exe under Wine: single instance, the "-run" start, the tray icon and its
// commands, start with Windows and the resolution fit.
#include <windows.h>
// After windows.h: the notification-icon declarations need its types.
#include <shellapi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>
#include <vector>

#include "framework/UniqueHandle.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/TresselProcess.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

constexpr UINT kTrayCallback = WM_USER + 100;

void PostCommand(HWND window, int command) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

std::wstring RunValue() {
    wchar_t buffer[1024] = {};
    DWORD bytes = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     L"ZornApplication", RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS) {
        return L"<absent>";
    }
    return buffer;
}

std::wstring BootValue() {
    wchar_t buffer[64] = {};
    DWORD bytes = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Corvane Tressel\\Tressel\\ZornMouseApplication",
                     L"BootValue", RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS) {
        return L"<absent>";
    }
    return buffer;
}

bool Shown(HWND window) { return IsWindowVisible(window) && !IsIconic(window); }

class AppShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ForgetUserSettings();
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = MakeTestInstallation(std::wstring(name.begin(), name.end()));
    }
    void TearDown() override {
        for (auto& p : processes) p.Terminate();
        ForgetUserSettings();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    TresselProcess& Start(const std::wstring& arguments = L"") {
        processes.push_back(TresselProcess::Start(folder, arguments));
        return processes.back();
    }

    std::wstring folder;
    std::deque<TresselProcess> processes;  // references stay valid as processes are added
};

TEST_F(AppShellTest, SecondStartBringsTheHiddenFirstInstanceBackAndEnds) {
    TresselProcess& first = Start();
    HWND window = first.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(first.WaitForStartUp(window));
    ASSERT_TRUE(WaitUntil([&] { return Shown(window); }));

    PostCommand(window, 32779);  // Hide Application
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));

    TresselProcess& second = Start();
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return Shown(window); }));
    EXPECT_EQ(CountMainWindows(), 1);
    EXPECT_TRUE(first.Running());
}

// Twenty starts at the same moment, ten times over: exactly one instance stays and shows its
// window; every other start ends with code 0 and leaves no window of its own.
TEST_F(AppShellTest, TwentySimultaneousStartsLeaveExactlyOneInstance) {
    constexpr int kStarts = 20;
    for (int round = 0; round < 10; ++round) {
        std::vector<TresselProcess*> started;
        for (int i = 0; i < kStarts; ++i) started.push_back(&Start());
        auto running = [&] {
            return std::count_if(started.begin(), started.end(),
                                 [](TresselProcess* p) { return p->Running(); });
        };
        ASSERT_TRUE(WaitUntil([&] { return running() <= 1; }, std::chrono::seconds(60)))
            << "round " << round << ": " << running() << " instances";
        ASSERT_EQ(running(), 1) << "round " << round;
        TresselProcess& survivor =
            **std::find_if(started.begin(), started.end(), [](auto* p) { return p->Running(); });
        HWND window = survivor.WaitForWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(survivor.WaitForStartUp(window));
        EXPECT_TRUE(WaitUntil([&] { return Shown(window); }));
        EXPECT_EQ(CountMainWindows(), 1);
        for (TresselProcess* p : started) {
            if (p == &survivor) continue;
            DWORD exitCode = 99;
            EXPECT_TRUE(p->WaitForExit(exitCode) && exitCode == 0);
        }
        PostCommand(window, 32782);  // Exit Application
        DWORD exitCode = 99;
        ASSERT_TRUE(survivor.WaitForExit(exitCode));
        EXPECT_EQ(exitCode, 0u);
    }
}

// A second start while the first holds the mutex but has no window yet waits for the window and
// shows it, instead of ending unanswered. The "first instance" here is the test itself.
TEST_F(AppShellTest, ASecondStartWaitsForTheWindowOfAnInstanceStillStarting) {
    UniqueKernelHandle mutex(CreateMutexW(nullptr, TRUE, L"zornOneRun"));
    ASSERT_TRUE(mutex);
    TresselProcess& second = Start();
    DWORD exitCode = 99;
    ASSERT_FALSE(second.WaitForExit(exitCode, std::chrono::milliseconds(1500)))
        << "it ended with no window to show";
    HWND window = CreateWindowExW(0, L"STATIC", L"Tressel-corvane", WS_POPUP, 0, 0, 50, 50, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(second.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    DestroyWindow(window);
}

// A start during the first second of a "-run" start ends, and the running window stays hidden.
TEST_F(AppShellTest, AStartDuringTheFirstSecondOfARunStartEndsAndLeavesTheWindowHidden) {
    TresselProcess& first = Start(L"-run");
    // Once the first holds the single-instance mutex it is the first, whatever comes next.
    ASSERT_TRUE(WaitUntil([] {
        UniqueKernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, L"zornOneRun"));
        return static_cast<bool>(mutex);
    }));
    TresselProcess& second = Start();
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(CountMainWindows(), 1) << "the second start ended before the first had a window";
    HWND window = first.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(first.WaitForStartUp(window));
    EXPECT_FALSE(
        WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, std::chrono::seconds(2)));
    EXPECT_TRUE(first.Running());
}

TEST_F(AppShellTest, RunArgumentStartsHiddenUntilShowApplication) {
    TresselProcess& app = Start(L"-run");
    HWND window = app.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(app.WaitForStartUp(window));
    EXPECT_FALSE(IsWindowVisible(window));

    PostCommand(window, 32780);  // Show Application works at once: it allows showing itself
    EXPECT_TRUE(WaitUntil([&] { return Shown(window); }));
}

TEST_F(AppShellTest, ExitRemovesTheIconSavesAndEndsWithCodeZero) {
    TresselProcess& app = Start();
    HWND window = app.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(app.WaitForStartUp(window));
    PostCommand(window, 32782);
    DWORD exitCode = 99;
    ASSERT_TRUE(app.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(TrayIconPresent(window));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / L"ZornSetting.ini"));
}

TEST_F(AppShellTest, IconComesBackWhenTheTaskbarIsRecreated) {
    TresselProcess& app = Start();
    HWND window = app.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(app.WaitForStartUp(window));

    // What a restarting Explorer does: it forgets the icons, then broadcasts "TaskbarCreated".
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = 100;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    ASSERT_FALSE(TrayIconPresent(window));
    PostMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconPresent(window); }));
}

void SetRunValue(const std::wstring& commandLine) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                    L"ZornApplication", REG_SZ, commandLine.c_str(),
                    static_cast<DWORD>((commandLine.size() + 1) * sizeof(wchar_t)));
}

void SetBootValue(const std::wstring& value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Corvane Tressel\\Tressel\\ZornMouseApplication",
                    L"BootValue", REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// The menu's check mark cannot be read from another process under Wine; the direction of each
// click shows what the program takes for the current state.
TEST_F(AppShellTest, StartWithWindowsFollowsTheRunEntryAndKeepsBootValueInStep) {
    TresselProcess& app = Start();
    HWND window = app.WaitForWindow();
    ASSERT_NE(window, nullptr);
    const std::wstring ours = L"\"" + folder + L"\\Tressel.exe\" -run";

    PostCommand(window, 32781);  // a fresh profile has no entry: the first click turns it on
    ASSERT_TRUE(WaitUntil([&] { return RunValue() == ours; }));
    EXPECT_TRUE(WaitUntil([&] { return BootValue() == L"0"; }));

    PostCommand(window, 32781);
    ASSERT_TRUE(WaitUntil([&] { return RunValue() == L"<absent>"; }));
    EXPECT_TRUE(WaitUntil([&] { return BootValue() == L"1"; }));

    SetBootValue(L"0");  // says on, but no entry: off, so the click turns it on
    PostCommand(window, 32781);
    EXPECT_TRUE(WaitUntil([&] { return RunValue() == ours; }));
}

TEST_F(AppShellTest, AtStartTheRunEntryOfAMovedFolderNamesTheProgramAgain) {
    SetBootValue(L"0");
    SetRunValue(L"\"C:\\Tressel moved away\\Tressel.exe\" -run");
    TresselProcess& app = Start(L"-run");
    ASSERT_TRUE(app.WaitForWindow());
    EXPECT_TRUE(WaitUntil([&] { return RunValue() == L"\"" + folder + L"\\Tressel.exe\" -run"; }));
}

TEST_F(AppShellTest, AtStartTheRunEntryOfAnotherCopyThatStillExistsStays) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);  // any program file that exists
    const std::wstring other = L"\"" + std::wstring(self) + L"\" -run";
    SetBootValue(L"0");
    SetRunValue(other);
    TresselProcess& app = Start(L"-run");
    HWND window = app.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(app.WaitForStartUp(window));
    EXPECT_EQ(RunValue(), other);
}

TEST_F(AppShellTest, TrayMenuOpensOnARightClickOfTheIconAgainAndAgain) {
    TresselProcess& app = Start();
    HWND window = app.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(app.WaitForStartUp(window));
    // The popup menu of the tray is a window of class "#32768" owned by the program's thread.
    auto menuOpen = [&] {
        HWND menu = FindWindowW(L"#32768", nullptr);
        DWORD pid = 0;
        if (menu) GetWindowThreadProcessId(menu, &pid);
        return menu && IsWindowVisible(menu) && pid == app.Id();
    };
    PostMessageW(window, kTrayCallback, 100, WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitUntil(menuOpen));
    PostMessageW(window, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !menuOpen(); }));

    // The second opening stays open and takes a choice: its first entry, "Hide Application".
    PostMessageW(window, kTrayCallback, 100, WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitUntil(menuOpen));
    ASSERT_TRUE(PhysicalInput::KeyPress("Down"));
    ASSERT_TRUE(PhysicalInput::KeyPress("Return"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
    EXPECT_TRUE(app.Running());
}

TEST_F(AppShellTest, AMutexThisUserMayNotOpenMeansAlreadyRunning) {
    // What an elevated instance's mutex is to a start without elevation: it exists, and
    // CreateMutexW is refused with ERROR_ACCESS_DENIED. An empty access list admits nobody.
    SECURITY_DESCRIPTOR descriptor;
    ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    ACL acl;
    ASSERT_TRUE(InitializeAcl(&acl, sizeof acl, ACL_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    UniqueKernelHandle held(CreateMutexW(&attributes, TRUE, L"zornOneRun"));
    ASSERT_TRUE(held);
    ASSERT_EQ(CreateMutexW(nullptr, TRUE, L"zornOneRun"), nullptr) << "the mutex is not closed";
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    TresselProcess& app = Start();
    DWORD exitCode = 99;
    ASSERT_TRUE(app.WaitForExit(exitCode)) << "a second instance started its own window";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(CountMainWindows(), 0);
}

}  // namespace
}  // namespace tressel::testing
