#pragma once
// Recording shell and power functions. The power calls answer as the Win32 documentation has
// them: without SE_SHUTDOWN_NAME enabled in the token, SetSuspendState fails with
// ERROR_PRIVILEGE_NOT_HELD and InitiateShutdownW with ERROR_ACCESS_DENIED.

#include <memory>
#include <optional>

#include "fakes/CallLog.h"
#include "fakes/Describe.h"
#include "seam/SystemActions.h"

namespace tressel::testing {

class FakeSystemActions : public SystemActions {
  public:
    static constexpr std::uint32_t kErrorAccessDenied = 5;
    static constexpr std::uint32_t kErrorPrivilegeNotHeld = 1314;
    static constexpr std::uint32_t kShutdownLuid = 19;

    explicit FakeSystemActions(CallLog& log) : log_(log) {}

    void OpenWithShell(const std::wstring& verb, const std::wstring& file,
                       const std::wstring& parameters, const std::wstring& directory,
                       int showCommand) override {
        log_.Add("ShellExecute(" + Narrow(verb) + ", \"" + Narrow(file) + "\", \"" +
                 Narrow(parameters) + "\", \"" + Narrow(directory) + "\", " +
                 std::to_string(showCommand) + ")");
    }
    std::unique_ptr<ProcessToken> OpenProcessToken(std::uint32_t desiredAccess) override {
        log_.Add("OpenProcessToken(0x" + Hex(desiredAccess) + ")" + (tokenOpens ? "" : " failed"));
        if (!tokenOpens) return nullptr;
        return std::make_unique<Token>(*this);
    }
    std::optional<PrivilegeId> LookupPrivilege(const std::wstring& name) override {
        log_.Add("LookupPrivilegeValue(" + Narrow(name) + ")" + (lookupSucceeds ? "" : " failed"));
        if (!lookupSucceeds) return std::nullopt;
        return PrivilegeId{kShutdownLuid, 0};
    }
    std::optional<PowerCapabilities> ReadPowerCapabilities() override {
        log_.Add("GetPwrCapabilities");
        return capabilities;
    }
    std::uint32_t SetSuspendState(bool hibernate) override {
        log_.Add(std::string("SetSuspendState(hibernate=") + (hibernate ? "1" : "0") + ")");
        return shutdownPrivilegeEnabled ? suspendAnswer : kErrorPrivilegeNotHeld;
    }
    std::uint32_t InitiateShutdown(std::uint32_t flags, std::uint32_t reason) override {
        log_.Add("InitiateShutdown(flags=0x" + Hex(flags) + ", reason=0x" + Hex(reason) + ")");
        return shutdownPrivilegeEnabled ? shutdownAnswer : kErrorAccessDenied;
    }

    bool tokenOpens = true;
    bool lookupSucceeds = true;
    bool adjustSucceeds = true;
    // A desktop computer's: standby S3, hibernation with its file.
    std::optional<PowerCapabilities> capabilities =
        PowerCapabilities{.systemS3 = true, .systemS4 = true, .hiberFilePresent = true};
    std::uint32_t suspendAnswer = 0;
    std::uint32_t shutdownAnswer = 0;
    bool shutdownPrivilegeEnabled = false;

  private:
    static std::string Hex(std::uint32_t v) {
        char b[16];
        std::snprintf(b, sizeof b, "%X", v);
        return b;
    }
    class Token : public ProcessToken {
      public:
        explicit Token(FakeSystemActions& owner) : owner_(owner) {}
        ~Token() override { owner_.log_.Add("CloseToken"); }
        bool AdjustPrivilege(PrivilegeId privilege, std::uint32_t attributes) override {
            owner_.log_.Add("AdjustTokenPrivileges(luid=" + std::to_string(privilege.low) +
                            ", attributes=" + std::to_string(attributes) + ")");
            if (!owner_.adjustSucceeds) return false;
            if (privilege.low == kShutdownLuid) owner_.shutdownPrivilegeEnabled = attributes & 2;
            return true;
        }

      private:
        FakeSystemActions& owner_;
    };
    CallLog& log_;
};

}  // namespace tressel::testing
