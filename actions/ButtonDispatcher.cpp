#include "actions/ButtonDispatcher.h"

#include <optional>

#include "actions/LaunchActions.h"
#include "config/HookGuard.h"

namespace tressel {
namespace {

// The pause between a click's press and release and after a chord's modifier. A plain Sleep on
// purpose, not the macros' precise wait: it is a minimum hold that lets the target see the press,
// not a rhythm the user set, so ending on the next clock tick (31 to 47 ms on Windows) changes
// nothing the user can tell, while a precise wait here would set up a high-resolution timer (or,
// on older systems, raise the timer resolution) on the window's thread for every single press.
constexpr std::uint32_t kClickDelayMs = 30;
constexpr std::uint16_t kVkLeftWindows = 0x5B;
constexpr std::uint16_t kVkControl = 0x11;
constexpr std::uint16_t kVkShift = 0x10;
constexpr std::uint16_t kVkAlt = 0x12;

struct MouseActionEvents {
    std::uint32_t downFlags;
    std::uint32_t upFlags;  // 0: a wheel notch, one record only
    std::int32_t mouseData;
    // The input whose hook would catch this synthesised event, lifted around it.
    ButtonId catchingHook;
    bool hasCatchingHook;
};

// Button and wheel events carry no move: they happen where the pointer is, on whatever monitor,
// and never pull it back to where it was a moment before (a position sent with the event would
// be one read before the send, and normalised coordinates can miss the pixel by one).
std::optional<MouseActionEvents> EventsFor(std::int32_t mouseAction) {
    using namespace mouse_flags;
    switch (mouseAction) {
        case LeftClick:
            return MouseActionEvents{kLeftDown, kLeftUp, 0, ButtonId::R, false};
        case RightClick:
            return MouseActionEvents{kRightDown, kRightUp, 0, ButtonId::R, true};
        case MiddleClick:
            return MouseActionEvents{kMiddleDown, kMiddleUp, 0, ButtonId::M, true};
        case X1Click:
            return MouseActionEvents{kXDown, kXUp, 2, ButtonId::X1, true};
        case X2Click:
            return MouseActionEvents{kXDown, kXUp, 1, ButtonId::X2, true};
        case WheelUp:
            return MouseActionEvents{kWheel, 0, 120, ButtonId::WU, true};
        case WheelDown:
            return MouseActionEvents{kWheel, 0, -120, ButtonId::WD, true};
        default:
            return std::nullopt;
    }
}

std::optional<std::uint16_t> ModifierFor(std::int32_t keyAction) {
    switch (keyAction) {
        case WinChord:
            return kVkLeftWindows;
        case CtrlChord:
            return kVkControl;
        case ShiftChord:
            return kVkShift;
        case AltChord:
            return kVkAlt;
        default:
            return std::nullopt;
    }
}

}  // namespace

ButtonDispatcher::ButtonDispatcher(Records& records, HookLibraries& hooks, InputSystem& input,
                                   SystemActions& system, ScriptStarter startScript)
    : records_(records),
      hooks_(hooks),
      input_(input),
      system_(system),
      startScript_(std::move(startScript)) {}

std::optional<PowerRefusal> ButtonDispatcher::DispatchButtonEvent(ButtonId pressed,
                                                                  WindowHandle window) {
    return DispatchButtonEvent(pressed, records_[ToIndex(pressed)], window);
}

std::optional<PowerRefusal> ButtonDispatcher::DispatchButtonEvent(ButtonId pressed,
                                                                  const ButtonSetting& record,
                                                                  WindowHandle window) {
    if (record.category == MouseButton) {
        PerformMouseAction(record.mouseAction, window);
    } else if (record.category == KeyOrCommand) {
        return PerformKeyAction(pressed, record);
    }
    return std::nullopt;
}

void ButtonDispatcher::PerformMouseAction(std::int32_t mouseAction, WindowHandle window,
                                          bool liftHook) {
    const auto events = EventsFor(mouseAction);
    if (!events) return;

    // The event must not be caught by the hook of the input it imitates: lift that hook for the
    // length of the event, but only when it was installed, and put it back afterwards.
    ButtonSetting* lifted = nullptr;
    if (liftHook && events->hasCatchingHook && records_[ToIndex(events->catchingHook)].hooked) {
        lifted = &records_[ToIndex(events->catchingHook)];
        RemoveGuarded(*lifted, events->catchingHook, hooks_, window);
    }

    InputRecord down = InputRecord::MouseEvent(0, 0, events->downFlags, events->mouseData);
    down.extraInfo = InputRecord::kDispatchMark;
    if (events->upFlags == 0) {
        input_.SendInput({&down, 1});
    } else {
        InputRecord up = InputRecord::MouseEvent(0, 0, events->upFlags, events->mouseData);
        up.extraInfo = InputRecord::kDispatchMark;
        SendClick(down, up);
    }

    if (lifted) InstallGuarded(*lifted, events->catchingHook, hooks_, window);
}

void ButtonDispatcher::SendClick(const InputRecord& down, const InputRecord& up) {
    input_.SendInput({&down, 1});
    input_.Sleep(kClickDelayMs);
    input_.SendInput({&up, 1});
}

std::optional<PowerRefusal> ButtonDispatcher::PerformKeyAction(ButtonId pressed,
                                                               const ButtonSetting& record) {
    const std::uint16_t key = record.keyCode;
    if (record.keyAction == SingleKey) {
        const InputRecord both[2] = {InputRecord::KeyEvent(key, 0),
                                     InputRecord::KeyEvent(key, kKeyEventKeyUp)};
        input_.SendInput(both);
    } else if (auto modifier = ModifierFor(record.keyAction)) {
        SendChord(*modifier, key);
    } else if (record.keyAction == Launch) {
        return PerformLaunch(record.launchTarget, system_);
    } else if (record.keyAction == Script) {
        if (startScript_) startScript_(pressed);
    }
    return std::nullopt;
}

void ButtonDispatcher::SendChord(std::uint16_t modifier, std::uint16_t key) {
    const InputRecord events[4] = {InputRecord::KeyEvent(modifier, 0),
                                   InputRecord::KeyEvent(key, 0),
                                   InputRecord::KeyEvent(key, kKeyEventKeyUp),
                                   InputRecord::KeyEvent(modifier, kKeyEventKeyUp)};
    input_.SendInput({&events[0], 1});
    input_.Sleep(kClickDelayMs);
    for (int i = 1; i < 4; ++i) input_.SendInput({&events[i], 1});
}

}  // namespace tressel
