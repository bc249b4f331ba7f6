#pragma once
// SystemActions on Win32: ShellExecuteW, the process token with AdjustTokenPrivileges,
// LookupPrivilegeValueW, GetPwrCapabilities and SetSuspendState (powrprof.dll) and
// InitiateShutdownW.

#include "seam/SystemActions.h"

namespace tressel {

class Win32SystemActions : public SystemActions {
  public:
    void OpenWithShell(const std::wstring& verb, const std::wstring& file,
                       const std::wstring& parameters, const std::wstring& directory,
                       int showCommand) override;
    std::unique_ptr<ProcessToken> OpenProcessToken(std::uint32_t desiredAccess) override;
    std::optional<PrivilegeId> LookupPrivilege(const std::wstring& name) override;
    std::optional<PowerCapabilities> ReadPowerCapabilities() override;
    std::uint32_t SetSuspendState(bool hibernate) override;
    std::uint32_t InitiateShutdown(std::uint32_t flags, std::uint32_t reason) override;
};

}  // namespace tressel
