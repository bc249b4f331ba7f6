#pragma once
// Plain values that cross the platform seam. They mirror the Win32 structures closely enough
// that the Win32 side converts them field by field, and tests compare them whole.

#include <cstdint>
#include <string>

namespace tressel {

// An opaque window handle (HWND on Windows).
using WindowHandle = std::uintptr_t;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// Mouse event flags (MOUSEEVENTF_*).
namespace mouse_flags {
inline constexpr std::uint32_t kMove = 0x0001;
inline constexpr std::uint32_t kLeftDown = 0x0002;
inline constexpr std::uint32_t kLeftUp = 0x0004;
inline constexpr std::uint32_t kRightDown = 0x0008;
inline constexpr std::uint32_t kRightUp = 0x0010;
inline constexpr std::uint32_t kMiddleDown = 0x0020;
inline constexpr std::uint32_t kMiddleUp = 0x0040;
inline constexpr std::uint32_t kXDown = 0x0080;
inline constexpr std::uint32_t kXUp = 0x0100;
inline constexpr std::uint32_t kWheel = 0x0800;
inline constexpr std::uint32_t kVirtualDesk = 0x4000;
inline constexpr std::uint32_t kAbsolute = 0x8000;
}  // namespace mouse_flags

inline constexpr std::uint32_t kKeyEventExtendedKey = 0x0001;  // KEYEVENTF_EXTENDEDKEY
inline constexpr std::uint32_t kKeyEventKeyUp = 0x0002;        // KEYEVENTF_KEYUP

// One INPUT record. `type` 0 is a mouse event (INPUT_MOUSE), 1 a keyboard event (INPUT_KEYBOARD).
struct InputRecord {
    enum Type : std::uint32_t { Mouse = 0, Keyboard = 1 };
    Type type = Mouse;
    // Mouse part.
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    std::int32_t mouseData = 0;
    std::uint32_t mouseFlags = 0;
    // Keyboard part.
    std::uint16_t virtualKey = 0;
    std::uint16_t scanCode = 0;
    std::uint32_t keyFlags = 0;
    // Shared.
    std::uint32_t time = 0;
    std::uintptr_t extraInfo = 0;

    bool operator==(const InputRecord&) const = default;

    // The extra information of the mouse events the dispatch synthesises for a remapped input
    // ("TRES"), so that the raw input tells them from the user's: Windows gives injected input
    // no device there, Wine gives every event one.
    static constexpr std::uintptr_t kDispatchMark = 0x54524553;

    static InputRecord MouseEvent(std::int32_t dx, std::int32_t dy, std::uint32_t flags,
                                  std::int32_t data = 0) {
        InputRecord r;
        r.type = Mouse;
        r.dx = dx;
        r.dy = dy;
        r.mouseFlags = flags;
        r.mouseData = data;
        return r;
    }
    static InputRecord KeyEvent(std::uint16_t vk, std::uint32_t flags, std::uintptr_t extra = 0) {
        InputRecord r;
        r.type = Keyboard;
        r.virtualKey = vk;
        r.keyFlags = flags;
        r.extraInfo = extra;
        return r;
    }
};

}  // namespace tressel
