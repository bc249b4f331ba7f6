#include "wine/support/GuiObjectCounts.h"

#include <winternl.h>

#include <cstddef>
#include <vector>

#include "framework/UniqueHandle.h"

namespace tressel::testing {
namespace {

// One entry of the shared GDI handle table (x64 layout, the same in Windows and Wine).
struct GdiHandleEntry {
    unsigned long long object;
    unsigned int owner;
    unsigned short unique;
    unsigned char type;
    unsigned char flags;
    unsigned long long userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr std::size_t kGdiTableEntries = 0x10000;
constexpr std::size_t kPebGdiSharedHandleTable = 0xF8;  // offset in the x64 PEB

long CountGdiTableEntries(HANDLE process) {
    // Looked up at run time: the test programs do not link ntdll's import library.
    using QueryFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto query = ntdll ? reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
                             GetProcAddress(ntdll, "NtQueryInformationProcess")))
                       : nullptr;
    if (!query) return -1;
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (query(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0 ||
        !basic.PebBaseAddress)
        return -1;
    void* table = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(
            process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiSharedHandleTable,
            &table, sizeof table, &read) ||
        !table)
        return -1;
    std::vector<GdiHandleEntry> entries(kGdiTableEntries);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof entries[0],
                           &read))
        return -1;
    long count = 0;
    for (const GdiHandleEntry& entry : entries)
        if (entry.type != 0) ++count;
    return count;
}

struct WindowCount {
    DWORD processId;
    long count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM lParam) {
    auto* context = reinterpret_cast<WindowCount*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == context->processId) ++context->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM lParam) {
    auto* context = reinterpret_cast<WindowCount*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == context->processId) {
        ++context->count;
        EnumChildWindows(window, &CountChild, lParam);
    }
    return TRUE;
}

}  // namespace

GuiObjectCounts CountGuiObjects(DWORD processId) {
    GuiObjectCounts counts;
    UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return counts;
    SetLastError(0);
    const DWORD gdi = GetGuiResources(process.get(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(process.get(), GR_USEROBJECTS);
    if (gdi != 0 && user != 0) {
        counts.gdi = static_cast<long>(gdi);
        counts.user = static_cast<long>(user);
        counts.fromSystem = true;
        return counts;
    }
    counts.gdi = CountGdiTableEntries(process.get());
    WindowCount windows{processId, 0};
    EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    counts.user = windows.count;
    return counts;
}

GuiObjectCounts SettledGuiObjects(DWORD processId, std::chrono::milliseconds quiet,
                                  std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    GuiObjectCounts last = CountGuiObjects(processId);
    auto stableSince = Clock::now();
    while (last.gdi >= 0 && Clock::now() < deadline) {
        if (Clock::now() - stableSince >= quiet) return last;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
        const GuiObjectCounts now = CountGuiObjects(processId);
        if (now.gdi != last.gdi || now.user != last.user) stableSince = Clock::now();
        last = now;
    }
    last.gdi = -1;
    return last;
}

}  // namespace tressel::testing
