// Cost of the hook libraries' low-level mouse callback, as ratios against a pass-through hook
// measured in the same run (absolute times under Wine say little about Windows):
//  1. in-process calls of the callback (hookproc_X1) for a press/release pair it swallows and
//     posts for, and for an event it passes on, against a callback that only calls
//     CallNextHookEx;
//  2. SendInput of relative zero moves with no extra hook, with a pass-through WH_MOUSE_LL hook
//     on a thread of its own, and with TarnhookX1 installed (injected events take its
//     pass-through path, as the program's own synthesised clicks do).
// Run: tools/wine-run.sh build/windows/wine-bin/HookCallbackBench.exe [iterations]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "framework/UniqueHandle.h"
#include "hooks/TarnhookExports.h"

namespace {

using tressel::UniqueHook;
using tressel::UniqueKernelHandle;

double Seconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

LRESULT CALLBACK PassThroughProc(int code, WPARAM message, LPARAM event) {
    return CallNextHookEx(nullptr, code, message, event);
}

void DrainMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

// Nanoseconds per callback call over `pairs` press/release pairs.
double TimeCallback(LRESULT (*proc)(int, WPARAM, LPARAM), UINT down, UINT up, DWORD data,
                    int pairs) {
    MSLLHOOKSTRUCT event{};
    event.mouseData = data;
    const LPARAM lParam = reinterpret_cast<LPARAM>(&event);
    double total = 0;
    constexpr int kBatch = 1000;  // a thread's queue holds 10000 posted messages
    for (int done = 0; done < pairs; done += kBatch) {
        const double start = Seconds();
        for (int i = 0; i < kBatch; ++i) {
            proc(HC_ACTION, down, lParam);
            proc(HC_ACTION, up, lParam);
        }
        total += Seconds() - start;
        DrainMessages();
    }
    return total * 1e9 / (2.0 * pairs);
}

// Runs a pass-through WH_MOUSE_LL hook on a thread of its own while it lives.
class PassThroughHookThread {
  public:
    PassThroughHookThread() {
        ready_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        thread_.reset(CreateThread(nullptr, 0, &PassThroughHookThread::Run, this, 0, &threadId_));
        HANDLE waits[] = {ready_.get(), thread_.get()};
        WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    }
    ~PassThroughHookThread() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_.get(), INFINITE);
    }
    bool ok() const { return hooked_; }

  private:
    static DWORD WINAPI Run(void* parameter) {
        auto* self = static_cast<PassThroughHookThread*>(parameter);
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
        UniqueHook hook(
            SetWindowsHookExW(WH_MOUSE_LL, PassThroughProc, GetModuleHandleW(nullptr), 0));
        self->hooked_ = static_cast<bool>(hook);
        SetEvent(self->ready_.get());
        if (hook) {
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            }
        }
        return 0;
    }

    UniqueKernelHandle ready_;
    UniqueKernelHandle thread_;
    DWORD threadId_ = 0;
    bool hooked_ = false;
};

// Microseconds per SendInput of one relative zero move.
double TimeSendInput(int events) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    const double start = Seconds();
    for (int i = 0; i < events; ++i) SendInput(1, &input, sizeof input);
    return (Seconds() - start) * 1e6 / events;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int pairs = argc > 1 ? _wtoi(argv[1]) : 200000;
    const int events = pairs / 50 > 100 ? pairs / 50 : 100;

    // A message-only window as the target, like the program's dialog it receives the posts.
    HWND target = CreateWindowExW(0, L"STATIC", L"bench", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!target || !installhook_X1(target)) {
        std::fprintf(stderr, "HookCallbackBench: could not install TarnhookX1\n");
        return 1;
    }

    const DWORD x2 = MAKELONG(0, XBUTTON2), x1 = MAKELONG(0, XBUTTON1);
    // Warm up, then measure.
    TimeCallback(PassThroughProc, WM_XBUTTONDOWN, WM_XBUTTONUP, x2, 10000);
    TimeCallback(hookproc_X1, WM_XBUTTONDOWN, WM_XBUTTONUP, x2, 10000);
    const double passNs = TimeCallback(PassThroughProc, WM_XBUTTONDOWN, WM_XBUTTONUP, x2, pairs);
    const double swallowNs = TimeCallback(hookproc_X1, WM_XBUTTONDOWN, WM_XBUTTONUP, x2, pairs);
    const double otherNs = TimeCallback(hookproc_X1, WM_XBUTTONDOWN, WM_XBUTTONUP, x1, pairs);
    std::printf("callback, %d press/release pairs each:\n", pairs);
    std::printf("  pass-through hook           %8.1f ns/event\n", passNs);
    std::printf("  TarnhookX1, its button      %8.1f ns/event  ratio %.2f (press posts)\n",
                swallowNs, swallowNs / passNs);
    std::printf("  TarnhookX1, other button    %8.1f ns/event  ratio %.2f\n", otherNs,
                otherNs / passNs);
    unstallhook_X1(target);

    TimeSendInput(events / 10 + 1);
    const double noHookUs = TimeSendInput(events);
    double passUs = 0;
    {
        PassThroughHookThread passThrough;
        if (!passThrough.ok()) {
            std::fprintf(stderr, "HookCallbackBench: could not set the pass-through hook\n");
            return 1;
        }
        passUs = TimeSendInput(events);
    }
    installhook_X1(target);
    const double tarnUs = TimeSendInput(events);
    unstallhook_X1(target);
    std::printf("SendInput of %d injected moves:\n", events);
    std::printf("  no extra hook               %8.2f us/event\n", noHookUs);
    std::printf("  pass-through LL hook        %8.2f us/event\n", passUs);
    std::printf("  TarnhookX1 installed        %8.2f us/event  ratio %.2f to pass-through\n",
                tarnUs, tarnUs / passUs);
    DestroyWindow(target);
    return 0;
}
