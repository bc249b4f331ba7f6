#include "wine/support/PhysicalInput.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "wine/support/UnixCommand.h"

namespace tressel::testing {
namespace {

constexpr auto kTimeout = std::chrono::seconds(20);

}  // namespace

bool PhysicalInput::Xdotool(const std::string& arguments) {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "PhysicalInput: DISPLAY is not set (run under tools/wine-run.sh)\n");
        return false;
    }
    return RunUnixCommand("/usr/bin/xdotool " + arguments, kTimeout);
}

bool PhysicalInput::MoveTo(int x, int y) {
    // `--sync` waits for the pointer to move, which never happens when it is already there:
    // step one pixel aside first, so that the final move always is a motion.
    const std::string target = std::to_string(x) + " " + std::to_string(y);
    const std::string aside = std::to_string(x > 0 ? x - 1 : x + 1) + " " + std::to_string(y);
    return Xdotool("mousemove " + aside + " mousemove --sync " + target);
}

bool PhysicalInput::Press(int button) { return Xdotool("mousedown " + std::to_string(button)); }

bool PhysicalInput::Release(int button) { return Xdotool("mouseup " + std::to_string(button)); }

bool PhysicalInput::Click(int button) { return Xdotool("click " + std::to_string(button)); }

bool PhysicalInput::Wheel(int notches) {
    if (notches == 0) return true;
    const int button = notches > 0 ? x11_button::kWheelUp : x11_button::kWheelDown;
    return Xdotool("click --repeat " + std::to_string(notches > 0 ? notches : -notches) +
                   " --delay 1 " + std::to_string(button));
}

bool PhysicalInput::KeyPress(const std::string& keysym) { return Xdotool("key " + keysym); }

bool MovePointerAway() {
    static int turn = 0;
    const int at = (++turn % 2) ? 5 : 9;
    return PhysicalInput::MoveTo(at, at);
}

}  // namespace tressel::testing
