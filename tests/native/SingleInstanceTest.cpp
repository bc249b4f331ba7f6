// First or second instance from the outcome of one CreateMutexW call, and what a further start
// does while another instance holds the mutex.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/SingleInstance.h"

namespace tressel {
namespace {

TEST(SingleInstanceTest, AnExistingOrRefusedMutexMeansAlreadyRunning) {
    struct Case {
        bool gotHandle;
        std::uint32_t lastError;
        InstanceRole role;
    };
    const Case cases[] = {
        {true, 0, InstanceRole::First},                             // created
        {true, kErrorAlreadyExists, InstanceRole::AlreadyRunning},  // opened
        // An instance of another integrity level holds it: no access, but it exists.
        {false, kErrorAccessDenied, InstanceRole::AlreadyRunning},
        // The name belongs to another kind of object (ERROR_INVALID_HANDLE) or the call failed
        // otherwise: nothing says another instance runs.
        {false, 6, InstanceRole::First},
        {false, 8, InstanceRole::First},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoleFromMutexCreation(c.gotHandle, c.lastError), c.role)
            << "handle " << c.gotHandle << ", error " << c.lastError;
    }
}

constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();

// The other instance on a clock of its own: it owns the mutex until `ownerEndsAt`, its process
// keeps the name (and its window, from `windowAt` on) until `nameGoneAt`.
struct OtherInstance {
    std::uint64_t ownerEndsAt = kNever;
    std::uint64_t nameGoneAt = kNever;
    std::uint64_t windowAt = kNever;
    bool refused = false;        // of another integrity level
    bool endsWhenShown = false;  // it was ending as its window was brought back
};

class WorldWithAnotherInstance : public InstanceSystem {
  public:
    explicit WorldWithAnotherInstance(OtherInstance other) : other_(other) {}

    Creation CreateInstanceMutex() override {
        if (now >= other_.nameGoneAt) return {true, 0};
        if (other_.refused) return {false, kErrorAccessDenied};
        handleHeld_ = true;
        return {true, kErrorAlreadyExists};
    }
    void CloseInstanceMutex() override { handleHeld_ = false; }
    bool OwnerAlive(std::uint32_t ms) override {
        Wait(ms);
        if (other_.refused && now < other_.nameGoneAt) {
            now += ms;
            return true;
        }
        now = std::min(now + ms, std::max(now, other_.ownerEndsAt));
        return now < other_.ownerEndsAt;
    }
    bool ShowRunningWindow() override {
        const bool there = now >= other_.windowAt && now < other_.nameGoneAt;
        windowsShown += there ? 1 : 0;
        if (there && other_.endsWhenShown) other_.ownerEndsAt = now;
        return there;
    }
    void Sleep(std::uint32_t ms) override {
        Wait(ms);
        now += ms;
    }
    std::uint64_t NowMs() override { return now; }

    std::uint64_t now = 0;
    int windowsShown = 0;
    bool waitedHoldingTheMutex = false;

  private:
    void Wait(std::uint32_t ms) { waitedHoldingTheMutex |= ms > 0 && handleHeld_; }

    OtherInstance other_;
    bool handleHeld_ = false;
};

TEST(SingleInstanceTest, AFurtherStartShowsARunningWindowOrBecomesTheFirstOnceTheOtherHasGone) {
    struct Case {
        const char* name;
        OtherInstance other;
        StartDecision decision;
        std::uint64_t decidedAt;
        int windowsShown;
    };
    // clang-format off
    const Case cases[] = {
        {"none", {.ownerEndsAt = 0, .nameGoneAt = 0}, StartDecision::First, 0, 0},
        {"running", {.windowAt = 0}, StartDecision::ShownRunning, 0, 1},
        {"still starting", {.windowAt = 2000}, StartDecision::ShownRunning, 2000, 1},
        {"never a window", {}, StartDecision::NothingToShow, 10000, 0},
        {"ends while waited for", {.ownerEndsAt = 520, .nameGoneAt = 560}, StartDecision::First, 570, 0},
        {"ending, its window still up", {.ownerEndsAt = 0, .nameGoneAt = 100, .windowAt = 0}, StartDecision::First, 100, 0},
        {"ends as its window is shown", {.nameGoneAt = 40, .windowAt = 0, .endsWhenShown = true}, StartDecision::First, 50, 1},
        {"refused, starting", {.windowAt = 300, .refused = true}, StartDecision::ShownRunning, 300, 1},
        {"refused, never a window", {.refused = true}, StartDecision::NothingToShow, 10000, 0},
        {"refused, ends", {.nameGoneAt = 700, .refused = true}, StartDecision::First, 700, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WorldWithAnotherInstance world(c.other);
        EXPECT_EQ(DecideStart(world), c.decision);
        EXPECT_EQ(world.now, c.decidedAt);
        EXPECT_EQ(world.windowsShown, c.windowsShown);
        EXPECT_FALSE(world.waitedHoldingTheMutex) << "kept the mutex alive while waiting";
    }
}

}  // namespace
}  // namespace tressel
