#include "actions/LaunchActions.h"

namespace tressel {
namespace {
constexpr std::uint32_t kTokenAdjustPrivileges = 0x0020;  // TOKEN_ADJUST_PRIVILEGES
constexpr std::uint32_t kTokenQuery = 0x0008;             // TOKEN_QUERY
constexpr std::uint32_t kPrivilegeEnabled = 0x0002;       // SE_PRIVILEGE_ENABLED
constexpr int kShowNormal = 1;                            // SW_SHOWNORMAL
}  // namespace

void RunShutdownCommand(SystemActions& system) { system.RunCommandInterpreter("shutdown /s /t 0"); }

void RequestPowerState(SystemActions& system, bool suspend) {
    if (auto token = system.OpenProcessToken(kTokenAdjustPrivileges | kTokenQuery)) {
        if (auto privilege = system.LookupPrivilege(L"SeShutdownPrivilege")) {
            token->AdjustPrivilege(*privilege, kPrivilegeEnabled);
        }
    }
    system.SetSystemPowerState(suspend, /*force=*/true);
}

void PerformLaunch(const std::wstring& launchTarget, SystemActions& system) {
    if (launchTarget == kShutdownToken) {
        RunShutdownCommand(system);
    } else if (launchTarget == kHibernateToken) {
        RequestPowerState(system, /*suspend=*/false);
    } else if (launchTarget == kStandbyToken) {
        RequestPowerState(system, /*suspend=*/true);
    } else {
        system.OpenWithShell(L"open", launchTarget, L"", L"", kShowNormal);
    }
}

}  // namespace tressel
