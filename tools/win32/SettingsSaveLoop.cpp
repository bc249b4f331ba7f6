// Saves the settings file again and again for the crash-safety test, which kills it at random
// moments. Modes:
//   SettingsSaveLoop once <A|B> <settings file>           one save of configuration A or B
//   SettingsSaveLoop loop <settings file> <mapping name> [in-place]
//        saves A, B, A, ... forever; after each completed save increments the 32-bit counter in
//        the named file mapping. "in-place" writes the sections straight into the file instead
//        (the unsafe way, to show what the test catches).
#include <windows.h>

#include <array>
#include <string>

#include "config/SettingsFile.h"
#include "framework/UniqueHandle.h"
#include "seam/win32/Win32FileSystem.h"
#include "seam/win32/Win32ProfileStore.h"
#include "tests/fakes/MemorySettingsHost.h"

namespace tressel {
namespace {

using testing::MemorySettingsHost;

void Configure(MemorySettingsHost& host, bool second) {
    for (const ButtonInfo& info : kButtonInfo)
        host.captions[ToIndex(info.id)] = info.defaultCaption;
    if (!second) {
        host.captions[0] = L"Copy";
        host.records[0] = {true, CtrlChord, 0x43, 0, L"", KeyOrCommand, L"", L""};
        host.captions[4] = L"\u5de5\u5177";
        host.records[4] = {
            true,         Launch, 0,        0, L"C:\\Users\\J\u00f6rg\\\u5de5\u5177\\app.exe",
            KeyOrCommand, L"",    L"note A"};
    } else {
        host.captions[0] = L"Paste";
        host.records[0] = {true, CtrlChord, 0x56, 0, L"", KeyOrCommand, L"", L"second"};
        host.captions[2] = L"Triple shot";
        host.records[2] = {
            true, Script, 0, 0, L"", KeyOrCommand, L"TRIPLE SHOT.txt", std::wstring(300, L'n')};
        host.captions[5] = L"Middle Click";
        host.records[5] = {true, 0, 0, MiddleClick, L"", MouseButton, L"", L""};
    }
}

struct MappedCounter {
    explicit MappedCounter(const std::wstring& name)
        : mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, name.c_str())),
          view(mapping ? static_cast<volatile LONG*>(
                             MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(LONG)))
                       : nullptr) {}
    ~MappedCounter() {
        if (view) UnmapViewOfFile(const_cast<LONG*>(view));
    }
    MappedCounter(const MappedCounter&) = delete;
    MappedCounter& operator=(const MappedCounter&) = delete;

    UniqueKernelHandle mapping;
    volatile LONG* view;
};

int SaveOnce(bool second, const std::wstring& path) {
    MemorySettingsHost host;
    Configure(host, second);
    Win32ProfileStore profiles;
    Win32FileSystem files;
    return SaveButtonSettings(host, profiles, files, path) ? 0 : 1;
}

int SaveForever(const std::wstring& path, const std::wstring& mappingName, bool inPlace) {
    MappedCounter counter(mappingName);
    if (!counter.view) return 2;
    std::array<MemorySettingsHost, 2> hosts;
    Configure(hosts[0], false);
    Configure(hosts[1], true);
    Win32ProfileStore profiles;
    Win32FileSystem files;
    for (unsigned round = 0;; ++round) {
        MemorySettingsHost& host = hosts[round % 2];
        const bool saved = inPlace ? WriteButtonSections(host, profiles, path)
                                   : SaveButtonSettings(host, profiles, files, path).Saved();
        if (!saved) return 3;
        InterlockedIncrement(counter.view);
    }
}

}  // namespace
}  // namespace tressel

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"once" && argc == 4)
        return tressel::SaveOnce(std::wstring(argv[2]) == L"B", argv[3]);
    if (mode == L"loop" && (argc == 4 || argc == 5)) {
        return tressel::SaveForever(argv[2], argv[3],
                                    argc == 5 && std::wstring(argv[4]) == L"in-place");
    }
    return 64;
}
