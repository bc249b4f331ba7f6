#pragma once
// The per-input record: what a press of the input does. The caption is not held here: it is
// the window text of the input's button control, read and written through the window.

#include <cstdint>
#include <string>

namespace tressel {

enum ActionCategory : std::int32_t { MouseButton = 0, KeyOrCommand = 1 };

enum MouseAction : std::int32_t {
    LeftClick = 0,
    RightClick = 1,
    MiddleClick = 2,
    X1Click = 3,
    X2Click = 4,
    WheelUp = 5,
    WheelDown = 6,
};

enum KeyAction : std::int32_t {
    SingleKey = 0,
    WinChord = 1,
    CtrlChord = 2,
    ShiftChord = 3,
    AltChord = 4,
    Launch = 5,
    Script = 6,
};

// Fields hold raw numbers: a hand-edited settings file may store values outside the enums,
// and those must make a press do nothing rather than be coerced.
struct ButtonSetting {
    bool hooked = false;
    std::int32_t keyAction = 0;
    std::uint8_t keyCode = 0;
    std::int32_t mouseAction = 0;
    std::wstring launchTarget;
    std::int32_t category = 0;
    std::wstring scriptFile;
    std::wstring note;

    bool operator==(const ButtonSetting&) const = default;
};

}  // namespace tressel
