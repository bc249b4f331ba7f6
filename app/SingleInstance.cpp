#include "app/SingleInstance.h"

namespace tressel {

InstanceRole RoleFromMutexCreation(bool gotHandle, std::uint32_t lastError) {
    if (lastError == kErrorAlreadyExists) return InstanceRole::AlreadyRunning;
    if (!gotHandle && lastError == kErrorAccessDenied) return InstanceRole::AlreadyRunning;
    return InstanceRole::First;
}

StartDecision DecideStart(InstanceSystem& system) {
    const std::uint64_t deadline = system.NowMs() + kWaitForRunningWindowMs;
    while (true) {
        const InstanceSystem::Creation creation = system.CreateInstanceMutex();
        if (RoleFromMutexCreation(creation.gotHandle, creation.lastError) == InstanceRole::First)
            return StartDecision::First;
        system.CloseInstanceMutex();
        if (system.NowMs() >= deadline) return StartDecision::NothingToShow;
        if (!system.OwnerAlive(0)) {
            // It has ended, but its process still holds the name for a moment: what window it
            // has is going too.
            system.Sleep(kLookIntervalMs);
            continue;
        }
        // A window found while its instance was still there; should the instance let go right
        // then, it was ending, and the start tries again.
        if (system.ShowRunningWindow()) {
            if (system.OwnerAlive(0)) return StartDecision::ShownRunning;
            continue;
        }
        system.OwnerAlive(kLookIntervalMs);  // ends early when the instance ends
    }
}

}  // namespace tressel
