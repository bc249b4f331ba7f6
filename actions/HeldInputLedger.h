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
//
// The system may refuse input: Windows inserts nothing while the secure desktop (the lock
// screen, a UAC prompt) is up, and answers how many events it did insert. A refused press is
// not held. A refused release of a held key is owed: it goes out before the next event the
// program sends, and when the session is unlocked, so that no key stays down after the unlock.
// While the session is locked, macro playback waits (WaitUntilInputIsAccepted).

#include <atomic>
#include <chrono>
#include <condition_variable>
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

    std::uint32_t SendInput(std::span<const InputRecord> records) override;
    void WaitUntilInputIsAccepted() override;
    void Sleep(std::uint32_t milliseconds) override { system_.Sleep(milliseconds); }
    std::unique_ptr<PreciseTimer> CreatePreciseTimer() override {
        return system_.CreatePreciseTimer();
    }
    bool RaiseTimerResolution() override { return system_.RaiseTimerResolution(); }
    void LowerTimerResolution() override { system_.LowerTimerResolution(); }
    Point GetCursorPos() override { return system_.GetCursorPos(); }
    Rect VirtualScreen() override { return system_.VirtualScreen(); }
    std::uintptr_t GetMessageExtraInfo() override { return system_.GetMessageExtraInfo(); }

    // The session was locked or unlocked (the window is told by the system). An unlock sends
    // the releases still owed and lets waiting macros play on.
    void SetSessionLocked(bool locked);

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
    static InputRecord ReleaseOf(const Held& held);
    void Record(const InputRecord& record, bool inserted);
    void Press(const Held& held);
    void Release(const Held& held);
    void Owe(const Held& held);
    void SendOwedLocked();
    void ReleaseAllAndCloseLocked();
    void WakeWaitingMacros();

    // The lock, and the thread holding it (for a crash inside a send).
    class Lock;
    InputSystem& system_;
    std::mutex mutex_;
    std::atomic<std::thread::id> owner_{};
    std::vector<Held> held_;  // in press order
    std::vector<Held> owed_;  // held, whose release the system refused, in refusal order
    bool closed_ = false;

    // The session's lock state, apart from the send lock: a macro waits on it, and the send lock
    // must stay free for the crash release.
    std::mutex sessionMutex_;
    std::condition_variable sessionUnlocked_;
    bool sessionLocked_ = false;
    bool sessionWaitsEnded_ = false;
};

}  // namespace tressel
