#include "actions/HeldInputLedger.h"

#include <algorithm>

namespace tressel {
namespace {

struct ButtonFlags {
    std::uint32_t down;
    std::uint32_t up;
};
constexpr ButtonFlags kButtons[] = {
    {mouse_flags::kLeftDown, mouse_flags::kLeftUp},
    {mouse_flags::kRightDown, mouse_flags::kRightUp},
    {mouse_flags::kMiddleDown, mouse_flags::kMiddleUp},
    {mouse_flags::kXDown, mouse_flags::kXUp},
};

}  // namespace

class HeldInputLedger::Lock {
  public:
    explicit Lock(HeldInputLedger& ledger) : ledger_(ledger) {
        ledger_.mutex_.lock();
        ledger_.owner_.store(std::this_thread::get_id());
    }
    Lock(HeldInputLedger& ledger, std::adopt_lock_t) : ledger_(ledger) {
        ledger_.owner_.store(std::this_thread::get_id());
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    ~Lock() {
        ledger_.owner_.store(std::thread::id());
        ledger_.mutex_.unlock();
    }

  private:
    HeldInputLedger& ledger_;
};

std::uint32_t HeldInputLedger::SendInput(std::span<const InputRecord> records) {
    Lock lock(*this);
    if (closed_) return 0;
    SendOwedLocked();
    const std::uint32_t inserted = std::min<std::uint32_t>(
        system_.SendInput(records), static_cast<std::uint32_t>(records.size()));
    for (std::size_t i = 0; i < records.size(); ++i) Record(records[i], i < inserted);
    return inserted;
}

void HeldInputLedger::Record(const InputRecord& record, bool inserted) {
    if (record.type == InputRecord::Keyboard) {
        const Held key{true, record.virtualKey, 0, 0};
        if (!(record.keyFlags & kKeyEventKeyUp)) {
            if (inserted) Press(key);
        } else if (inserted) {
            Release(key);
        } else {
            Owe(key);
        }
        return;
    }
    for (const ButtonFlags& button : kButtons) {
        // The extra buttons are told apart by their button data (1 or 2).
        const std::int32_t data = button.up == mouse_flags::kXUp ? record.mouseData : 0;
        const Held held{false, 0, button.up, data};
        if ((record.mouseFlags & button.down) && inserted) Press(held);
        if (record.mouseFlags & button.up) inserted ? Release(held) : Owe(held);
    }
}

void HeldInputLedger::Press(const Held& held) {
    if (std::find(held_.begin(), held_.end(), held) == held_.end()) held_.push_back(held);
}

void HeldInputLedger::Release(const Held& held) {
    std::erase(held_, held);
    std::erase(owed_, held);
}

// Only a key the program holds is owed: a release of one it never pressed (its press was
// refused too) has nothing to undo.
void HeldInputLedger::Owe(const Held& held) {
    const bool isHeld = std::find(held_.begin(), held_.end(), held) != held_.end();
    const bool isOwed = std::find(owed_.begin(), owed_.end(), held) != owed_.end();
    if (isHeld && !isOwed) owed_.push_back(held);
}

InputRecord HeldInputLedger::ReleaseOf(const Held& held) {
    // A release where the pointer is now: no move, no coordinates.
    return held.isKey ? InputRecord::KeyEvent(held.virtualKey, kKeyEventKeyUp)
                      : InputRecord::MouseEvent(0, 0, held.mouseUpFlag, held.mouseData);
}

void HeldInputLedger::SendOwedLocked() {
    if (owed_.empty()) return;
    std::vector<InputRecord> releases;
    for (const Held& held : owed_) releases.push_back(ReleaseOf(held));
    const std::uint32_t inserted = system_.SendInput(releases);
    const std::vector<Held> sent(owed_.begin(),
                                 owed_.begin() + std::min<std::size_t>(inserted, owed_.size()));
    for (const Held& held : sent) Release(held);
}

void HeldInputLedger::SetSessionLocked(bool locked) {
    {
        std::lock_guard state(sessionMutex_);
        sessionLocked_ = locked;
    }
    if (locked) return;
    sessionUnlocked_.notify_all();
    Lock lock(*this);
    if (!closed_) SendOwedLocked();
}

void HeldInputLedger::WaitUntilInputIsAccepted() {
    std::unique_lock state(sessionMutex_);
    sessionUnlocked_.wait(state, [this] { return !sessionLocked_ || sessionWaitsEnded_; });
}

void HeldInputLedger::WakeWaitingMacros() {
    {
        std::lock_guard state(sessionMutex_);
        sessionWaitsEnded_ = true;
    }
    sessionUnlocked_.notify_all();
}

void HeldInputLedger::ReleaseAllAndClose() {
    {
        Lock lock(*this);
        ReleaseAllAndCloseLocked();
    }
    // A macro waiting for the unlock ends now: everything it would send goes nowhere.
    WakeWaitingMacros();
}

bool HeldInputLedger::ReleaseAllAndCloseWithin(std::chrono::milliseconds patience) {
    if (owner_.load() == std::this_thread::get_id()) return false;
    // Polled rather than a timed lock: the sanitizers here do not see a timed lock taken.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!mutex_.try_lock()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Lock lock(*this, std::adopt_lock);
    ReleaseAllAndCloseLocked();
    return true;
}

void HeldInputLedger::ReleaseAllAndCloseLocked() {
    if (closed_) return;
    closed_ = true;
    if (held_.empty()) return;
    std::vector<InputRecord> releases;
    for (auto it = held_.rbegin(); it != held_.rend(); ++it) {
        releases.push_back(ReleaseOf(*it));
    }
    held_.clear();
    owed_.clear();
    system_.SendInput(releases);
}

}  // namespace tressel
