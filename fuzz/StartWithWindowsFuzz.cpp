// The start-with-Windows values: any "BootValue" text read as the C library reads a decimal
// number, and any Run entry text (with the same BootValue) and Task Manager's StartupApproved
// value (the input's bytes), from which a toggle must flip the state the tray menu shows.

#include <cstdlib>

#include "FuzzSupport.h"
#include "app/StartWithWindows.h"
#include "fakes/CallLog.h"
#include "fakes/FakeUserRegistry.h"

using namespace tressel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::Utf16Units(data, size);
    const std::wstring ascii = fuzz::AsciiWithoutNul(data, size);
    if (ParseDecimal(ascii) != fuzz::ReferenceDecimal(ascii.c_str())) std::abort();

    const std::wstring exe = L"C:\\Program Files\\Tressel\\Tressel.exe";
    testing::CallLog log;
    testing::FakeUserRegistry registry(log);
    registry.profile[std::wstring(kBootSection) + L"/" + kBootEntry] = text;
    registry.run[kRunValueName] = text;
    registry.approval[kRunValueName].assign(data, data + size);
    const bool before = IsStartWithWindowsOn(registry, exe);
    ToggleStartWithWindows(registry, exe);
    if (IsStartWithWindowsOn(registry, exe) == before) std::abort();
    return 0;
}
