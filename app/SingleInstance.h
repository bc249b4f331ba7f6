#pragma once
// Whether this start is the program's only instance, decided from one CreateMutexW call on the
// single-instance mutex.

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

}  // namespace tressel
