#pragma once
// The six hook libraries' install and remove functions (installhook_R ... unstallhook_WU), their
// pass-through switch (passhook_R ... passhook_WU) and what they are told of releases
// (releaseseen_R ... releaseseen_WU).

#include <cstdint>

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
    // The raw input showed a physical release of the input at `time` (the message time, in ms of
    // the system's tick count): a press the hook took before then has had its release, whether
    // the hook saw that release or not (it may have been lifted or removed meanwhile).
    virtual void ReleaseSeen(ButtonId input, std::uint32_t time) = 0;
};

}  // namespace tressel
