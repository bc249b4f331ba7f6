#pragma once
// Whether this start is the program's only instance, decided from one CreateMutexW call on the
// single-instance mutex; and what a further start does while another instance holds it.

#include <cstdint>

namespace tressel {

enum class InstanceRole { First, AlreadyRunning };

inline constexpr std::uint32_t kErrorAccessDenied = 5;     // ERROR_ACCESS_DENIED
inline constexpr std::uint32_t kErrorAlreadyExists = 183;  // ERROR_ALREADY_EXISTS

// `gotHandle`: CreateMutexW returned a handle; `lastError`: GetLastError right after it.
// The mutex exists when the call opened it (a handle and ERROR_ALREADY_EXISTS) and also when it
// was refused with ERROR_ACCESS_DENIED: an instance of another integrity level (one elevated,
// one not) owns a mutex this process may not open with full access. Any other failure cannot
// tell, and the start goes on as the first instance.
InstanceRole RoleFromMutexCreation(bool gotHandle, std::uint32_t lastError);

// The platform's part of a start: the single-instance mutex and the running instance's window.
class InstanceSystem {
  public:
    struct Creation {
        bool gotHandle = false;
        std::uint32_t lastError = 0;
    };
    virtual ~InstanceSystem() = default;
    // CreateMutexW on the single-instance name, asking to own it. A handle it returns is kept
    // until CloseInstanceMutex, and for the process's life when the start is the first.
    virtual Creation CreateInstanceMutex() = 0;
    virtual void CloseInstanceMutex() = 0;
    // Whether the instance that owns the mutex still does, after waiting up to `ms` for it to
    // let the mutex go (it released it at its end, or ended without: a crash). A mutex that is
    // gone is owned by nobody; one this process may not open counts as owned, after a plain wait.
    // Keeps no handle to the mutex afterwards.
    virtual bool OwnerAlive(std::uint32_t ms) = 0;
    // Brings the running instance's window back; false when it has none (yet).
    virtual bool ShowRunningWindow() = 0;
    virtual void Sleep(std::uint32_t ms) = 0;
    virtual std::uint64_t NowMs() = 0;
};

enum class StartDecision { First, ShownRunning, NothingToShow };

// How long a start waits for the window of an instance that is still starting.
inline constexpr std::uint32_t kWaitForRunningWindowMs = 10000;
inline constexpr std::uint32_t kLookIntervalMs = 50;

// Decides the start. While another instance holds the mutex, the start waits for that
// instance's window (up to kWaitForRunningWindowMs) and brings it back, holding no handle to the
// mutex meanwhile, so that the mutex goes with the instance's last handle. When that instance
// turns out to have ended, its window or not, the start tries again to be the first, and once
// the mutex is gone it is: CreateMutexW still decides between starts racing for it.
StartDecision DecideStart(InstanceSystem& system);

}  // namespace tressel
