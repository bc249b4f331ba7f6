#pragma once
// The six hook libraries' install and remove functions (installhook_R ... unstallhook_WU).

#include "config/ButtonId.h"
#include "seam/Types.h"

namespace tressel {

class HookLibraries {
  public:
    virtual ~HookLibraries() = default;
    virtual int Install(ButtonId input, WindowHandle window) = 0;
    virtual int Remove(ButtonId input, WindowHandle window) = 0;
};

}  // namespace tressel
