#pragma once
// The six hook libraries' install and remove functions (installhook_R ... unstallhook_WU), and
// their pass-through switch (passhook_R ... passhook_WU).

#include "config/ButtonId.h"
#include "seam/Types.h"

namespace tressel {

class HookLibraries {
  public:
    virtual ~HookLibraries() = default;
    virtual int Install(ButtonId input, WindowHandle window) = 0;
    virtual int Remove(ButtonId input, WindowHandle window) = 0;
    // While `pass` holds, the input's physical presses reach the program in front untouched,
    // though the hook stays installed; a press already taken keeps its release taken.
    virtual void SetPassThrough(ButtonId input, bool pass) = 0;
};

}  // namespace tressel
