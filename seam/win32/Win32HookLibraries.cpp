#include "seam/win32/Win32HookLibraries.h"

#include "hooks/TarnhookExports.h"

namespace tressel {
namespace {

struct HookExports {
    int (*install)(HWND);
    int (*remove)(HWND);
    void (*pass)(int);
    void (*releaseSeen)(DWORD);
};

HookExports ExportsOf(ButtonId input) {
    switch (input) {
        case ButtonId::R:
            return {installhook_R, unstallhook_R, passhook_R, releaseseen_R};
        case ButtonId::M:
            return {installhook_M, unstallhook_M, passhook_M, releaseseen_M};
        case ButtonId::X1:
            return {installhook_X1, unstallhook_X1, passhook_X1, releaseseen_X1};
        case ButtonId::X2:
            return {installhook_X2, unstallhook_X2, passhook_X2, releaseseen_X2};
        case ButtonId::WD:
            return {installhook_WD, unstallhook_WD, passhook_WD, releaseseen_WD};
        case ButtonId::WU:
            return {installhook_WU, unstallhook_WU, passhook_WU, releaseseen_WU};
    }
    return {nullptr, nullptr, nullptr, nullptr};
}

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

}  // namespace

int Win32HookLibraries::Install(ButtonId input, WindowHandle window) {
    HookExports exports = ExportsOf(input);
    return exports.install ? exports.install(ToHwnd(window)) : 0;
}

int Win32HookLibraries::Remove(ButtonId input, WindowHandle window) {
    HookExports exports = ExportsOf(input);
    return exports.remove ? exports.remove(ToHwnd(window)) : 0;
}

}  // namespace tressel

namespace tressel {

void Win32HookLibraries::SetPassThrough(ButtonId input, bool pass) {
    HookExports exports = ExportsOf(input);
    if (exports.pass) exports.pass(pass ? 1 : 0);
}

void Win32HookLibraries::ReleaseSeen(ButtonId input, std::uint32_t time) {
    HookExports exports = ExportsOf(input);
    if (exports.releaseSeen) exports.releaseSeen(time);
}

}  // namespace tressel
