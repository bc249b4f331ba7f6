// Times the real Tressel.exe's painting under Wine, from outside the program:
// - one full repaint of the main window (background, skin, image buttons, six caption buttons)
//   forced by RedrawWindow with RDW_UPDATENOW, in milliseconds, over many repaints, and as a
//   ratio to a bare BitBlt of a skin-sized (764x510) bitmap in this process;
// - the program's GDI object count before and after the repaints and before and after many
//   hover cycles of an input button (physical pointer on and off it, each half waited for on
//   the screen until the caption changed colour).
// Arguments: [repaints] [hover cycles]; defaults 1000 and 1000. Run with tools/wine-run.sh.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"
#include "wine/support/GuiObjectCounts.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/ScreenCapture.h"
#include "wine/support/TresselProcess.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr COLORREF kCaptionColour = 0xC8C8C8;
constexpr COLORREF kHoverColour = 0xFEFFFF;
constexpr int kRightButton = 1000;
constexpr int kSkinWidth = 764, kSkinHeight = 510;
constexpr UINT kFullRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool RoundTrip(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 20000, &ignored) != 0;
}

// Whether the window or any of its visible children still waits for a paint.
bool PaintPending(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return true;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return true;
    return false;
}

// Pixels of an area of the screen. Reading through this process's screen drawing context is
// fast where it shows other processes' windows; otherwise the X server's picture is used.
class ScreenArea {
  public:
    explicit ScreenArea(const RECT& area) : area_(area) {}

    // Counts of the caption and hover colours in the area.
    bool Read(int& caption, int& hover) {
        caption = hover = 0;
        if (useX_) {
            if (!shot_.Capture()) return false;
            caption = shot_.Count(area_, kCaptionColour);
            hover = shot_.Count(area_, kHoverColour);
            return true;
        }
        const int w = area_.right - area_.left, h = area_.bottom - area_.top;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC screen = GetDC(nullptr);
        UniqueBitmap dib(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        UniqueMemoryDC memory(CreateCompatibleDC(screen));
        bool ok = dib && memory;
        if (ok) {
            HGDIOBJ old = SelectObject(memory.get(), dib.get());
            ok = BitBlt(memory.get(), 0, 0, w, h, screen, area_.left, area_.top, SRCCOPY) != 0;
            GdiFlush();
            SelectObject(memory.get(), old);
        }
        ReleaseDC(nullptr, screen);
        if (!ok) return false;
        const auto* p = static_cast<const DWORD*>(bits);
        for (int i = 0; i < w * h; ++i) {
            const DWORD v = p[i];
            const COLORREF c = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
            if (c == kCaptionColour) ++caption;
            if (c == kHoverColour) ++hover;
        }
        return true;
    }

    void UseXServer() { useX_ = true; }
    bool UsesXServer() const { return useX_; }

  private:
    RECT area_;
    bool useX_ = false;
    ScreenCapture shot_;
};

// Alternates between two points: a move to where the pointer already is never completes.
bool MovePointerAway() {
    static int turn = 0;
    const int at = (++turn % 2) ? 5 : 9;
    return PhysicalInput::MoveTo(at, at);
}

int Run(int repaints, int hoverCycles) {
    ForgetUserSettings();
    const std::wstring folder = MakeTestInstallation(L"PaintBench");
    TresselProcess app = TresselProcess::Start(folder);
    HWND window = app.WaitForWindow();
    if (!window || !WaitUntil([&] {
            return IsWindowVisible(window) && !IsIconic(window) && TrayIconPresent(window);
        })) {
        std::printf("Tressel.exe did not start\n");
        return 1;
    }
    MovePointerAway();
    RoundTrip(window);

    // Does a cross-process RDW_UPDATENOW wait for the paint? Without it the update region stays
    // pending right after the call; with it none may be left.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    const bool seesPending = PaintPending(window);
    WaitUntil([&] { return !PaintPending(window); });
    int leftPending = 0;
    constexpr int kProbes = 50;
    for (int i = 0; i < kProbes; ++i) {
        RedrawWindow(window, nullptr, nullptr, kFullRepaint);
        if (PaintPending(window)) ++leftPending;
    }
    const bool blocks = seesPending && leftPending == 0;
    std::printf(
        "RDW_UPDATENOW from another process: %s (invalidate alone leaves a paint pending: "
        "%s; %d of %d forced repaints returned with a paint pending)\n",
        blocks ? "waits for the paint" : "does not wait", seesPending ? "yes" : "no", leftPending,
        kProbes);
    WaitUntil([&] { return !PaintPending(window); });
    RoundTrip(window);

    // Bare round trip, then the repaints (each followed by a round trip when the call does not
    // wait, whose bare cost is subtracted).
    auto start = Clock::now();
    for (int i = 0; i < repaints; ++i) RoundTrip(window);
    const double roundTripMs = MsSince(start) / repaints;

    const GuiObjectCounts beforeRepaints = CountGuiObjects(app.Id());
    start = Clock::now();
    for (int i = 0; i < repaints; ++i) {
        RedrawWindow(window, nullptr, nullptr, kFullRepaint);
        if (!blocks) RoundTrip(window);
    }
    double repaintMs = MsSince(start) / repaints;
    if (!blocks) repaintMs -= roundTripMs;
    RoundTrip(window);
    const GuiObjectCounts afterRepaints = CountGuiObjects(app.Id());

    // A bare copy of a skin-sized bitmap in this process.
    HDC screen = GetDC(nullptr);
    UniqueMemoryDC source(CreateCompatibleDC(screen)), target(CreateCompatibleDC(screen));
    UniqueBitmap sourceBitmap(CreateCompatibleBitmap(screen, kSkinWidth, kSkinHeight));
    UniqueBitmap targetBitmap(CreateCompatibleBitmap(screen, kSkinWidth, kSkinHeight));
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldSource = SelectObject(source.get(), sourceBitmap.get());
    HGDIOBJ oldTarget = SelectObject(target.get(), targetBitmap.get());
    PatBlt(source.get(), 0, 0, kSkinWidth, kSkinHeight, WHITENESS);
    start = Clock::now();
    for (int i = 0; i < repaints; ++i) {
        BitBlt(target.get(), 0, 0, kSkinWidth, kSkinHeight, source.get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    const double blitMs = MsSince(start) / repaints;
    SelectObject(source.get(), oldSource);
    SelectObject(target.get(), oldTarget);

    std::printf("%d repaints: %.3f ms per full repaint (bare WM_NULL round trip %.3f ms)\n",
                repaints, repaintMs, roundTripMs);
    std::printf("bare BitBlt of %dx%d in this process: %.4f ms; repaint/BitBlt ratio %.1f\n",
                kSkinWidth, kSkinHeight, blitMs, repaintMs / blitMs);
    std::printf("GDI objects of Tressel.exe (%s): %ld before the repaints, %ld after\n",
                beforeRepaints.fromSystem ? "GetGuiResources" : "GDI handle table",
                beforeRepaints.gdi, afterRepaints.gdi);

    // Hover cycles on the R button: on at its left end, clear of the text; off to a corner.
    RECT button{};
    GetWindowRect(GetDlgItem(window, kRightButton), &button);
    ScreenArea area(button);
    int caption = 0, hover = 0;
    const bool fastIdle = area.Read(caption, hover) && caption > 20 && hover == 0;
    if (!fastIdle) area.UseXServer();
    std::printf("caption pixels read through %s\n", area.UsesXServer()
                                                        ? "the X server's picture (import)"
                                                        : "this process's screen drawing context");
    int idleCount = 0;
    if (!WaitUntil([&] {
            return area.Read(caption, hover) && caption > 20 && hover == 0 &&
                   (idleCount = caption, true);
        })) {
        std::printf("no idle caption on the R button\n");
        return 1;
    }
    auto cycle = [&] {
        const int y = (button.top + button.bottom) / 2;
        if (!PhysicalInput::MoveTo(button.left + 4, y)) return false;
        if (!WaitUntil([&] { return area.Read(caption, hover) && hover > 20 && caption == 0; }))
            return false;
        if (!MovePointerAway()) return false;
        return WaitUntil([&] { return area.Read(caption, hover) && caption > 20 && hover == 0; });
    };
    if (!cycle()) {
        std::printf("the hover colour did not come and go\n");
        return 1;
    }
    RoundTrip(window);
    const GuiObjectCounts beforeHover = CountGuiObjects(app.Id());
    start = Clock::now();
    int done = 0;
    bool cut = false;
    for (; done < hoverCycles; ++done) {
        if (!cycle()) {
            std::printf("cycle %d: the caption colour did not change\n", done + 1);
            break;
        }
        // Cap the run at about ten minutes: fall back to 100 cycles when they are slow.
        if (done == 19 && hoverCycles > 100 && MsSince(start) / 20 * hoverCycles > 600000) {
            hoverCycles = 100;
            cut = true;
        }
    }
    const double cycleMs = done ? MsSince(start) / done : 0;
    RoundTrip(window);
    const GuiObjectCounts afterHover = CountGuiObjects(app.Id());
    GuiObjectCounts settled = afterHover;
    WaitUntil(
        [&] {
            settled = CountGuiObjects(app.Id());
            return settled.gdi == beforeHover.gdi;
        },
        5s);
    std::printf(
        "%d hover cycles%s: %.1f ms per cycle; GDI objects %ld before, %ld after "
        "(%ld after up to 5 s more)\n",
        done, cut ? " (cut from 1000: each cycle takes too long)" : "", cycleMs, beforeHover.gdi,
        afterHover.gdi, settled.gdi);

    app.Terminate();
    ForgetUserSettings();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}

}  // namespace
}  // namespace tressel::testing

int wmain(int argc, wchar_t** argv) {
    const int repaints = argc > 1 ? _wtoi(argv[1]) : 1000;
    const int hoverCycles = argc > 2 ? _wtoi(argv[2]) : 1000;
    return tressel::testing::Run(repaints > 0 ? repaints : 1000,
                                 hoverCycles > 0 ? hoverCycles : 1000);
}
