#include "actions/PowerActions.h"

namespace tressel {
namespace {
constexpr std::uint32_t kTokenAdjustPrivileges = 0x0020;  // TOKEN_ADJUST_PRIVILEGES
constexpr std::uint32_t kTokenQuery = 0x0008;             // TOKEN_QUERY
constexpr std::uint32_t kPrivilegeEnabled = 0x0002;       // SE_PRIVILEGE_ENABLED
constexpr std::uint32_t kShutdownPowerOff = 0x0008;       // SHUTDOWN_POWEROFF
// SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED. Zero would
// be recorded as an unplanned shutdown, which may have Windows collect its state first.
constexpr std::uint32_t kPlannedOtherReason = 0x80000000;

constexpr wchar_t kNoStandByTitle[] = L"Tressel: no Stand By";
constexpr wchar_t kNoHibernationTitle[] = L"Tressel: no hibernation";

// SetSuspendState and InitiateShutdownW need SE_SHUTDOWN_NAME enabled in the process token.
// Whatever stops that, the request is made all the same and its answer is told.
void EnableShutdownPrivilege(SystemActions& system) {
    if (auto token = system.OpenProcessToken(kTokenAdjustPrivileges | kTokenQuery)) {
        if (auto privilege = system.LookupPrivilege(L"SeShutdownPrivilege")) {
            token->AdjustPrivilege(*privilege, kPrivilegeEnabled);
        }
    }
}

std::optional<PowerRefusal> Refused(std::uint32_t error, const wchar_t* title,
                                    const wchar_t* what) {
    if (error == 0) return std::nullopt;
    return PowerRefusal{title, std::wstring(L"Windows did not ") + what + L" (error " +
                                   std::to_wstring(error) + L")."};
}

}  // namespace

std::optional<PowerRefusal> StandBy(SystemActions& system) {
    const auto caps = system.ReadPowerCapabilities();
    // A standby the computer does not have is never asked for: what Windows does then is not
    // documented (not necessarily nothing).
    if (caps && !caps->systemS1 && !caps->systemS2 && !caps->systemS3) {
        if (caps->aoAc)
            return PowerRefusal{kNoStandByTitle,
                                L"This computer uses modern standby and has no Stand By a program "
                                L"can ask for. Its power button or Sleep in the Start menu puts "
                                L"it to sleep."};
        return PowerRefusal{kNoStandByTitle,
                            L"Windows reports no standby state on this computer, so Stand By "
                            L"cannot be used here."};
    }
    EnableShutdownPrivilege(system);
    return Refused(system.SetSuspendState(/*hibernate=*/false), L"Tressel: Stand By refused",
                   L"put the computer on Stand By");
}

std::optional<PowerRefusal> Hibernate(SystemActions& system) {
    const auto caps = system.ReadPowerCapabilities();
    if (caps && !(caps->systemS4 && caps->hiberFilePresent)) {
        return PowerRefusal{kNoHibernationTitle,
                            L"Hibernation is turned off or not supported on this computer. An "
                            L"administrator can turn it on with \"powercfg /hibernate on\"."};
    }
    EnableShutdownPrivilege(system);
    return Refused(system.SetSuspendState(/*hibernate=*/true), L"Tressel: hibernation refused",
                   L"hibernate the computer");
}

std::optional<PowerRefusal> ShutDown(SystemActions& system) {
    EnableShutdownPrivilege(system);
    return Refused(system.InitiateShutdown(kShutdownPowerOff, kPlannedOtherReason),
                   L"Tressel: shut down refused", L"shut the computer down");
}

}  // namespace tressel
