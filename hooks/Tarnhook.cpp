// One hook library per mouse input, built six times (TarnhookR ... TarnhookWU): the build
// defines TARNHOOK_INPUT_<X> and TARNHOOK_SUFFIX=<X>.
//
// installhook_<X>(window) starts a thread of the library's own that installs a WH_MOUSE_LL hook
// and runs a message loop for it, so the hook is served even while the program's user-interface
// thread pauses (a synthesised click sleeps 30 ms there). While installed, each physical press of
// the input posts the input's registered message to `window` and is swallowed together with its
// release; events that carry LLMHF_INJECTED (SendInput, the program's own synthesised clicks)
// pass untouched. unstallhook_<X> returns only once the hook is gone. passhook_<X>(1) lets the
// input's presses through to the program in front while the hook stays installed (the program
// there cannot be reached by synthesised input, or does the input's own job); passhook_<X>(0)
// takes them again. A press is decided when it comes: its release follows it either way.
// releaseseen_<X>(time) tells the library of a release of its input that the program saw in the
// raw input, a release that may have passed no hook of this library (one let through while the
// dispatch had the hook lifted, say): a press swallowed before that time has had its release, and
// the next release no longer belongs to it.
//
// Lifetime: the hook thread holds a reference on this library and leaves through
// FreeLibraryAndExitThread, so the library cannot be unloaded under a running hook and DllMain
// never has to wait for a thread (which would deadlock on the loader lock). At process exit the
// system ends the thread and removes its hook.

#define TARNHOOK_API __declspec(dllexport)
#include "hooks/TarnhookExports.h"

#include <utility>

#include "framework/UniqueHandle.h"

// Plain Win32 synchronisation only (SRWLOCK, Interlocked*): the library needs no C++ runtime and
// stays a few tens of KB.

namespace tressel {
namespace {

enum class Trigger { Button, WheelDown, WheelUp };

struct InputSpec {
    const wchar_t* registeredMessage;
    Trigger trigger;
    UINT down;     // button press message
    UINT up;       // button release message
    WORD xButton;  // HIWORD(mouseData) of an extra button, 0 for the others
};

// X1 answers the extra button of button data 2 and X2 the one of data 1: the program pairs them
// the same way when it synthesises their clicks.
#if defined(TARNHOOK_INPUT_R)
constexpr InputSpec kInput{L"UWM_RBTNCLICK_MSG", Trigger::Button, WM_RBUTTONDOWN, WM_RBUTTONUP, 0};
#elif defined(TARNHOOK_INPUT_M)
constexpr InputSpec kInput{L"UWM_MBTNCLICK_MSG", Trigger::Button, WM_MBUTTONDOWN, WM_MBUTTONUP, 0};
#elif defined(TARNHOOK_INPUT_X1)
constexpr InputSpec kInput{L"UWM_X1BTNCLICK_MSG", Trigger::Button, WM_XBUTTONDOWN, WM_XBUTTONUP,
                           XBUTTON2};
#elif defined(TARNHOOK_INPUT_X2)
constexpr InputSpec kInput{L"UWM_X2BTNCLICK_MSG", Trigger::Button, WM_XBUTTONDOWN, WM_XBUTTONUP,
                           XBUTTON1};
#elif defined(TARNHOOK_INPUT_WD)
constexpr InputSpec kInput{L"UWM_WDBTNCLICK_MSG", Trigger::WheelDown, 0, 0, 0};
#elif defined(TARNHOOK_INPUT_WU)
constexpr InputSpec kInput{L"UWM_WUBTNCLICK_MSG", Trigger::WheelUp, 0, 0, 0};
#else
#error "Define one of TARNHOOK_INPUT_R, _M, _X1, _X2, _WD, _WU"
#endif

constexpr int kNotch = WHEEL_DELTA;  // 120
#ifdef TRESSEL_TEST_SWITCHES
constexpr UINT kLoseHookMessage = WM_APP + 1;
#endif

// Read by the callback on every event; written under gLock by install and remove. Every access
// goes through the Interlocked functions, which are full memory barriers.
// https://learn.microsoft.com/windows/win32/sync/interlocked-variable-access
HWND volatile gTarget = nullptr;
LONG volatile gMessage = 0;
// Callback state. Only the hook thread touches it while the hook runs; interlocked access keeps
// the in-process test entry (hookproc_<X>) free of data races too.
// The time stamp (MSLLHOOKSTRUCT.time) of the press swallowed last while its release is still to
// come, else 0; a press at time 0 counts as time 1.
LONG volatile gPressSwallowed = 0;
// The time of a physical release of the input the program saw in its raw input
// (releaseseen_<X>): the first one after the press swallowed last, else the latest; 0 for none.
// Set from the program's thread.
LONG volatile gReleaseSeen = 0;
LONG volatile gWheelPending = 0;
// Set by passhook_<X>; read by the callback without a lock.
LONG volatile gPassThrough = 0;

SRWLOCK gLock = SRWLOCK_INIT;
UniqueKernelHandle gThread;
DWORD gThreadId = 0;

HWND LoadTarget() {
    return static_cast<HWND>(InterlockedCompareExchangePointer(
        reinterpret_cast<PVOID volatile*>(&gTarget), nullptr, nullptr));
}
void StoreTarget(HWND window) {
    InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&gTarget), window);
}
LONG Load(LONG volatile& value) { return InterlockedCompareExchange(&value, 0, 0); }

class ExclusiveLock {
  public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }

  private:
    SRWLOCK& lock_;
};

bool IsOurButton(const MSLLHOOKSTRUCT& event) {
    return kInput.xButton == 0 || HIWORD(event.mouseData) == kInput.xButton;
}

// Whether the raw input showed a release strictly after the swallowed press and strictly before
// this release: the press then had its release already, one no hook of this library saw (the
// dispatch had the hook lifted for a click), and this release belongs to a press that passed.
// The raw input may show a release before the hook gets the same release, with the same time,
// and may show one late, after a newer press: neither lies strictly in between. One tick of the
// clock holds 10 to 16 ms, so a release in the press's own tick cannot be told from an earlier
// one and counts for none. Both stamps are the system's tick count; differences, not values, are
// compared, so its wrap after 49.7 days does not matter.
bool ReleasedInBetween(LONG pressed, LONG seen, DWORD now) {
    const auto seenAt = static_cast<DWORD>(seen);
    return seen != 0 && static_cast<LONG>(seenAt - static_cast<DWORD>(pressed)) > 0 &&
           static_cast<LONG>(now - seenAt) > 0;
}

// True when the event is ours and must be swallowed.
bool HandleEvent(WPARAM message, const MSLLHOOKSTRUCT& event, HWND target) {
    if constexpr (kInput.trigger == Trigger::Button) {
        if (message == kInput.down && IsOurButton(event)) {
            if (Load(gPassThrough)) return false;
            InterlockedExchange(&gPressSwallowed, event.time ? static_cast<LONG>(event.time) : 1);
            PostMessageW(target, static_cast<UINT>(Load(gMessage)), 0, 0);
            return true;
        }
        // A release is ours only when its press was: a button held while the hook came in
        // must still be released where it was pressed.
        if (message == kInput.up && IsOurButton(event)) {
            const LONG pressed = InterlockedExchange(&gPressSwallowed, 0);
            return pressed != 0 && !ReleasedInBetween(pressed, Load(gReleaseSeen), event.time);
        }
        return false;
    } else {
        if (message != WM_MOUSEWHEEL) return false;
        const int delta = static_cast<short>(HIWORD(event.mouseData));
        const bool ours = kInput.trigger == Trigger::WheelDown ? delta < 0 : delta > 0;
        if (!ours || Load(gPassThrough)) {
            InterlockedExchange(&gWheelPending, 0);  // direction changed: start over
            return false;
        }
        // High-resolution wheels send parts of a notch: count whole notches only.
        LONG pending = Load(gWheelPending) + (delta < 0 ? -delta : delta);
        const UINT id = static_cast<UINT>(Load(gMessage));
        for (; pending >= kNotch; pending -= kNotch) PostMessageW(target, id, 0, 0);
        InterlockedExchange(&gWheelPending, pending);
        return true;
    }
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        HWND target = LoadTarget();
        if (target && (event.flags & LLMHF_INJECTED) == 0 && HandleEvent(message, event, target))
            return 1;
    }
    return CallNextHookEx(nullptr, code, message, lParam);
}

struct ThreadStart {
    HMODULE module;
    HANDLE ready;
    bool hooked = false;
};

void RunHook(ThreadStart& start) {
    MSG msg;
    // Creates this thread's message queue, so that remove's WM_QUIT cannot get lost.
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    UniqueHook hook(SetWindowsHookExW(WH_MOUSE_LL, MouseHookProc, start.module, 0));
    start.hooked = static_cast<bool>(hook);
    SetEvent(start.ready);  // `start` belongs to the installer, which may return from here on
    if (!hook) return;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
#ifdef TRESSEL_TEST_SWITCHES
        // The test build's stand-in for Windows removing a hook that missed its timeout: the
        // hook goes, the thread stays, and nothing tells the program.
        if (msg.message == kLoseHookMessage) {
            hook.reset();
            SetEvent(reinterpret_cast<HANDLE>(msg.lParam));
        }
#endif
    }
}

DWORD WINAPI HookThreadProc(void* parameter) {
    auto& start = *static_cast<ThreadStart*>(parameter);
    HMODULE module = start.module;
    RunHook(start);
    FreeLibraryAndExitThread(module, 0);
}

int Install(HWND window) {
    ExclusiveLock lock(gLock);
    if (Load(gMessage) == 0)
        InterlockedExchange(&gMessage,
                            static_cast<LONG>(RegisterWindowMessageW(kInput.registeredMessage)));
    if (Load(gMessage) == 0) return 0;
    StoreTarget(window);
    if (gThread) return 1;  // already installed: only the window may change

    // gPressSwallowed survives a removal: the dispatch lifts a hook for the length of a click it
    // synthesises, and a press swallowed before the lift must still have its release swallowed
    // after it, or a window would get a release without its press (a right release alone opens
    // context menus). A release that came during the lift reaches the program through the raw
    // input instead, which tells the library (releaseseen_<X>, ReleasedInBetween).
    InterlockedExchange(&gWheelPending, 0);
    UniqueKernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HMODULE self = nullptr;
    if (!ready || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                      reinterpret_cast<LPCWSTR>(&MouseHookProc), &self)) {
        StoreTarget(nullptr);
        return 0;
    }
    ThreadStart start{self, ready.get()};
    DWORD threadId = 0;
    UniqueKernelHandle thread(CreateThread(nullptr, 0, HookThreadProc, &start, 0, &threadId));
    if (!thread) {
        FreeLibrary(self);
        StoreTarget(nullptr);
        return 0;
    }
    // The thread either sets its hook and signals, or ends; both happen at once.
    HANDLE waits[] = {ready.get(), thread.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (!start.hooked) {
        WaitForSingleObject(thread.get(), INFINITE);
        StoreTarget(nullptr);
        return 0;
    }
    // Serve the mouse before anything else on a loaded system.
    SetThreadPriority(thread.get(), THREAD_PRIORITY_TIME_CRITICAL);
    gThread = std::move(thread);
    gThreadId = threadId;
    return 1;
}

// A release of the input at `time` on the clock of the hook's time stamps: the raw input's
// message time and MSLLHOOKSTRUCT.time are both the system's tick count (GetTickCount). The
// first release seen after the press the hook still holds is kept: the ones after it may
// include the release the hook is about to get.
void ReleaseSeen(DWORD time) {
    const LONG pressed = Load(gPressSwallowed);
    const LONG kept = Load(gReleaseSeen);
    if (pressed != 0 && kept != 0 &&
        static_cast<LONG>(static_cast<DWORD>(kept) - static_cast<DWORD>(pressed)) > 0)
        return;
    InterlockedExchange(&gReleaseSeen, time ? static_cast<LONG>(time) : 1);
}

int Remove() {
    ExclusiveLock lock(gLock);
    StoreTarget(nullptr);  // from here every event passes through
    if (!gThread) return 1;
    PostThreadMessageW(gThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(gThread.get(), INFINITE);  // the hook is removed when the thread ends
    gThread.reset();
    gThreadId = 0;
    return 1;
}

}  // namespace
}  // namespace tressel

#define TARNHOOK_CONCAT2(a, b) a##b
#define TARNHOOK_CONCAT(a, b) TARNHOOK_CONCAT2(a, b)
#define TARNHOOK_EXPORT(name) TARNHOOK_CONCAT(name, TARNHOOK_SUFFIX)

extern "C" {
TARNHOOK_API int TARNHOOK_EXPORT(installhook_)(HWND window) { return tressel::Install(window); }
TARNHOOK_API int TARNHOOK_EXPORT(unstallhook_)(HWND) { return tressel::Remove(); }
TARNHOOK_API void TARNHOOK_EXPORT(passhook_)(int pass) {
    InterlockedExchange(&tressel::gPassThrough, pass ? 1 : 0);
}
TARNHOOK_API void TARNHOOK_EXPORT(releaseseen_)(DWORD time) { tressel::ReleaseSeen(time); }
#ifdef TRESSEL_TEST_SWITCHES
// Returns once the hook is gone.
TARNHOOK_API void TARNHOOK_EXPORT(losehook_)() {
    tressel::ExclusiveLock lock(tressel::gLock);
    if (!tressel::gThread) return;
    tressel::UniqueKernelHandle lost(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!lost || !PostThreadMessageW(tressel::gThreadId, tressel::kLoseHookMessage, 0,
                                     reinterpret_cast<LPARAM>(lost.get())))
        return;
    HANDLE waits[] = {lost.get(), tressel::gThread.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}
#endif
TARNHOOK_API LRESULT TARNHOOK_EXPORT(hookproc_)(int code, WPARAM message, LPARAM event) {
    return tressel::MouseHookProc(code, message, event);
}
}
