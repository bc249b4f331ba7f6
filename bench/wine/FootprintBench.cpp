// Footprint of a running Tressel against the smallest Win32 dialog program (tools/win32/
// MinimalDialog), measured in the same run under Wine and reported as ratios:
//  - start-up: from CreateProcess to a visible main window (Tressel started shown);
//  - idle resident memory (working set) once it has settled: Tressel shown, Tressel hidden as
//    Windows starts it at logon ("-run"), and the minimal dialog;
//  - the show from the tray of the hidden instance: "Show Application" until the window is
//    visible and painted (UpdateWindow sends the pending paint and returns when it is done).
// Each program runs alone, from a fresh installation, alternating, several rounds; medians.
// Run: tools/wine-run.sh build/windows/wine-bin/FootprintBench.exe [rounds]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "wine/support/TresselProcess.h"
#include "wine/support/WaitUntil.h"

namespace {

using namespace tressel::testing;
using namespace std::chrono_literals;

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::wstring FolderOfThisExe() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path().wstring();
}

double WorkingSetMb(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// The working set once it stops changing: five samples 200 ms apart within 1 % of each other
// (at most 15 s).
double SettledWorkingSetMb(HANDLE process) {
    std::vector<double> samples;
    const double deadline = Now() + 15;
    while (Now() < deadline) {
        samples.push_back(WorkingSetMb(process));
        if (samples.size() >= 5) {
            const auto last = samples.end() - 5;
            const auto [low, high] = std::minmax_element(last, samples.end());
            if (*high - *low <= *high * 0.01) return *high;
        }
        WaitUntil([] { return false; }, 200ms);
    }
    return samples.empty() ? -1 : samples.back();
}

HWND VisibleWindowOf(DWORD processId, const wchar_t* title) {
    HWND window = FindWindowW(nullptr, title);
    DWORD owner = 0;
    if (window) GetWindowThreadProcessId(window, &owner);
    return window && owner == processId && IsWindowVisible(window) ? window : nullptr;
}

struct Sample {
    double startSeconds = -1;
    double idleMb = -1;
    double showSeconds = -1;
};

constexpr WPARAM kShowApplication = 32780;

Sample MeasureTressel(const std::wstring& folder, bool hidden) {
    Sample sample;
    const double start = Now();
    TresselProcess app = TresselProcess::Start(folder, hidden ? L"-run" : L"");
    if (!hidden) {
        if (!WaitUntil([&] { return VisibleWindowOf(app.Id(), L"Tressel-corvane") != nullptr; }))
            return sample;
        sample.startSeconds = Now() - start;
    }
    HWND window = app.WaitForWindow();
    if (!window || !app.WaitForStartUp(window)) return sample;
    sample.idleMb = SettledWorkingSetMb(app.Handle());
    if (hidden) {
        const double show = Now();
        PostMessageW(window, WM_COMMAND, kShowApplication, 0);
        if (WaitUntil([&] { return IsWindowVisible(window) != FALSE; })) {
            UpdateWindow(window);
            sample.showSeconds = Now() - show;
        }
    }
    app.Terminate();
    return sample;
}

Sample MeasureMinimalDialog() {
    Sample sample;
    std::wstring command = L"\"" + FolderOfThisExe() + L"\\MinimalDialog.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double start = Now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return sample;
    tressel::UniqueKernelHandle process(info.hProcess);
    tressel::UniqueKernelHandle thread(info.hThread);
    if (WaitUntil([&] { return VisibleWindowOf(info.dwProcessId, L"Minimal dialog") != nullptr; }))
        sample.startSeconds = Now() - start;
    WaitForInputIdle(process.get(), 10000);
    sample.idleMb = SettledWorkingSetMb(process.get());
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
    return sample;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;
    const std::wstring folder = MakeTestInstallation(L"footprint");
    std::vector<double> tresselStart, minimalStart, shownMb, hiddenMb, minimalMb, showFromTray;
    for (int round = 0; round < rounds; ++round) {
        ForgetUserSettings();
        const Sample minimal = MeasureMinimalDialog();
        const Sample shown = MeasureTressel(folder, false);
        const Sample hidden = MeasureTressel(folder, true);
        std::printf(
            "round %d: start %.3f s / %.3f s; idle shown %.1f MB, hidden %.1f MB, "
            "minimal %.1f MB; show from tray %.1f ms\n",
            round + 1, shown.startSeconds, minimal.startSeconds, shown.idleMb, hidden.idleMb,
            minimal.idleMb, hidden.showSeconds * 1000);
        showFromTray.push_back(hidden.showSeconds);
        tresselStart.push_back(shown.startSeconds);
        minimalStart.push_back(minimal.startSeconds);
        shownMb.push_back(shown.idleMb);
        hiddenMb.push_back(hidden.idleMb);
        minimalMb.push_back(minimal.idleMb);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    ForgetUserSettings();

    const double ts = Median(tresselStart), ms = Median(minimalStart);
    const double sm = Median(shownMb), hm = Median(hiddenMb), mm = Median(minimalMb);
    std::printf("start-up to a visible window: Tressel %.0f ms, minimal dialog %.0f ms: %.2fx\n",
                ts * 1000, ms * 1000, ms > 0 ? ts / ms : 0);
    std::printf(
        "idle resident memory: Tressel shown %.1f MB (%.2fx), hidden %.1f MB (%.2fx), "
        "minimal dialog %.1f MB\n",
        sm, mm > 0 ? sm / mm : 0, hm, mm > 0 ? hm / mm : 0, mm);
    std::printf("show from the tray (hidden instance, until painted): %.1f ms\n",
                Median(showFromTray) * 1000);
    return 0;
}
