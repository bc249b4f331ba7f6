#include "macros/MacroPlayer.h"

#include <cstdint>

#include "actions/AbsoluteCoordinates.h"
#include "macros/MacroArgument.h"
#include "macros/PlaybackSession.h"

namespace tressel {
namespace {

// Two's-complement wrap instead of signed overflow: a script may move the macro position by
// any amount, and the sum then behaves as the 32-bit addition of the platform would.
std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

class MacroRun {
  public:
    explicit MacroRun(InputSystem& input)
        : input_(input), desktop_(input.VirtualScreen()), waits_(input) {
        const Point start = input_.GetCursorPos();
        x_ = ToVirtualDesk(start.x, desktop_.left, desktop_.Width());
        y_ = ToVirtualDesk(start.y, desktop_.top, desktop_.Height());
        const std::uintptr_t extra = input_.GetMessageExtraInfo() & 0xFFFF;
        keyDown_ = InputRecord::KeyEvent(0, 0, extra);
        keyUp_ = InputRecord::KeyEvent(0, kKeyEventKeyUp, extra);
    }

    void Play(std::wstring_view line) {
        if (line.empty()) return;
        // A line that sends waits while the session is locked, before it reads the pointer:
        // sent now, its event would be refused (a key left held, a click lost).
        if (line[0] != L'g') input_.WaitUntilInputIsAccepted();
        using namespace mouse_flags;
        switch (line[0]) {
            case L'a':
                SendMouse(kPosition | kLeftDown);
                break;
            case L'b':
                SendMouse(kPosition | kLeftUp);
                break;
            case L'g': {
                // A negative wait counts as none rather than as a wait of about 49 days.
                const std::int32_t milliseconds = MacroArgument(line);
                waits_.Wait(milliseconds < 0 ? 0 : static_cast<std::uint32_t>(milliseconds));
                break;
            }
            case L'h':
                x_ = WrappingAdd(
                    ToVirtualDesk(input_.GetCursorPos().x, desktop_.left, desktop_.Width()),
                    MacroArgument(line));
                SendMouse(kPosition);
                break;
            case L'i':
                y_ = WrappingAdd(y_, MacroArgument(line));
                SendMouse(kPosition);
                break;
            case L'j':
                SendKey(keyDown_, MacroArgument(line));
                break;
            case L'k':
                SendKey(keyUp_, MacroArgument(line));
                break;
            default:
                break;
        }
    }

  private:
    void SendMouse(std::uint32_t flags) {
        const InputRecord record = InputRecord::MouseEvent(x_, y_, flags);
        input_.SendInput({&record, 1});
    }
    void SendKey(InputRecord& keyTemplate, std::int32_t virtualKey) {
        keyTemplate.virtualKey = static_cast<std::uint16_t>(virtualKey);
        input_.SendInput({&keyTemplate, 1});
    }

    // Macro positions are normalised over the whole virtual desktop, so a macro plays where it
    // starts, on any monitor.
    static constexpr std::uint32_t kPosition =
        mouse_flags::kAbsolute | mouse_flags::kVirtualDesk | mouse_flags::kMove;

    InputSystem& input_;
    Rect desktop_;
    PlaybackSession waits_;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    InputRecord keyDown_;
    InputRecord keyUp_;
};

}  // namespace

void PlayMacroLines(const MacroLineList& list, InputSystem& input) {
    MacroRun run(input);
    for (std::size_t index = 0;; ++index) {
        const MacroLineList::Snapshot lines = list.Current();
        if (index >= lines->size()) break;
        run.Play((*lines)[index]);
    }
}

void PlayMacroLines(ButtonId input, InputSystem& system) {
    PlayMacroLines(MacroLinesOf(input), system);
}

}  // namespace tressel
