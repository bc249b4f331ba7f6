#include "foreground/ForegroundPassThrough.h"

namespace tressel {

void ForegroundPassThrough::OnForegroundChanged(const ForegroundProgram& program) {
    for (ButtonId input : kAllButtons) {
        const bool pass = !program.reachable;
        if (passing_[ToIndex(input)] == pass) continue;
        passing_[ToIndex(input)] = pass;
        hooks_.SetPassThrough(input, pass);
    }
}

}  // namespace tressel
