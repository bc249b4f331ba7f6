#include "app/SingleInstance.h"

namespace tressel {

InstanceRole RoleFromMutexCreation(bool gotHandle, std::uint32_t lastError) {
    if (lastError == kErrorAlreadyExists) return InstanceRole::AlreadyRunning;
    if (!gotHandle && lastError == kErrorAccessDenied) return InstanceRole::AlreadyRunning;
    return InstanceRole::First;
}

}  // namespace tressel
