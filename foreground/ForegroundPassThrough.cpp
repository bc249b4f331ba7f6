#include "foreground/ForegroundPassThrough.h"

namespace tressel {

void ForegroundPassThrough::OnForegroundChanged(const ForegroundProgram& program) {
    Decide(program.reachable, {});
}

void ForegroundPassThrough::Decide(bool reachable, const std::array<bool, kButtonCount>& native) {
    for (ButtonId input : kAllButtons) {
        const bool pass = !reachable || native[ToIndex(input)];
        if (passing_[ToIndex(input)] == pass) continue;
        passing_[ToIndex(input)] = pass;
        hooks_.SetPassThrough(input, pass);
    }
}

}  // namespace tressel
