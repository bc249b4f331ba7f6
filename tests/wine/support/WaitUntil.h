#pragma once
// Waiting for a condition under Wine: poll with a generous deadline instead of sleeping a fixed
// time, pumping this thread's messages meanwhile so that windows of the test keep working.

#include <windows.h>

#include <chrono>

namespace tressel::testing {

inline void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        PumpMessages();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace tressel::testing
