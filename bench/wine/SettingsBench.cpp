// Times the settings file against the real profile functions: one load, one crash-safe save
// (temporary copy, flush, atomic rename), one plain save written in place, and one save attempt
// the file refuses (read-only, held open without sharing), each repeated. Prints milliseconds per
// operation, the longest single refused attempt (it runs on the window's thread: under 20 ms is
// the aim) and the ratios save/load, safe/in-place and refused/saved.
#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "config/SettingsFile.h"
#include "framework/UniqueHandle.h"
#include "seam/win32/Win32FileSystem.h"
#include "seam/win32/Win32ProfileStore.h"
#include "tests/fakes/MemorySettingsHost.h"

namespace tressel {
namespace {

using testing::MemorySettingsHost;

struct Timing {
    double mean = 0;
    double longest = 0;
};

// Every run timed alone, for the longest one.
template <typename Operation>
Timing TimeEachRun(int runs, Operation operation) {
    Timing timing;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        operation(i);
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        timing.mean += elapsed.count() / runs;
        timing.longest = std::max(timing.longest, elapsed.count());
    }
    return timing;
}

template <typename Operation>
double MillisecondsPerRun(int runs, Operation operation) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) operation(i);
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    return elapsed.count() / runs;
}

}  // namespace
}  // namespace tressel

int wmain(int argc, wchar_t** argv) {
    using namespace tressel;
    const int runs = argc > 1 ? _wtoi(argv[1]) : 200;
    wchar_t tempRoot[MAX_PATH];
    GetTempPathW(MAX_PATH, tempRoot);
    const std::filesystem::path folder =
        std::filesystem::path(tempRoot) /
        (L"tressel-bench-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    const std::wstring path = (folder / L"ZornSetting.ini").wstring();

    MemorySettingsHost host;
    for (const ButtonInfo& info : kButtonInfo)
        host.captions[ToIndex(info.id)] = info.defaultCaption;
    host.captions[0] = L"Copy";
    host.records[0] = {true, CtrlChord, 0x43, 0, L"", KeyOrCommand, L"", L""};
    host.records[4] = {true,         Launch, 0,        0, L"C:\\Program Files\\Editor\\editor.exe",
                       KeyOrCommand, L"",    L"a note"};
    Win32ProfileStore profiles;
    Win32FileSystem files;
    SaveButtonSettings(host, profiles, files, path);

    // Alternating values make every save a real change.
    const double save = MillisecondsPerRun(runs, [&](int i) {
        host.records[0].keyCode = static_cast<std::uint8_t>(0x41 + i % 2);
        SaveButtonSettings(host, profiles, files, path);
    });
    const double inPlace = MillisecondsPerRun(runs, [&](int i) {
        host.records[0].keyCode = static_cast<std::uint8_t>(0x41 + i % 2);
        WriteButtonSections(host, profiles, path);
    });
    MemorySettingsHost loaded;
    const double load =
        MillisecondsPerRun(runs, [&](int) { LoadButtonSettings(loaded, profiles, path); });

    // Refused attempts: each must fail, or the numbers time something else.
    bool allRefused = true;
    const auto refusedSave = [&](int i) {
        host.records[0].keyCode = static_cast<std::uint8_t>(0x41 + i % 2);
        allRefused = !SaveButtonSettings(host, profiles, files, path) && allRefused;
    };
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    const Timing readOnly = TimeEachRun(runs, refusedSave);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    Timing held;
    {
        UniqueFileHandle holder(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        held = TimeEachRun(runs, refusedSave);
    }

    std::printf("settings file, %d runs each, real profile functions\n", runs);
    std::printf("  load                 %8.3f ms\n", load);
    std::printf("  save (crash-safe)    %8.3f ms\n", save);
    std::printf("  save (in place)      %8.3f ms\n", inPlace);
    std::printf("  save/load            %8.2f\n", save / load);
    std::printf("  crash-safe/in-place  %8.2f\n", save / inPlace);
    std::printf("  refused, read-only   %8.3f ms, longest %8.3f ms, refused/saved %6.3f\n",
                readOnly.mean, readOnly.longest, readOnly.mean / save);
    std::printf("  refused, held        %8.3f ms, longest %8.3f ms, refused/saved %6.3f\n",
                held.mean, held.longest, held.mean / save);
    if (!allRefused) std::printf("  NOTE: an attempt meant to be refused saved\n");

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
