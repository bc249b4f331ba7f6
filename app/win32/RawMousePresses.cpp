#include "app/win32/RawMousePresses.h"

namespace tressel {

// learn.microsoft.com/windows/win32/api/winuser/nf-winuser-registerrawinputdevices: usage page
// 1 (generic desktop), usage 2 (mouse).
bool RegisterRawMouse(HWND window) {
    RAWINPUTDEVICE mouse{0x01, 0x02, RIDEV_INPUTSINK, window};
    return RegisterRawInputDevices(&mouse, 1, sizeof mouse) != FALSE;
}

std::vector<ButtonId> RawMousePresses(LPARAM rawInput) {
    RAWINPUT raw{};
    UINT size = sizeof raw;
    if (GetRawInputData(reinterpret_cast<HRAWINPUT>(rawInput), RID_INPUT, &raw, &size,
                        sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1) ||
        raw.header.dwType != RIM_TYPEMOUSE || raw.header.hDevice == nullptr)
        return {};
    const USHORT flags = raw.data.mouse.usButtonFlags;
    std::vector<ButtonId> pressed;
    if (flags & RI_MOUSE_RIGHT_BUTTON_DOWN) pressed.push_back(ButtonId::R);
    if (flags & RI_MOUSE_MIDDLE_BUTTON_DOWN) pressed.push_back(ButtonId::M);
    // X1 answers the extra button of button data 2 (the fifth button), X2 the one of data 1.
    if (flags & RI_MOUSE_BUTTON_5_DOWN) pressed.push_back(ButtonId::X1);
    if (flags & RI_MOUSE_BUTTON_4_DOWN) pressed.push_back(ButtonId::X2);
    if (flags & RI_MOUSE_WHEEL) {
        const int delta = static_cast<short>(raw.data.mouse.usButtonData);
        if (delta <= -WHEEL_DELTA) pressed.push_back(ButtonId::WD);
        if (delta >= WHEEL_DELTA) pressed.push_back(ButtonId::WU);
    }
    return pressed;
}

}  // namespace tressel
