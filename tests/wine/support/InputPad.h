#pragma once
// A plain top-most window of the test process that logs the mouse and keyboard messages it
// gets: the "window under the pointer" of end-to-end tests.

#include <windows.h>

#include <vector>

namespace tressel::testing {

class InputPad {
  public:
    struct Logged {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    InputPad(int x, int y, int width, int height);
    InputPad(const InputPad&) = delete;
    InputPad& operator=(const InputPad&) = delete;
    ~InputPad();

    HWND Handle() const { return window_; }
    RECT ScreenRect() const;
    POINT Centre() const;

    const std::vector<Logged>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    int Count(UINT message) const;
    // Mouse button and wheel messages other than the left button's.
    int CountOtherButtonMessages() const;

    // Moves the pointer onto the pad at (dx, dy) from its top-left corner (by way of a nearby
    // point) and waits until the pad saw the move; then clicks it with the left button (which
    // also activates it) and waits for the click. False when either did not arrive.
    bool PointAndActivate(int dx, int dy);
    // A physical left click at the pointer, waited for: everything caused by input before it
    // has been delivered once it arrived.
    bool ClickSentinel();

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::vector<Logged> log_;
};

}  // namespace tressel::testing
