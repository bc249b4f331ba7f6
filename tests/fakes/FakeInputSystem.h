#pragma once
// Recording input system: every SendInput call (with its records, grouped as sent), every Sleep,
// every precise timer (created, waited on, closed) and every change of the timer resolution
// lands in the shared call log. The cursor, screen and extra info are set by the test. A fake
// clock advances by the waited time, so timing is checked without waiting.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "fakes/CallLog.h"
#include "fakes/Describe.h"
#include "seam/InputSystem.h"

namespace tressel::testing {

class FakeInputSystem : public InputSystem {
  public:
    explicit FakeInputSystem(CallLog& log) : log_(log) {}

    // Inserts at most `acceptsAtMost` records of a call (all while it is negative), as Windows
    // inserts none while the lock screen is up; a call that inserts fewer than it was given is
    // logged with the count inserted.
    std::uint32_t SendInput(std::span<const InputRecord> records) override {
        std::string entry = "SendInput[";
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (i) entry += ", ";
            entry += Describe(records[i]);
        }
        entry += "]";
        const std::int32_t limit = acceptsAtMost.load();
        const auto accepted = static_cast<std::uint32_t>(
            limit < 0 ? records.size()
                      : std::min<std::size_t>(records.size(), static_cast<std::size_t>(limit)));
        if (accepted < records.size()) entry += " inserted " + std::to_string(accepted);
        {
            std::lock_guard lock(mutex_);
            calls_.emplace_back(records.begin(), records.end());
        }
        log_.Add(entry);
        if (onSend) onSend(records);
        return accepted;
    }
    void Sleep(std::uint32_t milliseconds) override { Waited("Sleep", milliseconds); }
    std::unique_ptr<PreciseTimer> CreatePreciseTimer() override {
        if (!hasPreciseTimer) {
            log_.Add("CreatePreciseTimer -> none");
            return nullptr;
        }
        log_.Add("CreatePreciseTimer");
        return std::make_unique<Timer>(*this);
    }
    bool RaiseTimerResolution() override {
        log_.Add(canRaiseResolution ? "RaiseTimerResolution" : "RaiseTimerResolution failed");
        return canRaiseResolution;
    }
    void LowerTimerResolution() override { log_.Add("LowerTimerResolution"); }
    Point GetCursorPos() override {
        std::lock_guard lock(mutex_);
        Point p = cursor_;
        if (!cursorScript_.empty()) {
            p = cursorScript_.front();
            if (cursorScript_.size() > 1) cursorScript_.erase(cursorScript_.begin());
            cursor_ = p;
        }
        return p;
    }
    Rect VirtualScreen() override { return virtualScreen; }
    std::uintptr_t GetMessageExtraInfo() override { return extraInfo; }

    void SetCursor(Point p) {
        std::lock_guard lock(mutex_);
        cursor_ = p;
        cursorScript_.clear();
    }
    // Successive GetCursorPos calls return these in turn (the last one repeats).
    void ScriptCursor(std::vector<Point> positions) {
        std::lock_guard lock(mutex_);
        cursorScript_ = std::move(positions);
    }
    std::vector<std::vector<InputRecord>> Calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    std::uint64_t Now() const { return clock_; }

    Rect virtualScreen{0, 0, 1920, 1080};
    std::uintptr_t extraInfo = 0;
    bool hasPreciseTimer = true;
    bool timerRefuses = false;  // made, but every wait refused
    bool canRaiseResolution = true;
    std::atomic<std::int32_t> acceptsAtMost{-1};
    std::function<void(std::span<const InputRecord>)> onSend;
    // Called by every wait, plain or precise.
    std::function<void(std::uint32_t)> onWait;

  private:
    class Timer : public PreciseTimer {
      public:
        explicit Timer(FakeInputSystem& owner) : owner_(owner) {}
        ~Timer() override { owner_.log_.Add("ClosePreciseTimer"); }
        bool Wait(std::uint32_t milliseconds) override {
            if (owner_.timerRefuses) {
                owner_.log_.Add("PreciseWait(" + std::to_string(milliseconds) + ") refused");
                return false;
            }
            owner_.Waited("PreciseWait", milliseconds);
            return true;
        }

      private:
        FakeInputSystem& owner_;
    };

    void Waited(const char* kind, std::uint32_t milliseconds) {
        clock_ += milliseconds;
        log_.Add(std::string(kind) + "(" + std::to_string(milliseconds) + ")");
        if (onWait) onWait(milliseconds);
    }

    CallLog& log_;
    mutable std::mutex mutex_;
    Point cursor_;
    std::vector<Point> cursorScript_;
    std::vector<std::vector<InputRecord>> calls_;
    std::atomic<std::uint64_t> clock_{0};
};

}  // namespace tressel::testing
