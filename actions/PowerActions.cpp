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

// What keeps the computer from the state, when Windows tells it has not got it. A state it does
// not have is never asked for: what Windows does then is not documented (not necessarily
// nothing).
std::optional<PowerRefusal> Unavailable(const PowerCapabilities& caps, bool hibernate) {
    if (hibernate) {
        if (caps.systemS4 && caps.hiberFilePresent) return std::nullopt;
        return PowerRefusal{L"Tressel: no hibernation",
                            L"Hibernation is turned off or not supported on this computer. An "
                            L"administrator can turn it on with \"powercfg /hibernate on\"."};
    }
    if (caps.systemS1 || caps.systemS2 || caps.systemS3) return std::nullopt;
    if (caps.aoAc)
        return PowerRefusal{kNoStandByTitle,
                            L"This computer uses modern standby and has no Stand By a program "
                            L"can ask for. Its power button or Sleep in the Start menu puts it "
                            L"to sleep."};
    return PowerRefusal{kNoStandByTitle,
                        L"Windows reports no standby state on this computer, so Stand By cannot "
                        L"be used here."};
}

// Capabilities that cannot be read do not stop the request: its answer is told.
std::optional<PowerRefusal> Suspend(SystemActions& system, bool hibernate) {
    if (const auto caps = system.ReadPowerCapabilities())
        if (auto refusal = Unavailable(*caps, hibernate)) return refusal;
    EnableShutdownPrivilege(system);
    const std::uint32_t answer = system.SetSuspendState(hibernate);
    if (hibernate)
        return Refused(answer, L"Tressel: hibernation refused", L"hibernate the computer");
    return Refused(answer, L"Tressel: Stand By refused", L"put the computer on Stand By");
}

}  // namespace

std::optional<PowerRefusal> StandBy(SystemActions& system) { return Suspend(system, false); }

std::optional<PowerRefusal> Hibernate(SystemActions& system) { return Suspend(system, true); }

std::optional<PowerRefusal> ShutDown(SystemActions& system) {
    EnableShutdownPrivilege(system);
    return Refused(system.InitiateShutdown(kShutdownPowerOff, kPlannedOtherReason),
                   L"Tressel: shut down refused", L"shut the computer down");
}

}  // namespace tressel
