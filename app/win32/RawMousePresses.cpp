#include "app/win32/RawMousePresses.h"

#include "seam/Types.h"

namespace tressel {

// learn.microsoft.com/windows/win32/api/winuser/nf-winuser-registerrawinputdevices: usage page
// 1 (generic desktop), usage 2 (mouse).
bool RegisterRawMouse(HWND window) {
    RAWINPUTDEVICE mouse{0x01, 0x02, RIDEV_INPUTSINK, window};
    return RegisterRawInputDevices(&mouse, 1, sizeof mouse) != FALSE;
}

RawMouseButtons ReadRawMouseButtons(LPARAM rawInput) {
    RAWINPUT raw{};
    UINT size = sizeof raw;
    if (GetRawInputData(reinterpret_cast<HRAWINPUT>(rawInput), RID_INPUT, &raw, &size,
                        sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1) ||
        raw.header.dwType != RIM_TYPEMOUSE || raw.header.hDevice == nullptr ||
        raw.data.mouse.ulExtraInformation == InputRecord::kDispatchMark)
        return {};
    struct ButtonFlags {
        USHORT down;
        USHORT up;
        ButtonId input;
    };
    // X1 answers the extra button of button data 2 (the fifth button), X2 the one of data 1.
    constexpr ButtonFlags kButtons[] = {
        {RI_MOUSE_RIGHT_BUTTON_DOWN, RI_MOUSE_RIGHT_BUTTON_UP, ButtonId::R},
        {RI_MOUSE_MIDDLE_BUTTON_DOWN, RI_MOUSE_MIDDLE_BUTTON_UP, ButtonId::M},
        {RI_MOUSE_BUTTON_5_DOWN, RI_MOUSE_BUTTON_5_UP, ButtonId::X1},
        {RI_MOUSE_BUTTON_4_DOWN, RI_MOUSE_BUTTON_4_UP, ButtonId::X2},
    };
    const USHORT flags = raw.data.mouse.usButtonFlags;
    RawMouseButtons buttons;
    for (const ButtonFlags& button : kButtons) {
        if (flags & button.down) buttons.pressed.push_back(button.input);
        if (flags & button.up) buttons.released.push_back(button.input);
    }
    if (flags & RI_MOUSE_WHEEL) {
        const int delta = static_cast<short>(raw.data.mouse.usButtonData);
        if (delta <= -WHEEL_DELTA) buttons.pressed.push_back(ButtonId::WD);
        if (delta >= WHEEL_DELTA) buttons.pressed.push_back(ButtonId::WU);
    }
    return buttons;
}

}  // namespace tressel
