#pragma once
// Command line and module path set by the test; ExitProcess is recorded, not performed.

#include <functional>

#include "fakes/CallLog.h"
#include "seam/ProcessInfo.h"

namespace tressel::testing {

class FakeProcessInfo : public ProcessInfo {
  public:
    explicit FakeProcessInfo(CallLog& log) : log_(log) {}
    std::wstring CommandLine() override { return commandLine; }
    std::wstring ModuleFileName() override { return moduleFileName; }
    std::wstring LocalAppDataFolder() override { return localAppData; }
    void ExitProcess(int exitCode) override {
        log_.Add("ExitProcess(" + std::to_string(exitCode) + ")");
        if (onExit) onExit();
    }

    std::wstring commandLine = L"\"C:\\Tools\\Tressel\\Tressel.exe\"";
    std::wstring moduleFileName = L"C:\\Tools\\Tressel\\Tressel.exe";
    std::wstring localAppData = L"C:\\Users\\Ada\\AppData\\Local";
    std::function<void()> onExit;  // what the test looks at the moment the process would end

  private:
    CallLog& log_;
};

}  // namespace tressel::testing
