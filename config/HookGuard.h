#pragma once
// Installing and removing an input's hook, always together with its `hooked` flag and guarded
// by it, so that a hook is never installed twice nor removed when it is not installed.

#include "config/ButtonId.h"
#include "config/ButtonSetting.h"
#include "seam/HookLibraries.h"
#include "seam/Types.h"

namespace tressel {

// Installs the input's hook only when `record.hooked` is false, then sets it. The library's
// result is not looked at.
void InstallGuarded(ButtonSetting& record, ButtonId input, HookLibraries& hooks,
                    WindowHandle window);

// Removes the input's hook only when `record.hooked` is true, then clears it.
void RemoveGuarded(ButtonSetting& record, ButtonId input, HookLibraries& hooks,
                   WindowHandle window);

}  // namespace tressel
