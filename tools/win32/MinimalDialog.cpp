// The smallest Win32 dialog program: one modal dialog from an in-memory template with an OK
// button, nothing else. The footprint benchmark measures Tressel against it in the same run.
#include <windows.h>

#include <cstring>

namespace {

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(window, 0);
        return TRUE;
    }
    return FALSE;
}

// A DLGTEMPLATE with its title and one item, each part aligned as the format requires.
struct alignas(4) Template {
    DLGTEMPLATE dialog;
    WORD menu, windowClass;
    wchar_t title[15];
    alignas(4) DLGITEMTEMPLATE button;
    WORD buttonClass[2];
    wchar_t buttonText[3];
    WORD creationData;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    Template t{};
    t.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER | DS_MODALFRAME;
    t.dialog.cdit = 1;
    t.dialog.cx = 160;
    t.dialog.cy = 60;
    std::memcpy(t.title, L"Minimal dialog", sizeof t.title);
    t.button.style = WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON;
    t.button.x = 55;
    t.button.y = 20;
    t.button.cx = 50;
    t.button.cy = 14;
    t.button.id = IDOK;
    t.buttonClass[0] = 0xFFFF;
    t.buttonClass[1] = 0x0080;  // button
    std::memcpy(t.buttonText, L"OK", sizeof t.buttonText);
    return static_cast<int>(DialogBoxIndirectParamW(instance, &t.dialog, nullptr, DialogProc, 0));
}
