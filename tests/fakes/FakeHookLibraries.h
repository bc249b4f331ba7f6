#pragma once
// Recording hook libraries: "Install(X1, 0x42)" / "Remove(X1, 0x42)" / "PassThrough(X1, on)" /
// "ReleaseSeen(X1, 1234)" in the call log.

#include <array>
#include <cstdio>
#include <string>

#include "fakes/CallLog.h"
#include "fakes/Describe.h"
#include "seam/HookLibraries.h"

namespace tressel::testing {

class FakeHookLibraries : public HookLibraries {
  public:
    explicit FakeHookLibraries(CallLog& log) : log_(log) {}

    int Install(ButtonId input, WindowHandle window) override {
        installed_[ToIndex(input)] = true;
        log_.Add(Entry("Install", input, window));
        return 1;
    }
    int Remove(ButtonId input, WindowHandle window) override {
        installed_[ToIndex(input)] = false;
        log_.Add(Entry("Remove", input, window));
        return 1;
    }
    void SetPassThrough(ButtonId input, bool pass) override {
        log_.Add("PassThrough(" + Describe(input) + (pass ? ", on)" : ", off)"));
    }
    void ReleaseSeen(ButtonId input, std::uint32_t time) override {
        log_.Add("ReleaseSeen(" + Describe(input) + ", " + std::to_string(time) + ")");
    }
    bool Installed(ButtonId input) const { return installed_[ToIndex(input)]; }

    static std::string Entry(const char* what, ButtonId input, WindowHandle window) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%s(%s, 0x%llX)", what, Describe(input).c_str(),
                      static_cast<unsigned long long>(window));
        return buffer;
    }

  private:
    CallLog& log_;
    std::array<bool, kButtonCount> installed_{};
};

}  // namespace tressel::testing
