#pragma once
// Physical input for Wine tests: X11 events through XTest (xdotool), which Wine receives as
// hardware input, so low-level hooks see them with LLMHF_INJECTED clear (unlike SendInput).
//
// Wine's CreateProcessW starts Unix programs, but the handle it returns cannot be waited on;
// each call therefore runs xdotool through /bin/sh, which leaves a marker file with the exit
// status when it is done, and the call polls for that file. Needs DISPLAY (tools/wine-run.sh
// exports it). Coordinates are virtual-desktop screen coordinates (the desktop fills the X
// screen from its origin).
//
// X11 buttons: 1 left, 2 middle, 3 right, 4 wheel up, 5 wheel down, 8 XBUTTON1, 9 XBUTTON2.

#include <string>

namespace tressel::testing {

namespace x11_button {
inline constexpr int kLeft = 1;
inline constexpr int kMiddle = 2;
inline constexpr int kRight = 3;
inline constexpr int kWheelUp = 4;
inline constexpr int kWheelDown = 5;
inline constexpr int kXButton1 = 8;  // mouse data 1
inline constexpr int kXButton2 = 9;  // mouse data 2
}  // namespace x11_button

class PhysicalInput {
  public:
    // Each returns once the X server has the events; false (with a message on stderr) when
    // xdotool could not run or failed.
    static bool MoveTo(int x, int y);
    static bool Press(int button);
    static bool Release(int button);
    static bool Click(int button);
    // Positive notches turn the wheel up (button 4), negative ones down (button 5).
    static bool Wheel(int notches);
    // An X keysym name such as "a", "ctrl+c" or "F5".
    static bool KeyPress(const std::string& keysym);

    // Runs `xdotool <arguments>` and waits for it to end; true when it exited with 0.
    static bool Xdotool(const std::string& arguments);
};

// Moves the pointer off every window, to the top-left corner of the desktop. Alternates between
// two points: a synchronous move to where the pointer already is waits for a motion that never
// comes.
bool MovePointerAway();

}  // namespace tressel::testing
