// Cost of the hook libraries' low-level mouse callback, as ratios against a pass-through hook
// measured in the same run (absolute times under Wine say little about Windows):
//  1. in-process calls of the callback (hookproc_X1) for a press/release pair it swallows and
//     posts for, and for an event it passes on, against a callback that only calls
//     CallNextHookEx;
//  2. SendInput of relative zero moves with no extra hook, with a pass-through WH_MOUSE_LL hook
//     on a thread of its own, and with TarnhookX1 installed (injected events take its
//     pass-through path, as the program's own synthesised clicks do): the mean, and each
//     event's own time as p50, p99 and the maximum, the tail a loaded machine shows.
// Run: tools/wine-run.sh build/windows/wine-bin/HookCallbackBench.exe [iterations]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "framework/UniqueHandle.h"
#include "hooks/TarnhookExports.h"
#include "wine/support/MouseHookThread.h"

namespace {

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

struct Latency {
    double mean = 0, p50 = 0, p99 = 0, max = 0;  // microseconds per event
};

// SendInput of one relative zero move, `events` times, each timed on its own.
Latency TimeSendInput(int events) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    std::vector<double> each(static_cast<std::size_t>(events));
    for (double& us : each) {
        const double start = Seconds();
        SendInput(1, &input, sizeof input);
        us = (Seconds() - start) * 1e6;
    }
    Latency l;
    for (double us : each) l.mean += us / events;
    std::sort(each.begin(), each.end());
    l.p50 = each[each.size() / 2];
    l.p99 = each[each.size() * 99 / 100];
    l.max = each.back();
    return l;
}

void PrintLatency(const char* what, const Latency& l, const Latency* base) {
    std::printf("  %-26s mean %7.2f  p50 %7.2f  p99 %8.2f  max %9.2f us", what, l.mean, l.p50,
                l.p99, l.max);
    if (base)
        std::printf("  ratio p50 %.2f p99 %.2f max %.2f", l.p50 / base->p50, l.p99 / base->p99,
                    l.max / base->max);
    std::printf("\n");
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
    const Latency noHook = TimeSendInput(events);
    Latency pass;
    {
        tressel::testing::MouseHookThread passThrough(PassThroughProc);
        if (!passThrough.ok()) {
            std::fprintf(stderr, "HookCallbackBench: could not set the pass-through hook\n");
            return 1;
        }
        pass = TimeSendInput(events);
    }
    installhook_X1(target);
    const Latency tarn = TimeSendInput(events);
    unstallhook_X1(target);
    std::printf("SendInput of %d injected moves, each timed (ratios to the pass-through hook):\n",
                events);
    PrintLatency("no extra hook", noHook, nullptr);
    PrintLatency("pass-through LL hook", pass, nullptr);
    PrintLatency("TarnhookX1 installed", tarn, &pass);
    DestroyWindow(target);
    return 0;
}
