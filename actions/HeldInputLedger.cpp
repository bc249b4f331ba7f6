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

void HeldInputLedger::SendInput(std::span<const InputRecord> records) {
    Lock lock(*this);
    if (closed_) return;
    system_.SendInput(records);
    for (const InputRecord& record : records) Record(record);
}

void HeldInputLedger::Record(const InputRecord& record) {
    if (record.type == InputRecord::Keyboard) {
        const Held key{true, record.virtualKey, 0, 0};
        if (record.keyFlags & kKeyEventKeyUp)
            Release(key);
        else
            Press(key);
        return;
    }
    for (const ButtonFlags& button : kButtons) {
        // The extra buttons are told apart by their button data (1 or 2).
        const std::int32_t data = button.up == mouse_flags::kXUp ? record.mouseData : 0;
        const Held held{false, 0, button.up, data};
        if (record.mouseFlags & button.down) Press(held);
        if (record.mouseFlags & button.up) Release(held);
    }
}

void HeldInputLedger::Press(const Held& held) {
    if (std::find(held_.begin(), held_.end(), held) == held_.end()) held_.push_back(held);
}

void HeldInputLedger::Release(const Held& held) { std::erase(held_, held); }

void HeldInputLedger::ReleaseAllAndClose() {
    Lock lock(*this);
    ReleaseAllAndCloseLocked();
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
        // A release where the pointer is now: no move, no coordinates.
        releases.push_back(it->isKey
                               ? InputRecord::KeyEvent(it->virtualKey, kKeyEventKeyUp)
                               : InputRecord::MouseEvent(0, 0, it->mouseUpFlag, it->mouseData));
    }
    held_.clear();
    system_.SendInput(releases);
}

}  // namespace tressel
