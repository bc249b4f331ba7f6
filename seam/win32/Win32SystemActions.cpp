#include <windows.h>
#include <shellapi.h>

#include "seam/win32/Win32SystemActions.h"

#include <cstdlib>

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

int Win32SystemActions::RunCommandInterpreter(const std::string& commandLine) {
    return std::system(commandLine.c_str());
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

bool Win32SystemActions::SetSystemPowerState(bool suspend, bool force) {
    return ::SetSystemPowerState(suspend ? TRUE : FALSE, force ? TRUE : FALSE) != FALSE;
}

}  // namespace tressel
