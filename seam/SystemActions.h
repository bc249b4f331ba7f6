#pragma once
// Shell launch, the command interpreter and the power functions with the shutdown privilege.

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

class SystemActions {
  public:
    virtual ~SystemActions() = default;
    // ShellExecuteW(no owner, verb, file, parameters, directory, show command).
    virtual void OpenWithShell(const std::wstring& verb, const std::wstring& file,
                               const std::wstring& parameters, const std::wstring& directory,
                               int showCommand) = 0;
    // The C runtime's system(): hands the line to the command interpreter and waits.
    virtual int RunCommandInterpreter(const std::string& commandLine) = 0;
    // OpenProcessToken(current process, access); null when it fails.
    virtual std::unique_ptr<ProcessToken> OpenProcessToken(std::uint32_t desiredAccess) = 0;
    // LookupPrivilegeValueW on the local system.
    virtual std::optional<PrivilegeId> LookupPrivilege(const std::wstring& name) = 0;
    virtual bool SetSystemPowerState(bool suspend, bool force) = 0;
};

}  // namespace tressel
