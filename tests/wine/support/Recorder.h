#pragma once
// Starts tools/win32/InputRecorder.exe (from the folder of the running test), waits until its
// hooks are set, and reads back what it logged: an independent observer of every low-level
// mouse and keyboard event that reaches it.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"

namespace tressel::testing {

struct RecordedEvent {
    enum Kind { Mouse, Key };
    Kind kind = Mouse;
    unsigned message = 0;    // WM_MOUSEMOVE, WM_XBUTTONDOWN, WM_KEYDOWN ...
    long x = 0, y = 0;       // mouse position
    unsigned long data = 0;  // mouseData
    int delta = 0;           // HIWORD(mouseData), signed: wheel delta or extra button
    unsigned long vk = 0, scan = 0;
    unsigned long flags = 0;
    bool injected = false;
    std::uint64_t extra = 0;
};

// One line of the recorder's log; false for lines that are not events ("ready").
bool ParseRecordedEvent(const std::string& line, RecordedEvent& event);

class Recorder {
  public:
    using Events = std::vector<RecordedEvent>;

    Recorder() = default;
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;
    ~Recorder() { Stop(); }

    // Starts the recorder and waits for its "ready" line; false when it did not come.
    bool Start(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Asks the recorder to end and waits; kills it (by its handle) if it does not.
    void Stop();

    // Every event logged so far, in order.
    Events ReadEvents() const;
    // Pumps this thread's messages until `condition(events)` holds or the timeout passes.
    bool WaitFor(const std::function<bool(const Events&)>& condition,
                 std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;

  private:
    std::vector<std::string> ReadLines() const;

    std::wstring logPath_;
    UniqueKernelHandle process_;
    DWORD threadId_ = 0;
};

}  // namespace tressel::testing
