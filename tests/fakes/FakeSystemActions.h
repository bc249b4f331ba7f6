#pragma once
// Recording shell, command interpreter and power functions.

#include <memory>
#include <optional>

#include "fakes/CallLog.h"
#include "fakes/Describe.h"
#include "seam/SystemActions.h"

namespace tressel::testing {

class FakeSystemActions : public SystemActions {
  public:
    explicit FakeSystemActions(CallLog& log) : log_(log) {}

    void OpenWithShell(const std::wstring& verb, const std::wstring& file,
                       const std::wstring& parameters, const std::wstring& directory,
                       int showCommand) override {
        log_.Add("ShellExecute(" + Narrow(verb) + ", \"" + Narrow(file) + "\", \"" +
                 Narrow(parameters) + "\", \"" + Narrow(directory) + "\", " +
                 std::to_string(showCommand) + ")");
    }
    int RunCommandInterpreter(const std::string& commandLine) override {
        log_.Add("system(\"" + commandLine + "\")");
        return 0;
    }
    std::unique_ptr<ProcessToken> OpenProcessToken(std::uint32_t desiredAccess) override {
        log_.Add("OpenProcessToken(0x" + Hex(desiredAccess) + ")" + (tokenOpens ? "" : " failed"));
        if (!tokenOpens) return nullptr;
        return std::make_unique<Token>(log_, adjustSucceeds);
    }
    std::optional<PrivilegeId> LookupPrivilege(const std::wstring& name) override {
        log_.Add("LookupPrivilegeValue(" + Narrow(name) + ")" + (lookupSucceeds ? "" : " failed"));
        if (!lookupSucceeds) return std::nullopt;
        return PrivilegeId{19, 0};
    }
    bool SetSystemPowerState(bool suspend, bool force) override {
        log_.Add(std::string("SetSystemPowerState(suspend=") + (suspend ? "1" : "0") +
                 ", force=" + (force ? "1" : "0") + ")");
        return true;
    }

    bool tokenOpens = true;
    bool lookupSucceeds = true;
    bool adjustSucceeds = true;

  private:
    static std::string Hex(std::uint32_t v) {
        char b[16];
        std::snprintf(b, sizeof b, "%X", v);
        return b;
    }
    class Token : public ProcessToken {
      public:
        Token(CallLog& log, bool succeeds) : log_(log), succeeds_(succeeds) {}
        ~Token() override { log_.Add("CloseToken"); }
        bool AdjustPrivilege(PrivilegeId privilege, std::uint32_t attributes) override {
            log_.Add("AdjustTokenPrivileges(luid=" + std::to_string(privilege.low) +
                     ", attributes=" + std::to_string(attributes) + ")");
            return succeeds_;
        }

      private:
        CallLog& log_;
        bool succeeds_;
    };
    CallLog& log_;
};

}  // namespace tressel::testing
