#pragma once
// HookLibraries on Win32: the six libraries' exports, imported at link time (a missing library
// keeps the program from starting).

#include "seam/HookLibraries.h"

namespace tressel {

class Win32HookLibraries : public HookLibraries {
  public:
    int Install(ButtonId input, WindowHandle window) override;
    int Remove(ButtonId input, WindowHandle window) override;
    void SetPassThrough(ButtonId input, bool pass) override;
    void ReleaseSeen(ButtonId input, std::uint32_t time) override;
};

}  // namespace tressel
