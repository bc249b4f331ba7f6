// The real Tressel.exe under Wine: single instance, the "-run" start, the tray icon and its
// commands, start with Windows and the resolution fit.
#include <windows.h>
// After windows.h: the notification-icon declarations need its types.
#include <shellapi.h>
#include <gtest/gtest.h>

#include <objbase.h>
#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <vector>

#include "framework/UniqueHandle.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/PopupMenus.h"
#include "wine/support/RunningTresselTest.h"
#include "wine/support/UserRegistryValues.h"

namespace tressel::testing {
namespace {

constexpr int kHideApplication = 32779;
constexpr int kShowApplication = 32780;
constexpr int kStartWithWindows = 32781;
constexpr int kExitApplication = 32782;

void PostCommand(HWND window, int command) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

bool Shown(HWND window) { return IsWindowVisible(window) && !IsIconic(window); }

// What a restarting Explorer does: it forgets the icons, then broadcasts "TaskbarCreated". True
// once the program has put its icon back: it has then handled every message posted to it before.
bool RecreateTaskbar(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = 100;
    if (!Shell_NotifyIconW(NIM_DELETE, &data) || TrayIconPresent(window)) return false;
    PostMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    return WaitUntil([&] { return TrayIconPresent(window); });
}

// How many handles are open to `object`, this process's included (0 when the system cannot
// tell). https://learn.microsoft.com/windows/win32/api/winternl/nf-winternl-ntqueryobject
ULONG HandleCount(HANDLE object) {
    using Query = LONG(WINAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    PUBLIC_OBJECT_BASIC_INFORMATION info{};
    if (!query || query(object, ObjectBasicInformation, &info, sizeof info, nullptr) != 0) return 0;
    return info.HandleCount;
}

// The program started as the main instance (app_, window_) and, for the single-instance cases,
// further starts of the same installation.
class AppShellTest : public RunningTresselTest {
  protected:
    AppShellTest() : RunningTresselTest({.startAtSetUp = false}) {}
    void TearDown() override {
        for (auto& p : others_) p.Terminate();
        RunningTresselTest::TearDown();
    }
    TresselProcess& StartAnother(const std::wstring& arguments = L"") {
        others_.push_back(TresselProcess::Start(folder_, arguments));
        return others_.back();
    }
    std::wstring OurRunEntry() const { return L"\"" + folder_ + L"\\Tressel.exe\" -run"; }
    // Hides the running instance's `window`; a further start brings it back and ends.
    void ExpectAFurtherStartToBringBack(HWND window) {
        PostCommand(window, kHideApplication);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
        TresselProcess& further = StartAnother();
        DWORD exitCode = 99;
        ASSERT_TRUE(further.WaitForExit(exitCode));
        EXPECT_EQ(exitCode, 0u);
        EXPECT_TRUE(WaitUntil([&] { return Shown(window); }));
        EXPECT_EQ(CountMainWindows(), 1);
    }

    std::deque<TresselProcess> others_;  // references stay valid as processes are added
};

TEST_F(AppShellTest, SecondStartBringsTheHiddenFirstInstanceBackAndEnds) {
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    ExpectAFurtherStartToBringBack(window_);
    EXPECT_TRUE(app_.Running());
}

TEST_F(AppShellTest, TwentySimultaneousStartsLeaveExactlyOneInstance) {
    constexpr int kStarts = 20;
    for (int round = 0; round < 10; ++round) {
        std::vector<TresselProcess*> started;
        for (int i = 0; i < kStarts; ++i) started.push_back(&StartAnother());
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
        PostCommand(window, kExitApplication);
        DWORD exitCode = 99;
        ASSERT_TRUE(survivor.WaitForExit(exitCode));
        EXPECT_EQ(exitCode, 0u);
    }
}

// A second start while the first holds the mutex but has no window yet waits for the window and
// shows it, instead of ending unanswered. The "first instance" here is the test itself. The
// second keeps no handle to the mutex but while it waits on it between its looks for the window
// (a second handle to it, most of the time); the window comes only once that shows, and a start
// that did not wait would find none and show nothing. (How long it waits, ten seconds, only a
// fixed wait could tell.)
TEST_F(AppShellTest, ASecondStartWaitsForTheWindowOfAnInstanceStillStarting) {
    UniqueKernelHandle mutex(CreateMutexW(nullptr, TRUE, L"zornOneRun"));
    ASSERT_TRUE(mutex);
    ASSERT_EQ(HandleCount(mutex.get()), 1u) << "handles cannot be counted";
    TresselProcess& second = StartAnother();
    ASSERT_TRUE(WaitUntil([&] { return HandleCount(mutex.get()) == 2 || !second.Running(); }));
    ASSERT_TRUE(second.Running()) << "it ended with no window to show";
    HWND window = CreateWindowExW(0, L"STATIC", L"Tressel-corvane", WS_POPUP, 0, 0, 50, 50, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    DestroyWindow(window);
}

// A start that came while the first instance was still there, and the first ends (as its Exit
// does: the mutex released, then the process and its handle gone): the start comes up as the
// program, well before a wait for the first one's window would have ended, and no handle it
// kept makes the next start take it for another; that start brings its window back and ends.
TEST_F(AppShellTest, AStartWaitingForAnInstanceThatEndsComesUpAsTheProgram) {
    UniqueKernelHandle mutex(CreateMutexW(nullptr, TRUE, L"zornOneRun"));
    ASSERT_TRUE(mutex);
    TresselProcess& second = StartAnother();
    ASSERT_TRUE(WaitUntil([&] { return HandleCount(mutex.get()) == 2 || !second.Running(); }));
    ASSERT_TRUE(second.Running()) << "it ended with no window to show";
    ReleaseMutex(mutex.get());
    mutex.reset();
    const auto ended = std::chrono::steady_clock::now();
    HWND window = second.WaitForWindow(std::chrono::seconds(9));
    ASSERT_NE(window, nullptr) << "it did not come up as the program";
    std::printf("up as the program %lld ms after the first ended\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - ended)
                                           .count()));
    ASSERT_TRUE(second.WaitForStartUp(window));
    ExpectAFurtherStartToBringBack(window);
}

// A start during the first second of a "-run" start ends, and the running window stays hidden:
// once the program has handled what the second start sent and posted to it before it ended.
TEST_F(AppShellTest, AStartDuringTheFirstSecondOfARunStartEndsAndLeavesTheWindowHidden) {
    app_ = TresselProcess::Start(folder_, L"-run");
    // Once the first holds the single-instance mutex it is the first, whatever comes next.
    ASSERT_TRUE(WaitUntil([] {
        UniqueKernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, L"zornOneRun"));
        return static_cast<bool>(mutex);
    }));
    TresselProcess& second = StartAnother();
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(CountMainWindows(), 1) << "the second start ended before the first had a window";
    window_ = app_.WaitForWindow();
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(app_.WaitForStartUp(window_));
    ASSERT_TRUE(RecreateTaskbar(window_));
    EXPECT_FALSE(IsWindowVisible(window_));
    EXPECT_TRUE(app_.Running());
}

TEST_F(AppShellTest, RunArgumentStartsHiddenUntilShowApplication) {
    ASSERT_NO_FATAL_FAILURE(StartTressel(L"-run"));
    EXPECT_FALSE(IsWindowVisible(window_));

    PostCommand(window_, kShowApplication);  // works at once: it allows showing itself
    EXPECT_TRUE(WaitUntil([&] { return Shown(window_); }));
}

// That Exit removes the tray icon is shown natively (DialogEndTest): Wine's notification area
// drops the icon of a window that has gone by itself.
TEST_F(AppShellTest, ExitSavesAndEndsWithCodeZero) {
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    PostCommand(window_, kExitApplication);
    DWORD exitCode = 99;
    ASSERT_TRUE(app_.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(std::filesystem::exists(iniPath_));
}

TEST_F(AppShellTest, IconComesBackWhenTheTaskbarIsRecreated) {
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    EXPECT_TRUE(RecreateTaskbar(window_));
}

// The menu's check mark cannot be read from another process under Wine; the direction of each
// click shows what the program takes for the current state.
TEST_F(AppShellTest, StartWithWindowsFollowsTheRunEntryAndKeepsBootValueInStep) {
    ASSERT_NO_FATAL_FAILURE(StartTressel());

    PostCommand(window_, kStartWithWindows);  // a fresh profile has no entry: on
    ASSERT_TRUE(WaitUntil([&] { return RunEntry() == OurRunEntry(); }));
    EXPECT_TRUE(WaitUntil([&] { return BootValue() == L"0"; }));

    PostCommand(window_, kStartWithWindows);
    ASSERT_TRUE(WaitUntil([&] { return RunEntry() == kAbsent; }));
    EXPECT_TRUE(WaitUntil([&] { return BootValue() == L"1"; }));

    SetBootValue(L"0");  // says on, but no entry: off, so the click turns it on
    PostCommand(window_, kStartWithWindows);
    EXPECT_TRUE(WaitUntil([&] { return RunEntry() == OurRunEntry(); }));
}

// ShellExecuteW may hand a launch to shell extensions that need a single-threaded apartment on
// the calling thread: the window's thread is one before its first window (after that, Wine's
// input method support makes it one by itself).
TEST_F(AppShellTest, TheWindowsThreadIsASingleThreadedApartment) {
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    DWORD_PTR type = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window_, RegisterWindowMessageW(L"Tressel test: apartment"), 0,
                                    0, SMTO_ABORTIFHUNG, 2000, &type));
    const auto apartment = static_cast<LRESULT>(type);
    EXPECT_TRUE(apartment == APTTYPE_STA || apartment == APTTYPE_MAINSTA) << apartment;
}

TEST_F(AppShellTest, AtStartTheRunEntryOfAMovedFolderNamesTheProgramAgain) {
    SetBootValue(L"0");
    SetRunEntry(L"\"C:\\Tressel moved away\\Tressel.exe\" -run");
    ASSERT_NO_FATAL_FAILURE(StartTressel(L"-run"));
    EXPECT_EQ(RunEntry(), OurRunEntry());
}

TEST_F(AppShellTest, AtStartTheRunEntryOfAnotherCopyThatStillExistsStays) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);  // any program file that exists
    const std::wstring other = L"\"" + std::wstring(self) + L"\" -run";
    SetBootValue(L"0");
    SetRunEntry(other);
    ASSERT_NO_FATAL_FAILURE(StartTressel(L"-run"));
    EXPECT_EQ(RunEntry(), other);
}

// The menu opens on each right-button callback of the icon (not only the first), and the second
// opening stays open and takes a choice: its first entry, "Hide Application".
TEST_F(AppShellTest, TrayMenuOpensOnASecondRightButtonCallbackAndTakesAChoice) {
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    auto menuOpen = [&] { return VisibleMenuWindows(app_.Id()).size() == 1; };
    // A mouse event's anchor is the pointer, so the menu opens below it and no entry is under
    // the pointer to be chosen by hovering.
    POINT pointer{};
    ASSERT_TRUE(GetCursorPos(&pointer));
    PostTrayEvent(window_, WM_RBUTTONDOWN, pointer);
    ASSERT_TRUE(WaitUntil(menuOpen));
    PostMessageW(window_, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return VisibleMenuWindows(app_.Id()).empty(); }));

    PostTrayEvent(window_, WM_RBUTTONDOWN, pointer);
    ASSERT_TRUE(WaitUntil(menuOpen));
    ASSERT_TRUE(PhysicalInput::KeyPress("Down"));
    ASSERT_TRUE(PhysicalInput::KeyPress("Return"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }));
    EXPECT_TRUE(app_.Running());
}

// A press on the icon the shell shows opens the menu: the shell's own callbacks, in the form the
// program asks for (NIM_SETVERSION), reach it.
TEST_F(AppShellTest, APressOnTheIconTheShellShowsOpensTheMenu) {
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    ASSERT_NE(OpenMenuByRightPress(app_.Id(), TrayIconCentre()), nullptr)
        << "a press on the icon opened no menu";
    ASSERT_TRUE(PhysicalInput::KeyPress("Escape"));
    EXPECT_TRUE(WaitUntil([&] { return VisibleMenuWindows(app_.Id()).empty(); }));
}

// The keyboard's Enter (NIN_KEYSELECT) and context-menu key (WM_CONTEXTMENU) open the menu at
// the anchor the shell gives, the icon's corner.
TEST_F(AppShellTest, TheKeyboardOpensTheTrayMenuAtTheIcon) {
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    const struct {
        UINT event;
        POINT anchor;
    } keys[] = {{NIN_KEYSELECT, {300, 200}}, {WM_CONTEXTMENU, {340, 260}}};
    for (const auto& key : keys) {
        PostTrayEvent(window_, key.event, key.anchor);
        HWND menu = AwaitOnlyMenu(app_.Id());
        ASSERT_NE(menu, nullptr) << key.event;
        RECT r{};
        GetWindowRect(menu, &r);
        EXPECT_EQ(r.left, key.anchor.x) << key.event;
        EXPECT_EQ(r.top, key.anchor.y) << key.event;
        PostMessageW(window_, WM_CANCELMODE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return VisibleMenuWindows(app_.Id()).empty(); }));
    }
}

// At sign-in the shell may not take icons yet, and no "TaskbarCreated" need follow: the program
// keeps trying. The test build's shell refuses while the event exists.
TEST_F(AppShellTest, AnIconTheShellRefusesAtFirstComesOnceTheShellTakesIt) {
    constexpr wchar_t kRefused[] = L"Tressel test: tray refused";
    UniqueKernelHandle refusing(CreateEventW(nullptr, TRUE, FALSE, kRefused));
    ASSERT_TRUE(refusing);
    SetEnvironmentVariableW(L"TRESSEL_TEST_TRAY_REFUSED_WHILE", kRefused);
    app_ = TresselProcess::Start(folder_, L"-run");
    SetEnvironmentVariableW(L"TRESSEL_TEST_TRAY_REFUSED_WHILE", nullptr);
    window_ = app_.WaitForWindow();
    ASSERT_NE(window_, nullptr);
    // The start-up, with its add, is over once the dialog's queue has first run empty.
    ASSERT_EQ(WaitForInputIdle(app_.Handle(), 20000), 0u);
    ASSERT_TRUE(RoundTrip());
    ASSERT_FALSE(TrayIconPresent(window_)) << "the switch did not refuse the icon";
    refusing.reset();
    EXPECT_TRUE(WaitUntil([&] { return TrayIconPresent(window_); }));
}

// The notification area draws small icons; it is given the small one at that size, not the large
// one to scale down.
TEST_F(AppShellTest, TheTrayIsGivenTheSmallIconAtItsSize) {
    ASSERT_NE(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CXICON));
    ASSERT_NO_FATAL_FAILURE(StartTressel(L"-run"));
    DWORD_PTR width = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window_,
                                    RegisterWindowMessageW(L"Tressel test: tray icon width"), 0, 0,
                                    SMTO_ABORTIFHUNG, 20000, &width));
    EXPECT_EQ(width, static_cast<DWORD_PTR>(GetSystemMetrics(SM_CXSMICON)));
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

    TresselProcess& app = StartAnother();
    DWORD exitCode = 99;
    ASSERT_TRUE(app.WaitForExit(exitCode)) << "a second instance started its own window";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(CountMainWindows(), 0);
}

}  // namespace
}  // namespace tressel::testing
