#include "wine/support/TresselProcess.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <filesystem>

#include "wine/support/StartProcess.h"
#include "wine/support/UnixFiles.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

std::wstring OutDir() { return DosPathOf(TRESSEL_OUT_DIR); }  // a Unix path

struct FindContext {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM lParam) {
    auto* context = reinterpret_cast<FindContext*>(lParam);
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == context->processId && lstrcmpW(title, L"Tressel-corvane") == 0) {
        context->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM lParam) {
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    if (lstrcmpW(title, L"Tressel-corvane") == 0) ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

}  // namespace

std::wstring MakeTestInstallation(const std::wstring& name) {
    namespace fs = std::filesystem;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const fs::path folder =
        fs::path(temp) / (L"tressel-" + name + L"-" + std::to_wstring(GetCurrentProcessId()));
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    fs::copy(fs::path(OutDir()), folder, fs::copy_options::recursive, ignored);
    fs::remove(folder / L"ZornSetting.ini", ignored);
    return folder.wstring();
}

void ForgetUserSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Corvane Tressel");
    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                      KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueW(run, L"ZornApplication");
        RegCloseKey(run);
    }
}

TresselProcess TresselProcess::Start(const std::wstring& folder, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + folder + L"\\Tressel.exe\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    return Launch(commandLine, folder.c_str());
}

TresselProcess TresselProcess::StartCommand(const std::wstring& commandLine) {
    return Launch(commandLine, nullptr);
}

TresselProcess TresselProcess::Launch(const std::wstring& commandLine,
                                      const wchar_t* currentFolder) {
    StartedProcess started = StartProcess(commandLine, currentFolder);
    TresselProcess process;
    process.process_ = std::move(started.process);
    process.id_ = started.processId;
    return process;
}

TresselProcess::~TresselProcess() { Terminate(); }

HWND TresselProcess::WaitForWindow(std::chrono::milliseconds timeout) {
    FindContext context{id_, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(&FindMainWindow, reinterpret_cast<LPARAM>(&context));
            return context.found != nullptr;
        },
        timeout);
    return context.found;
}

bool TresselProcess::WaitForStartUp(HWND window, std::chrono::milliseconds timeout) {
    if (!WaitUntil([&] { return TrayIconPresent(window); }, timeout)) return false;
    return WaitForInputIdle(process_.get(), static_cast<DWORD>(timeout.count())) == 0;
}

bool TresselProcess::WaitForExit(DWORD& exitCode, std::chrono::milliseconds timeout) {
    if (!process_) return false;
    const bool ended = WaitUntil([&] { return !Running(); }, timeout);
    if (ended) GetExitCodeProcess(process_.get(), &exitCode);
    return ended;
}

bool TresselProcess::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

void TresselProcess::Terminate() {
    if (Running()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 10000);
    }
}

bool TrayIconPresent(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = 100;
    data.uFlags = NIF_TIP;
    lstrcpyW(data.szTip, L"Tressel V3.4");
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

POINT TrayIconCentre() {
    RECT bar{};
    GetWindowRect(FindWindowW(L"Shell_TrayWnd", nullptr), &bar);
    const int slot = GetSystemMetrics(SM_CXSMICON) + 4;
    return {bar.right - slot / 2, (bar.top + bar.bottom) / 2};
}

void PostTrayEvent(HWND window, UINT event, POINT anchor) {
    PostMessageW(window, WM_USER + 100,
                 MAKEWPARAM(static_cast<WORD>(anchor.x), static_cast<WORD>(anchor.y)),
                 MAKELPARAM(event, 100));
}

int CountMainWindows() {
    int count = 0;
    EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

LRESULT PassingInputs(HWND window) {
    DWORD_PTR bits = 0;
    SendMessageTimeoutW(window, RegisterWindowMessageW(L"Tressel test: passing inputs"), 0, 0,
                        SMTO_ABORTIFHUNG, 2000, &bits);
    return static_cast<LRESULT>(bits);
}

}  // namespace tressel::testing
