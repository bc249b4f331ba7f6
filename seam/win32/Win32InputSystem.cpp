#include "seam/win32/Win32InputSystem.h"

#include <vector>

namespace tressel {

INPUT Win32InputSystem::ToInput(const InputRecord& record) {
    INPUT input{};
    if (record.type == InputRecord::Keyboard) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = record.virtualKey;
        input.ki.wScan = record.scanCode;
        input.ki.dwFlags = record.keyFlags;
        input.ki.time = record.time;
        input.ki.dwExtraInfo = record.extraInfo;
    } else {
        input.type = INPUT_MOUSE;
        input.mi.dx = record.dx;
        input.mi.dy = record.dy;
        // mouseData is a DWORD; a wheel's negative delta travels as its two's complement.
        input.mi.mouseData = static_cast<DWORD>(record.mouseData);
        input.mi.dwFlags = record.mouseFlags;
        input.mi.time = record.time;
        input.mi.dwExtraInfo = record.extraInfo;
    }
    return input;
}

void Win32InputSystem::SendInput(std::span<const InputRecord> records) {
    std::vector<INPUT> inputs;
    inputs.reserve(records.size());
    for (const InputRecord& record : records) inputs.push_back(ToInput(record));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Win32InputSystem::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

Point Win32InputSystem::GetCursorPos() {
    POINT point{};
    ::GetCursorPos(&point);  // on failure the position stays (0, 0)
    return {point.x, point.y};
}

std::int32_t Win32InputSystem::ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }

std::int32_t Win32InputSystem::ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

std::uintptr_t Win32InputSystem::GetMessageExtraInfo() {
    return static_cast<std::uintptr_t>(::GetMessageExtraInfo());
}

}  // namespace tressel
