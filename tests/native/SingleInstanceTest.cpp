// First or second instance from the outcome of one CreateMutexW call.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tressel
