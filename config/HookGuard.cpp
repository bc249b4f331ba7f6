#include "config/HookGuard.h"

namespace tressel {

void InstallGuarded(ButtonSetting& record, ButtonId input, HookLibraries& hooks,
                    WindowHandle window) {
    if (record.hooked) return;
    hooks.Install(input, window);
    record.hooked = true;
}

void RemoveGuarded(ButtonSetting& record, ButtonId input, HookLibraries& hooks,
                   WindowHandle window) {
    if (!record.hooked) return;
    hooks.Remove(input, window);
    record.hooked = false;
}

}  // namespace tressel
