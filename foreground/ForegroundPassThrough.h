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
    bool Passes(ButtonId input) const { return passing_[ToIndex(input)]; }

  private:
    HookLibraries& hooks_;
    std::array<bool, kButtonCount> passing_{};
};

}  // namespace tressel
