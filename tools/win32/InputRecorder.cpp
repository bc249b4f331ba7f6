// Records every low-level mouse and keyboard event of the session, one line per event, into the
// file named on the command line: InputRecorder.exe <log file>
// It writes "ready" once both hooks are set and passes every event on (it never swallows).
// Since low-level hooks are called newest first, it sees everything that hooks installed
// before it let through. It ends on WM_QUIT to its main thread (or when killed).
//
//   mouse msg=0x020B x=10 y=20 data=0x00020000 delta=2 flags=0x00000001 injected=1 extra=0x0
//   key msg=0x0100 vk=0x43 scan=0x2E flags=0x00000010 injected=1 extra=0x0
// For a mouse event, delta is HIWORD(mouseData) as a signed number (wheel delta, extra button).

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "framework/UniqueHandle.h"

namespace {

HANDLE gLog = INVALID_HANDLE_VALUE;

// One WriteFile per line, so that readers never see half a line buffered in this process.
void WriteLine(const char* line) {
    DWORD written = 0;
    WriteFile(gLog, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
}

LRESULT CALLBACK MouseProc(int code, WPARAM message, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto& e = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        char line[256];
        std::snprintf(line, sizeof line,
                      "mouse msg=0x%04X x=%ld y=%ld data=0x%08lX delta=%d flags=0x%08lX "
                      "injected=%d extra=0x%llX\n",
                      static_cast<unsigned>(message), e.pt.x, e.pt.y, e.mouseData,
                      static_cast<short>(HIWORD(e.mouseData)), e.flags,
                      (e.flags & LLMHF_INJECTED) ? 1 : 0,
                      static_cast<unsigned long long>(e.dwExtraInfo));
        WriteLine(line);
    }
    return CallNextHookEx(nullptr, code, message, lParam);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM message, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto& e = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        char line[256];
        std::snprintf(line, sizeof line,
                      "key msg=0x%04X vk=0x%02lX scan=0x%02lX flags=0x%08lX injected=%d "
                      "extra=0x%llX\n",
                      static_cast<unsigned>(message), e.vkCode, e.scanCode, e.flags,
                      (e.flags & LLKHF_INJECTED) ? 1 : 0,
                      static_cast<unsigned long long>(e.dwExtraInfo));
        WriteLine(line);
    }
    return CallNextHookEx(nullptr, code, message, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: InputRecorder <log file>\n");
        return 2;
    }
    tressel::UniqueFileHandle log(
        CreateFileW(argv[1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log) return 3;
    gLog = log.get();
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // queue for WM_QUIT
    HMODULE self = GetModuleHandleW(nullptr);
    tressel::UniqueHook mouse(SetWindowsHookExW(WH_MOUSE_LL, MouseProc, self, 0));
    tressel::UniqueHook keyboard(SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, self, 0));
    if (!mouse || !keyboard) return 4;
    WriteLine("ready\n");
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    return 0;
}
