// Ending the real Tressel.exe under Wine by each way out while a long macro plays: the process
// ends cleanly with exit code 0 (which also says that no GDI+ object was alive when GDI+ shut
// down), a change whose save was still pending is saved, and nothing is written when nothing was
// pending (only the tray's Exit always saves). The key the macro holds is released by the ending
// program, exactly once, as an independent recorder sees it; so it is when the program crashes.
// That every way out removes the tray icon is shown natively (DialogEndTest): Wine's notification
// area drops the icon of a window that has gone by itself (Windows keeps it until the pointer
// passes over it), so no check here could tell.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "framework/UniqueHandle.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/PopupMenus.h"
#include "wine/support/RunningTresselTest.h"

namespace tressel::testing {
namespace {

// M plays a script that holds F24 (a key no window reacts to) for about ten seconds: while the
// key shows down, the macro worker is running.
constexpr wchar_t kScript[] = L"HOLD F24.txt";
constexpr wchar_t kSettings[] =
    L"\xFEFF[MButtonSetting]\r\n0=HOLD F24\r\n1=1\r\n2=6\r\n3=0\r\n4=0\r\n5=\r\n6=1\r\n"
    L"7=HOLD F24.txt\r\n8=\r\n";
constexpr int kNoSettingsCommand = 10;  // an assignment whose save waits one second
constexpr int kExitCommand = 32782;

// A settings file time long before any test run: a later time means the program wrote it.
constexpr FILETIME kOldTime{0x00000000, 0x01C07385};  // 2001-01-01

std::string ScriptText() {
    std::string text = "KeyDown 135\r\n";
    for (int i = 0; i < 100; ++i) text += "Delay 100\r\n";
    return text + "KeyUp 135\r\n";
}

bool KeyDown(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

void SendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

class EndPathsTest : public RunningTresselTest {
  protected:
    EndPathsTest() : RunningTresselTest({.startAtSetUp = false, .recorder = true}) {}

    void BeforeStart() override {
        std::ofstream(std::filesystem::path(folder_) / L"ScriptsMacros" / kScript, std::ios::binary)
            << ScriptText();
    }

    // The settings file as a run begins, dated long ago.
    void WriteSettings() const {
        std::ofstream(std::filesystem::path(iniPath_), std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(kSettings), sizeof kSettings - sizeof(wchar_t));
        ASSERT_TRUE(SetWrittenTime(kOldTime));
    }

    void TearDown() override {
        RunningTresselTest::TearDown();
        // Should the program have left the macro's key down, it must not stay down for the
        // tests that follow.
        if (KeyDown(VK_F24)) SendKey(VK_F24, true);
    }

    bool SetWrittenTime(const FILETIME& time) const {
        UniqueFileHandle file(CreateFileW(iniPath_.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        return file && SetFileTime(file.get(), nullptr, nullptr, &time);
    }

    bool SettingsWritten() const {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(iniPath_.c_str(), GetFileExInfoStandard, &data)) return false;
        return CompareFileTime(&data.ftLastWriteTime, &kOldTime) != 0;
    }

    void Start() {
        ASSERT_NO_FATAL_FAILURE(StartTressel());
        wchar_t caption[32] = {};
        GetDlgItemTextW(window_, 1001, caption, 32);
        ASSERT_STREQ(caption, L"HOLD F24") << "the settings file was not loaded";
    }

    // A point of the skin away from every control: a click there activates the window.
    POINT SkinPoint() const {
        RECT r{};
        GetWindowRect(window_, &r);
        return {r.left + 60, r.top + 60};
    }

    void BringToFront() {
        const POINT at = SkinPoint();
        ASSERT_TRUE(PhysicalInput::MoveTo(at.x, at.y));
        ASSERT_TRUE(PhysicalInput::Click(x11_button::kLeft));
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window_; }));
    }

    // The hooked middle button starts the macro; its press never reaches a window.
    void StartMacro() {
        ASSERT_TRUE(PhysicalInput::MoveTo(1000, 20));
        ASSERT_TRUE(PhysicalInput::Click(x11_button::kMiddle));
        ASSERT_TRUE(WaitUntil([] { return KeyDown(VK_F24); })) << "the macro did not start";
    }

    // An assignment through the window (M, the input selected last, gets its own job back):
    // its save now waits for the save timer (one second).
    void MakeChangePending() {
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(SendMessageTimeoutW(window_, WM_COMMAND, MAKEWPARAM(kNoSettingsCommand, 0), 0,
                                        SMTO_ABORTIFHUNG, 20000, &ignored));
    }

    // A key release; with Alt held (Alt+F4) it comes as WM_SYSKEYUP.
    static bool IsRelease(const RecordedEvent& e) {
        return e.message == WM_KEYUP || e.message == WM_SYSKEYUP;
    }
    std::string RecentKeys() const {
        std::string text;
        const auto events = recorder_.ReadEvents();
        for (std::size_t i = events.size() > 12 ? events.size() - 12 : 0; i < events.size(); ++i)
            if (events[i].kind == RecordedEvent::Key)
                text += std::to_string(events[i].vk) + "/" + std::to_string(events[i].message) +
                        (events[i].injected ? "i " : " ");
        return text;
    }

    // F24 releases the recorder has seen, injected ones (the program's) and others.
    int F24Releases() const {
        int count = 0;
        for (const RecordedEvent& e : recorder_.ReadEvents())
            if (e.kind == RecordedEvent::Key && e.vk == VK_F24 && IsRelease(e)) ++count;
        return count;
    }

    // The key the macro held was released once, by the ending program: anything released twice
    // would have come by the time the sentinel is seen.
    void ExpectReleasedOnce(int releasesBefore) {
        EXPECT_TRUE(recorder_.WaitFor([&](const auto&) { return F24Releases() > releasesBefore; }))
            << "the held key was not released";
        EXPECT_FALSE(KeyDown(VK_F24));
        ASSERT_TRUE(PhysicalInput::KeyPress("shift"));
        ASSERT_TRUE(recorder_.WaitFor([](const Recorder::Events& events) {
            return !events.empty() && IsRelease(events.back()) &&
                   (events.back().vk == VK_LSHIFT || events.back().vk == VK_SHIFT);
        })) << RecentKeys();
        EXPECT_EQ(F24Releases(), releasesBefore + 1);
        if (KeyDown(VK_F24)) SendKey(VK_F24, true);
    }
};

struct EndPath {
    const char* name;
    std::function<void(EndPathsTest&, HWND, DWORD)> end;
    bool alwaysSaves;
};

// The window menu ("system menu"). On Windows a right click on the skin opens it, because the
// skin answers WM_NCHITTEST with HTCAPTION; Wine's default WM_CONTEXTMENU processing does its
// own hit test instead, finds no caption and opens nothing. Alt+Space opens the same menu.
bool OpenSystemMenu(DWORD processId) {
    return PhysicalInput::KeyPress("alt+space") &&
           WaitUntil([&] { return !VisibleMenuWindows(processId).empty(); });
}

const EndPath kEndPaths[] = {
    {"tray Exit",
     [](EndPathsTest&, HWND w, DWORD) {
         PostMessageW(w, WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0);
     },
     true},
    {"Esc", [](EndPathsTest&, HWND, DWORD) { ASSERT_TRUE(PhysicalInput::KeyPress("Escape")); },
     false},
    {"Alt+F4", [](EndPathsTest&, HWND, DWORD) { ASSERT_TRUE(PhysicalInput::KeyPress("alt+F4")); },
     false},
    {"system menu Close",
     [](EndPathsTest&, HWND, DWORD pid) {
         ASSERT_TRUE(OpenSystemMenu(pid)) << "no system menu";
         ASSERT_TRUE(PhysicalInput::KeyPress("c"));
     },
     false},
    {"end of the session",
     [](EndPathsTest&, HWND w, DWORD) {
         DWORD_PTR answer = 0;
         ASSERT_TRUE(
             SendMessageTimeoutW(w, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 20000, &answer));
         EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the program held the end up";
         // The program ends while it handles this; the call's result says nothing.
         SendMessageTimeoutW(w, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 20000, &answer);
     },
     false},
};

TEST_F(EndPathsTest, EachPathEndsCleanlyWhileAMacroPlays) {
    for (const EndPath& path : kEndPaths) {
        for (const bool pending : {false, true}) {
            SCOPED_TRACE(std::string(path.name) +
                         (pending ? ", save pending" : ", nothing pending"));
            ASSERT_NO_FATAL_FAILURE(WriteSettings());
            ASSERT_NO_FATAL_FAILURE(Start());
            ASSERT_NO_FATAL_FAILURE(BringToFront());
            ASSERT_NO_FATAL_FAILURE(StartMacro());
            if (pending) {
                ASSERT_NO_FATAL_FAILURE(MakeChangePending());
            }
            ASSERT_TRUE(KeyDown(VK_F24)) << "the macro ended before the program";
            const int releasesBefore = F24Releases();
            ASSERT_NO_FATAL_FAILURE(path.end(*this, window_, app_.Id()));

            DWORD exitCode = 99;
            ASSERT_TRUE(app_.WaitForExit(exitCode)) << "the program did not end";
            EXPECT_EQ(exitCode, 0u) << "3: a GDI+ object outlived GDI+";
            EXPECT_EQ(SettingsWritten(), pending || path.alwaysSaves);
            ASSERT_NO_FATAL_FAILURE(ExpectReleasedOnce(releasesBefore));
        }
    }
}

// A crash on any thread, here one the test starts in the program at an address that holds no
// code: the key the macro holds is released before the crash ends the process.
TEST_F(EndPathsTest, ACrashReleasesWhatTheMacroHolds) {
    ASSERT_NO_FATAL_FAILURE(WriteSettings());
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(BringToFront());
    ASSERT_NO_FATAL_FAILURE(StartMacro());
    const int releasesBefore = F24Releases();
    const auto noCode = reinterpret_cast<LPTHREAD_START_ROUTINE>(std::uintptr_t{16});
    UniqueKernelHandle thread(
        CreateRemoteThread(app_.Handle(), nullptr, 0, noCode, nullptr, 0, nullptr));
    ASSERT_TRUE(thread) << GetLastError();
    DWORD exitCode = 0;
    ASSERT_TRUE(app_.WaitForExit(exitCode)) << "the crash did not end the program";
    EXPECT_NE(exitCode, 0u) << "a crash ended like a normal end";
    ASSERT_NO_FATAL_FAILURE(ExpectReleasedOnce(releasesBefore));
}

}  // namespace
}  // namespace tressel::testing
