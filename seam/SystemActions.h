#pragma once
// Shell launch and the power functions with the shutdown privilege.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tressel {

// A locally unique identifier of a privilege (LUID).
struct PrivilegeId {
    std::uint32_t low = 0;
    std::int32_t high = 0;
    bool operator==(const PrivilegeId&) const = default;
};

// An open access token of the current process; closed when destroyed.
class ProcessToken {
  public:
    virtual ~ProcessToken() = default;
    // AdjustTokenPrivileges with one privilege and the given attributes, not disabling the
    // others and not asking for the previous state.
    virtual bool AdjustPrivilege(PrivilegeId privilege, std::uint32_t attributes) = 0;
};

// The sleep states of SYSTEM_POWER_CAPABILITIES: S1 to S3 are the classic standby states, S4
// hibernation (only with the hibernation file present); AoAc is modern standby (S0 low-power
// idle), which has no standby a program can ask for.
struct PowerCapabilities {
    bool systemS1 = false;
    bool systemS2 = false;
    bool systemS3 = false;
    bool systemS4 = false;
    bool hiberFilePresent = false;
    bool aoAc = false;
};

class SystemActions {
  public:
    virtual ~SystemActions() = default;
    // ShellExecuteW(no owner, verb, file, parameters, directory, show command).
    virtual void OpenWithShell(const std::wstring& verb, const std::wstring& file,
                               const std::wstring& parameters, const std::wstring& directory,
                               int showCommand) = 0;
    // OpenProcessToken(current process, access); null when it fails.
    virtual std::unique_ptr<ProcessToken> OpenProcessToken(std::uint32_t desiredAccess) = 0;
    // LookupPrivilegeValueW on the local system.
    virtual std::optional<PrivilegeId> LookupPrivilege(const std::wstring& name) = 0;
    // GetPwrCapabilities; nullopt when it fails.
    virtual std::optional<PowerCapabilities> ReadPowerCapabilities() = 0;
    // SetSuspendState(hibernate, FALSE, FALSE): 0 once the system has been suspended and has
    // woken again, else GetLastError's code.
    virtual std::uint32_t SetSuspendState(bool hibernate) = 0;
    // InitiateShutdownW(this computer, no message, no grace period, flags, reason): its answer,
    // 0 (ERROR_SUCCESS) when the shutdown has begun.
    virtual std::uint32_t InitiateShutdown(std::uint32_t flags, std::uint32_t reason) = 0;
};

}  // namespace tressel
