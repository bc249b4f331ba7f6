#pragma once
// Recording dialog window: control texts are kept (captions), show commands, timers and
// invalidations are logged.

#include <map>

#include "fakes/CallLog.h"
#include "fakes/Describe.h"
#include "seam/WindowHost.h"

namespace tressel::testing {

class FakeWindowHost : public WindowHost {
  public:
    explicit FakeWindowHost(CallLog& log) : log_(log) {}

    WindowHandle Handle() override { return handle; }
    void SetControlText(int controlId, const std::wstring& text) override {
        texts_[controlId] = text;
        log_.Add("SetControlText(" + std::to_string(controlId) + ", \"" + Narrow(text) + "\")");
    }
    std::wstring GetControlText(int controlId) override { return texts_[controlId]; }
    void ShowWindow(int showCommand) override {
        log_.Add("ShowWindow(" + std::to_string(showCommand) + ")");
    }
    void SetForegroundWindow() override { log_.Add("SetForegroundWindow"); }
    void SetTimer(std::uintptr_t timerId, std::uint32_t milliseconds) override {
        log_.Add("SetTimer(" + std::to_string(timerId) + ", " + std::to_string(milliseconds) + ")");
    }
    void KillTimer(std::uintptr_t timerId) override {
        log_.Add("KillTimer(" + std::to_string(timerId) + ")");
    }
    Rect GetControlWindowRect(int controlId) override {
        auto it = rects.find(controlId);
        return it == rects.end() ? Rect{} : it->second;
    }
    Rect ScreenToClient(const Rect& screen) override {
        return {screen.left - clientOrigin.x, screen.top - clientOrigin.y,
                screen.right - clientOrigin.x, screen.bottom - clientOrigin.y};
    }
    void InvalidateRect(const Rect& client, bool erase) override {
        log_.Add("InvalidateRect(" + std::to_string(client.left) + "," +
                 std::to_string(client.top) + "," + std::to_string(client.right) + "," +
                 std::to_string(client.bottom) + (erase ? ", erase)" : ", no erase)"));
    }

    std::wstring Text(int controlId) const {
        auto it = texts_.find(controlId);
        return it == texts_.end() ? std::wstring() : it->second;
    }

    WindowHandle handle = 0x42;
    Point clientOrigin{100, 50};
    std::map<int, Rect> rects;

  private:
    CallLog& log_;
    std::map<int, std::wstring> texts_;
};

}  // namespace tressel::testing
