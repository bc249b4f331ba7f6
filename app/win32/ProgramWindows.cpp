#include "app/win32/ProgramWindows.h"

#include <dwmapi.h>

#include <algorithm>

#include "app/win32/ProgramImage.h"
#include "programs/ProgramFileName.h"

namespace tressel {
namespace {

// Windows 8 and later keep some windows that are "visible" out of sight: the Store apps'
// suspended frames, windows on other virtual desktops. DwmGetWindowAttribute with
// DWMWA_CLOAKED tells them (nonzero when cloaked; learn.microsoft.com/windows/win32/api/dwmapi/
// ne-dwmapi-dwmwindowattribute). Looked up by name: the program links no DWM library, and a
// system without the attribute answers an error, which counts as not cloaked.
bool IsCloaked(HWND window) {
    using GetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
    static const GetAttributeFn getAttribute = [] {
        const HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return dwm ? reinterpret_cast<GetAttributeFn>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")))
                   : nullptr;
    }();
    if (!getAttribute) return false;
    DWORD cloaked = 0;
    return SUCCEEDED(getAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked;
}

// A window a user sees as a program's: shown, owned by no other window (dialogs and tool
// palettes are), no tool window ("A tool window does not appear in the taskbar or in the dialog
// that appears when the user presses ALT+TAB": learn.microsoft.com/windows/win32/winmsg/
// extended-window-styles) and with a title.
bool IsProgramWindow(HWND window) {
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return false;
    if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return false;
    if (GetWindowTextLengthW(window) == 0) return false;
    return !IsCloaked(window);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<RunningProgram> ProgramsWithWindows(DWORD leftOut) {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<RunningProgram> programs;
    std::vector<std::wstring> folded;
    for (HWND window : windows) {
        if (!IsProgramWindow(window)) continue;
        DWORD processId = 0;
        if (!GetWindowThreadProcessId(window, &processId) || processId == leftOut) continue;
        const DWORD programProcess = ProgramProcessOf(window, processId);
        if (programProcess == leftOut) continue;
        std::wstring path = ImagePathOf(programProcess);
        if (path.empty()) continue;
        std::wstring fileName = FileNameOfPath(path);
        std::wstring key = FoldProgramName(fileName);
        if (std::find(folded.begin(), folded.end(), key) != folded.end()) continue;
        folded.push_back(std::move(key));
        programs.push_back({std::move(fileName), std::move(path)});
    }
    return programs;
}

}  // namespace tressel
