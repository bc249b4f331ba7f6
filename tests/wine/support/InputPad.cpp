#include "wine/support/InputPad.h"

#include <chrono>
#include <cstdio>

#include "wine/support/PhysicalInput.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {

InputPad::InputPad(int x, int y, int width, int height) {
    static const wchar_t* kClass = L"TresselInputPad";
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &InputPad::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassW(&wc);
        registered = true;
    }
    window_ = CreateWindowExW(WS_EX_TOPMOST, kClass, L"Input pad", WS_POPUP, x, y, width, height,
                              nullptr, nullptr, GetModuleHandleW(nullptr), this);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

InputPad::~InputPad() {
    if (window_) DestroyWindow(window_);
}

RECT InputPad::ScreenRect() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return r;
}

POINT InputPad::Centre() const {
    const RECT r = ScreenRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

int InputPad::Count(UINT message) const {
    int count = 0;
    for (const Logged& entry : log_)
        if (entry.message == message) ++count;
    return count;
}

int InputPad::CountOtherButtonMessages() const {
    int count = 0;
    for (const Logged& entry : log_) {
        switch (entry.message) {
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP:
            case WM_XBUTTONDOWN:
            case WM_XBUTTONUP:
            case WM_MOUSEWHEEL:
            case WM_CONTEXTMENU:
                ++count;
                break;
            default:
                break;
        }
    }
    return count;
}

bool InputPad::PointAndActivate(int dx, int dy) {
    const RECT r = ScreenRect();
    const LPARAM at = MAKELPARAM(dx, dy);
    auto arrived = [&] {
        for (const Logged& entry : log_)
            if (entry.message == WM_MOUSEMOVE && entry.lParam == at) return true;
        return false;
    };
    // From a nearby point first, so that there is a move even if the pointer was already there.
    // Once, in a fresh session, the pad got no move in 20 s just after the program's window first
    // showed; the move is made again rather than waited for longer.
    bool moved = false;
    for (int attempt = 1; attempt <= 3 && !moved; ++attempt) {
        if (!PhysicalInput::MoveTo(r.left + dx + 5, r.top + dy + 5)) return false;
        if (!PhysicalInput::MoveTo(r.left + dx, r.top + dy)) return false;
        moved = WaitUntil(arrived, std::chrono::seconds(5));
    }
    if (!moved) {
        std::fprintf(stderr, "InputPad: no move to (%d, %d) arrived\n", dx, dy);
        return false;
    }
    SetForegroundWindow(window_);
    SetFocus(window_);
    if (ClickSentinel()) return true;
    POINT cursor{};
    GetCursorPos(&cursor);
    std::fprintf(stderr,
                 "InputPad: the sentinel click at (%d, %d) did not arrive (downs %d, ups %d; "
                 "in front %p, pad %p, under the pointer %p, capture %p)\n",
                 dx, dy, Count(WM_LBUTTONDOWN), Count(WM_LBUTTONUP),
                 static_cast<void*>(GetForegroundWindow()), static_cast<void*>(window_),
                 static_cast<void*>(WindowFromPoint(cursor)), static_cast<void*>(GetCapture()));
    return false;
}

bool InputPad::ClickSentinel() {
    const std::size_t before = log_.size();
    auto after = [&](UINT message) {
        for (std::size_t i = before; i < log_.size(); ++i)
            if (log_[i].message == message) return true;
        return false;
    };
    // About one start in ten under Wine, a click made just after the program started reaches
    // no window at all (neither its press nor its release, the pad in front and under the
    // pointer, no capture); a click of which nothing arrived is made again.
    for (int attempt = 1; attempt <= 3; ++attempt) {
        if (!PhysicalInput::Click(x11_button::kLeft)) return false;
        if (WaitUntil([&] { return after(WM_LBUTTONUP); }, std::chrono::seconds(5))) return true;
        if (after(WM_LBUTTONDOWN)) break;
        std::fprintf(stderr, "InputPad: nothing of click %d arrived\n", attempt);
    }
    return false;
}

LRESULT CALLBACK InputPad::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* pad = reinterpret_cast<InputPad*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const bool input = (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
                       (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
                       message == WM_CONTEXTMENU;
    if (pad && input) {
        pad->log_.push_back({message, wParam, lParam});
        if (message == WM_CONTEXTMENU) return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tressel::testing
