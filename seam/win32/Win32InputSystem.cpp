#include "seam/win32/Win32InputSystem.h"

#include <mmsystem.h>

#include <vector>

#include "actions/KeyScanCodes.h"
#include "app/win32/TestSwitches.h"
#include "framework/UniqueHandle.h"

// CreateWaitableTimerExW (learn.microsoft.com/windows/win32/api/synchapi/
// nf-synchapi-createwaitabletimerexw): this flag asks for a high-resolution timer, meant for
// waits where a few milliseconds too many are unacceptable; supported from Windows 10 1803 on.
// Earlier systems reject the unknown flag (the call returns NULL, ERROR_INVALID_PARAMETER),
// which is how its absence shows; the caller then falls back. mingw's headers lack the name.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace tressel {
namespace {

// timeBeginPeriod / timeEndPeriod (learn.microsoft.com/windows/win32/api/timeapi/
// nf-timeapi-timebeginperiod): every call must be matched by a timeEndPeriod with the same
// value. Before Windows 10 2004 the setting is global (and costs power system-wide); from 2004
// on it applies to the processes that ask; from Windows 11 on it is not guaranteed while the
// process's windows are hidden, as a tray program's usually are. Hence only the fallback, and
// held only while a run plays.
constexpr UINT kTimerResolutionMs = 1;

class Win32PreciseTimer : public PreciseTimer {
  public:
    explicit Win32PreciseTimer(UniqueKernelHandle timer) : timer_(std::move(timer)) {}

    // Some Windows 10 builds create the timer but refuse to set it: false, and the caller
    // falls back.
    bool Wait(std::uint32_t milliseconds) override {
        if (milliseconds == 0) {
            ::Sleep(0);  // as before: gives up the rest of the time slice
            return true;
        }
        // SetWaitableTimer (learn.microsoft.com/windows/win32/api/synchapi/
        // nf-synchapi-setwaitabletimer): a negative due time is relative, in 100 ns units.
        LARGE_INTEGER due{};
        due.QuadPart = -10'000LL * static_cast<LONGLONG>(milliseconds);
        return ::SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE) &&
               ::WaitForSingleObject(timer_.get(), INFINITE) == WAIT_OBJECT_0;
    }

  private:
    UniqueKernelHandle timer_;
};

}  // namespace

INPUT Win32InputSystem::ToInput(const InputRecord& record) {
    INPUT input{};
    if (record.type == InputRecord::Keyboard) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = record.virtualKey;
        input.ki.wScan = record.scanCode;
        input.ki.dwFlags = record.keyFlags;
        if (record.scanCode == 0 && record.virtualKey != 0) {
            // The layout's scan code (learn.microsoft.com/windows/win32/api/winuser/
            // nf-winuser-mapvirtualkeyw); the virtual-key code stays what the event means (no
            // KEYEVENTF_SCANCODE).
            const KeyScanCode scan = ScanCodeFor(
                record.virtualKey, ::MapVirtualKeyW(record.virtualKey, MAPVK_VK_TO_VSC_EX));
            input.ki.wScan = scan.code;
            if (scan.extended) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        }
        input.ki.time = record.time;
        input.ki.dwExtraInfo = record.extraInfo;
    } else {
        input.type = INPUT_MOUSE;
        input.mi.dx = record.dx;
        input.mi.dy = record.dy;
        // mouseData is a DWORD; a wheel's negative delta travels as its two's complement.
        input.mi.mouseData = static_cast<DWORD>(record.mouseData);
        input.mi.dwFlags = record.mouseFlags;
        input.mi.time = record.time;
        input.mi.dwExtraInfo = record.extraInfo;
    }
    return input;
}

std::uint32_t Win32InputSystem::SendInput(std::span<const InputRecord> records) {
    std::vector<INPUT> inputs;
    inputs.reserve(records.size());
    for (const InputRecord& record : records) inputs.push_back(ToInput(record));
    // The number of events inserted (learn.microsoft.com/windows/win32/api/winuser/
    // nf-winuser-sendinput). Input blocked by UIPI (a window of higher integrity) is not told
    // in the answer.
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Win32InputSystem::Sleep(std::uint32_t milliseconds) {
    if (!test_switches::HeldByTestEvent()) ::Sleep(milliseconds);
}

std::unique_ptr<PreciseTimer> Win32InputSystem::CreatePreciseTimer() {
    UniqueKernelHandle timer(::CreateWaitableTimerExW(
        nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS));
    if (!timer) return nullptr;
    return std::make_unique<Win32PreciseTimer>(std::move(timer));
}

bool Win32InputSystem::RaiseTimerResolution() {
    return ::timeBeginPeriod(kTimerResolutionMs) == TIMERR_NOERROR;
}

void Win32InputSystem::LowerTimerResolution() { ::timeEndPeriod(kTimerResolutionMs); }

Point Win32InputSystem::GetCursorPos() {
    POINT point{};
    ::GetCursorPos(&point);  // on failure the position stays (0, 0)
    return {point.x, point.y};
}

Rect Win32InputSystem::VirtualScreen() {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::uintptr_t Win32InputSystem::GetMessageExtraInfo() {
    return static_cast<std::uintptr_t>(::GetMessageExtraInfo());
}

}  // namespace tressel
