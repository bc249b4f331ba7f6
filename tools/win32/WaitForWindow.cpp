// Waits until a top-level window with the given title exists and is visible, then exits 0;
// exits 1 when the timeout (seconds) passes first. Used by tools/run.sh before a screenshot.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const DWORD timeoutMs = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) * 1000 : 30000;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND window = FindWindowW(nullptr, argv[1]);
        if (window && IsWindowVisible(window)) {
            // Let the window finish its first paint before anyone looks at it.
            DWORD_PTR ignored;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
            return 0;
        }
        Sleep(50);
    }
    return 1;
}
