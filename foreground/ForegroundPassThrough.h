#pragma once
// Which inputs pass to the program in front untouched. Over a program that synthesised input
// cannot reach, a remapped input would do nothing at all: every input then does its own job
// there, and is remapped again once that program leaves the front. The hook libraries stay
// installed and are told each change only; a press keeps the decision made when it came.

#include <array>

#include "config/ButtonId.h"
#include "foreground/ForegroundProgram.h"
#include "seam/HookLibraries.h"

namespace tressel {

class ForegroundPassThrough {
  public:
    explicit ForegroundPassThrough(HookLibraries& hooks) : hooks_(hooks) {}

    void OnForegroundChanged(const ForegroundProgram& program);
    // As above; besides, an input marked in `native` passes to any program it can reach: it does
    // its native job in the program in front.
    void Decide(bool reachable, const std::array<bool, kButtonCount>& native);
    bool Passes(ButtonId input) const { return passing_[ToIndex(input)]; }

  private:
    HookLibraries& hooks_;
    std::array<bool, kButtonCount> passing_{};
};

}  // namespace tressel
