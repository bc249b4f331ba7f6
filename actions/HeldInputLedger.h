#pragma once
// What the program's synthesised input holds down right now, so that nothing stays held when the
// program ends. A macro can press a key or a button and be cut off before its release (the
// process ends while "hold the left button for two seconds" plays); the system would then keep
// that key down in every program.
//
// The ledger stands between the program and the real input system: the dispatch and every
// playback worker send through it. It records each key and mouse button whose last synthesised
// event was a press. ReleaseAllAndClose() sends one release for each, once, and from then on lets
// nothing through: the program is ending, and a worker that still runs must not press again.
// Safe to use from any thread; each send and its record happen under one lock, so the ledger
// always agrees with the order the system received.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "seam/InputSystem.h"

namespace tressel {

class HeldInputLedger final : public InputSystem {
  public:
    explicit HeldInputLedger(InputSystem& system) : system_(system) {}

    void SendInput(std::span<const InputRecord> records) override;
    void Sleep(std::uint32_t milliseconds) override { system_.Sleep(milliseconds); }
    std::unique_ptr<PreciseTimer> CreatePreciseTimer() override {
        return system_.CreatePreciseTimer();
    }
    bool RaiseTimerResolution() override { return system_.RaiseTimerResolution(); }
    void LowerTimerResolution() override { system_.LowerTimerResolution(); }
    Point GetCursorPos() override { return system_.GetCursorPos(); }
    Rect VirtualScreen() override { return system_.VirtualScreen(); }
    std::uintptr_t GetMessageExtraInfo() override { return system_.GetMessageExtraInfo(); }

    // Releases what is still held, newest first, in one SendInput; nothing is sent when nothing
    // is held. Every later call of SendInput, and of this, sends nothing.
    void ReleaseAllAndClose();
    // The same for a program that is crashing, from whatever thread crashed: waits at most
    // `patience` for a thread that is sending, and gives up when the calling thread was itself
    // cut off while sending (the lock it holds would never come free). True when the ledger is
    // closed on return.
    bool ReleaseAllAndCloseWithin(std::chrono::milliseconds patience);

  private:
    // A key by its virtual-key code, or a mouse button by its release flags (and button data).
    struct Held {
        bool isKey = false;
        std::uint16_t virtualKey = 0;
        std::uint32_t mouseUpFlag = 0;
        std::int32_t mouseData = 0;
        bool operator==(const Held&) const = default;
    };
    void Record(const InputRecord& record);
    void Press(const Held& held);
    void Release(const Held& held);
    void ReleaseAllAndCloseLocked();

    // The lock, and the thread holding it (for a crash inside a send).
    class Lock;
    InputSystem& system_;
    std::mutex mutex_;
    std::atomic<std::thread::id> owner_{};
    std::vector<Held> held_;  // in press order
    bool closed_ = false;
};

}  // namespace tressel
