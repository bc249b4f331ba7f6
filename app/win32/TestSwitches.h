#pragma once
// Switches of the test build only (TRESSEL_TEST_SWITCHES; never in what users download), for
// what Wine cannot show: under Wine every process runs at one integrity level, and Wine 8 sends
// no EVENT_SYSTEM_FOREGROUND to an out-of-context WinEvent hook (tried: none for
// SetForegroundWindow within the process or to another one, none when a new program's window
// came to the front), and Wine's shell takes a notification icon from the first moment, where
// Windows' may not be ready yet at sign-in, and Wine 8 refuses SPI_SETHIGHCONTRAST
// (ERROR_INVALID_SPI_VALUE), so no test turns high contrast on; and for what a test cannot hit
// in time with input from outside. Each is an environment variable the program reads.

#include <windows.h>

#include <objbase.h>

#include <cwchar>

namespace tressel::test_switches {
namespace detail {
inline unsigned long EnvironmentNumber([[maybe_unused]] const wchar_t* name) {
#ifdef TRESSEL_TEST_SWITCHES
    wchar_t value[32] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 32);
    if (length == 0 || length >= 32) return 0;
    return std::wcstoul(value, nullptr, 10);
#else
    return 0;
#endif
}

// The event named by the environment variable `name`, opened for waiting; null when the
// variable or the event is not there (and always in a release build).
inline HANDLE NamedEvent([[maybe_unused]] const wchar_t* name) {
#ifdef TRESSEL_TEST_SWITCHES
    wchar_t value[128] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 128);
    if (length == 0 || length >= 128) return nullptr;
    return OpenEventW(SYNCHRONIZE, FALSE, value);
#else
    return nullptr;
#endif
}
}  // namespace detail

// TRESSEL_TEST_HIGHER_INTEGRITY_PID=<process id>: that process counts as running at a higher
// integrity level than this one.
inline bool CountsAsHigherIntegrity(DWORD processId) {
    const unsigned long pid = detail::EnvironmentNumber(L"TRESSEL_TEST_HIGHER_INTEGRITY_PID");
    return pid != 0 && pid == processId;
}

// TRESSEL_TEST_FOREGROUND_POLL_MS=<n>: the window in front is also looked at every n ms, in
// place of the foreground events Wine does not send. Unset: never.
inline unsigned ForegroundPollMs() {
    return static_cast<unsigned>(detail::EnvironmentNumber(L"TRESSEL_TEST_FOREGROUND_POLL_MS"));
}

// TRESSEL_TEST_HOLD_EVENT=<name>: while an event of that name exists, each pause of the
// program's synthesised input (between a click's press and its release, with the hook of the
// input it imitates lifted) lasts until the event is set, 20 s at most, in place of its
// milliseconds. True when the pause was held so.
inline bool HeldByTestEvent() {
    HANDLE event = detail::NamedEvent(L"TRESSEL_TEST_HOLD_EVENT");
    if (!event) return false;
    WaitForSingleObject(event, 20000);
    CloseHandle(event);
    return true;
}

// TRESSEL_TEST_TRAY_REFUSED_WHILE=<name>: the shell counts as refusing the notification icon
// while an event of that name exists.
inline bool TrayRefused() {
    HANDLE event = detail::NamedEvent(L"TRESSEL_TEST_TRAY_REFUSED_WHILE");
    if (!event) return false;
    CloseHandle(event);
    return true;
}

// TRESSEL_TEST_HIGH_CONTRAST_WHILE=<name>: high contrast counts as on while an event of that
// name exists.
inline bool HighContrastOn() {
    HANDLE event = detail::NamedEvent(L"TRESSEL_TEST_HIGH_CONTRAST_WHILE");
    if (!event) return false;
    CloseHandle(event);
    return true;
}

// The COM apartment (APTTYPE) of the window's thread before its first window, or -1 without COM:
// Wine's input method support initialises COM by itself on a thread once one of its windows is
// activated, so a later look cannot tell whether the program did. The test build notes it when
// the dialog is about to be created and answers it on request.
inline long& StartApartment() {
    static long apartment = -1;
    return apartment;
}
inline void NoteStartApartment() {
#ifdef TRESSEL_TEST_SWITCHES
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    StartApartment() = SUCCEEDED(CoGetApartmentType(&type, &qualifier)) ? type : -1;
#endif
}

}  // namespace tressel::test_switches
