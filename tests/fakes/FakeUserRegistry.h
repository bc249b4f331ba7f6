#pragma once
// In-memory per-user store, Run key and StartupApproved values, recording every change.

#include <map>
#include <optional>

#include "fakes/CallLog.h"
#include "fakes/Describe.h"
#include "seam/UserRegistry.h"

namespace tressel::testing {

class FakeUserRegistry : public UserRegistry {
  public:
    explicit FakeUserRegistry(CallLog& log) : log_(log) {}

    std::optional<std::wstring> ReadProfileValue(const std::wstring& section,
                                                 const std::wstring& entry) override {
        auto it = profile.find(section + L"/" + entry);
        if (it == profile.end()) return std::nullopt;
        return it->second;
    }
    bool WriteProfileValue(const std::wstring& section, const std::wstring& entry,
                           const std::wstring& value) override {
        profile[section + L"/" + entry] = value;
        log_.Add("WriteProfileValue(" + Narrow(section) + ", " + Narrow(entry) + ", " +
                 Narrow(value) + ")");
        return true;
    }
    std::optional<std::wstring> ReadRunValue(const std::wstring& name) override {
        auto it = run.find(name);
        if (!runKeyExists || it == run.end()) return std::nullopt;
        return it->second;
    }
    bool SetRunValue(const std::wstring& name, const std::wstring& commandLine) override {
        log_.Add("SetRunValue(" + Narrow(name) + ", " + Narrow(commandLine) + ")");
        if (!runKeyExists) return false;
        run[name] = commandLine;
        return true;
    }
    bool DeleteRunValue(const std::wstring& name) override {
        log_.Add("DeleteRunValue(" + Narrow(name) + ")");
        if (!runKeyExists) return false;
        return run.erase(name) > 0;
    }

    std::optional<std::vector<std::uint8_t>> ReadStartupApproval(
        const std::wstring& name) override {
        auto it = approval.find(name);
        if (it == approval.end()) return std::nullopt;
        return it->second;
    }
    bool DeleteStartupApproval(const std::wstring& name) override {
        log_.Add("DeleteStartupApproval(" + Narrow(name) + ")");
        return approval.erase(name) > 0;
    }

    std::map<std::wstring, std::wstring> profile;
    std::map<std::wstring, std::wstring> run;
    std::map<std::wstring, std::vector<std::uint8_t>> approval;  // StartupApproved\Run
    bool runKeyExists = true;

  private:
    CallLog& log_;
};

}  // namespace tressel::testing
