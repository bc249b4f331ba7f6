#pragma once
// One ordered, thread-safe log of the calls that every recording fake sees, so that tests can
// assert on the exact sequence across seams (hook removed, events sent, hook installed ...).

#include <mutex>
#include <string>
#include <vector>

namespace tressel::testing {

class CallLog {
  public:
    void Add(std::string entry) {
        std::lock_guard lock(mutex_);
        entries_.push_back(std::move(entry));
    }
    std::vector<std::string> Entries() const {
        std::lock_guard lock(mutex_);
        return entries_;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        entries_.clear();
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> entries_;
};

}  // namespace tressel::testing
