#include <windows.h>
#include <powrprof.h>
#include <shellapi.h>

#include "seam/win32/Win32SystemActions.h"

#include <cstddef>

#include "framework/UniqueHandle.h"

namespace tressel {
namespace {

class Win32ProcessToken : public ProcessToken {
  public:
    explicit Win32ProcessToken(HANDLE token) : token_(token) {}

    bool AdjustPrivilege(PrivilegeId privilege, std::uint32_t attributes) override {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Luid.LowPart = privilege.low;
        privileges.Privileges[0].Luid.HighPart = privilege.high;
        privileges.Privileges[0].Attributes = attributes;
        if (!::AdjustTokenPrivileges(token_.get(), FALSE, &privileges, 0, nullptr, nullptr))
            return false;
        // The call succeeds even when the token does not hold the privilege.
        return ::GetLastError() != ERROR_NOT_ALL_ASSIGNED;
    }

  private:
    UniqueKernelHandle token_;
};

}  // namespace

void Win32SystemActions::OpenWithShell(const std::wstring& verb, const std::wstring& file,
                                       const std::wstring& parameters,
                                       const std::wstring& directory, int showCommand) {
    // The remapped press that asks for the launch gave the foreground right to this process,
    // not to the program it starts: passed on, so that the program opens in front
    // (https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-allowsetforegroundwindow).
    AllowSetForegroundWindow(ASFW_ANY);
    ::ShellExecuteW(nullptr, verb.c_str(), file.c_str(), parameters.c_str(), directory.c_str(),
                    showCommand);
}

std::unique_ptr<ProcessToken> Win32SystemActions::OpenProcessToken(std::uint32_t desiredAccess) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), desiredAccess, &token)) return nullptr;
    return std::make_unique<Win32ProcessToken>(token);
}

std::optional<PrivilegeId> Win32SystemActions::LookupPrivilege(const std::wstring& name) {
    LUID luid{};
    if (!::LookupPrivilegeValueW(nullptr, name.c_str(), &luid)) return std::nullopt;
    return PrivilegeId{luid.LowPart, luid.HighPart};
}

std::optional<PowerCapabilities> Win32SystemActions::ReadPowerCapabilities() {
    // mingw-w64's declaration predates Hiberboot, WakeAlarmPresent and AoAc, which Windows'
    // own (winnt.h, SYSTEM_POWER_CAPABILITIES) puts in the three bytes after FastSystemS4 that
    // mingw-w64 calls spare2: AoAc is the third.
    static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, FastSystemS4) == 0x11);
    static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, spare2) == 0x12);
    SYSTEM_POWER_CAPABILITIES caps{};
    if (!::GetPwrCapabilities(&caps)) return std::nullopt;
    return PowerCapabilities{caps.SystemS1 != FALSE,         caps.SystemS2 != FALSE,
                             caps.SystemS3 != FALSE,         caps.SystemS4 != FALSE,
                             caps.HiberFilePresent != FALSE, caps.spare2[2] != 0};
}

std::uint32_t Win32SystemActions::SetSuspendState(bool hibernate) {
    // The second argument has no effect (Win32 documentation, SetSuspendState); wake events
    // stay enabled.
    if (::SetSuspendState(hibernate ? TRUE : FALSE, FALSE, FALSE)) return ERROR_SUCCESS;
    const DWORD error = ::GetLastError();
    return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

std::uint32_t Win32SystemActions::InitiateShutdown(std::uint32_t flags, std::uint32_t reason) {
    return ::InitiateShutdownW(nullptr, nullptr, 0, flags, reason);
}

}  // namespace tressel
