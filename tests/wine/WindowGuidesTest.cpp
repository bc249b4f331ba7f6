// The real window on the screen under the dialog base units of different fonts: Windows' 6 x 13
// (the runner's prefix), 7 x 13 and Wine's own 6 x 12. Each input button and the save button lie
// on their boxes, each box's leader line leads to its input's part of the mouse, and no part of
// the window is key-coloured or see-through. At 192 dpi the captions fit inside their buttons,
// which still lie on their boxes after the resolution fit.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/SkinPainter.h"
#include "wine/support/DialogMetrics.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/RunningTresselTest.h"
#include "wine/support/ScreenCapture.h"
#include "wine/support/UnixCommand.h"

namespace tressel::testing {
namespace {

constexpr COLORREF kKeyColour = 0x6A1FF8;
constexpr COLORREF kBackdrop = RGB(0, 255, 0);  // behind the window: shows through any hole
constexpr wchar_t kReplacements[] = L"Software\\Wine\\Fonts\\Replacements";
constexpr wchar_t kDialogFont[] = L"Microsoft Sans Serif";

// The parts of the mouse in the artwork (client pixels): where each input's line must end.
const std::pair<int, POINT> kMouseParts[] = {
    {1000, {272, 100}},  // right button
    {1001, {218, 150}},  // wheel
    {1004, {218, 176}},  // wheel, lower end
    {1005, {218, 122}},  // wheel, upper end
    {1002, {116, 230}},  // X1: front side button, "forward" (XBUTTON2)
    {1003, {116, 282}},  // X2: rear side button, "back" (XBUTTON1)
};
constexpr int kBoxedControls[] = {1000, 1001, 1004, 1003, 1002, 1005, 1007};

// A window of the test's own, in one colour, under every other window and covering the area
// of `above`.
class Backdrop {
  public:
    explicit Backdrop(HWND above) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = brush_;
        wc.lpszClassName = L"TresselTestBackdrop";
        RegisterClassW(&wc);
        RECT r{};
        GetWindowRect(above, &r);
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"",
                                  WS_POPUP, r.left - 20, r.top - 20, r.right - r.left + 40,
                                  r.bottom - r.top + 40, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SetWindowPos(above, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(above);
    }
    ~Backdrop() {
        DestroyWindow(window_);
        DeleteObject(brush_);
    }

  private:
    HBRUSH brush_ = CreateSolidBrush(kBackdrop);
    HWND window_ = nullptr;
};

// The position of the box edge nearest to `from` along one line of pixels, within 6 pixels.
std::optional<int> EdgeNear(const ScreenCapture& shot, bool horizontal, int fixed, int from) {
    for (int d = 0; d <= 6; ++d)
        for (int at : {from - d, from + d}) {
            const int x = horizontal ? at : fixed, y = horizontal ? fixed : at;
            if (shot.Pixel(x, y) == kGuideBoxEdge) return at;
        }
    return std::nullopt;
}

// The leader-coloured pixels connected to `seed`.
std::set<std::pair<int, int>> LeaderFrom(const ScreenCapture& shot, POINT seed, const RECT& area) {
    std::set<std::pair<int, int>> seen;
    std::vector<std::pair<int, int>> todo{{seed.x, seed.y}};
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        if (x < area.left || y < area.top || x >= area.right || y >= area.bottom) continue;
        if (shot.Pixel(x, y) != kGuideLeader || !seen.insert({x, y}).second) continue;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) todo.push_back({x + dx, y + dy});
    }
    return seen;
}

struct Metrics {
    const char* name;
    bool asThePrefixHasIt;  // the runner's prefix is set up with Windows' metrics
    const wchar_t* font;    // otherwise the replacement of the dialog font; null: Wine's own
    POINT baseUnits;
};

// The program starts once the test has set the metrics it is to read at its start.
class RunningWindowTest : public RunningTresselTest {
  protected:
    RunningWindowTest() : RunningTresselTest({.startAtSetUp = false}) {}
    void StartWithPointerAway() {
        ASSERT_NO_FATAL_FAILURE(StartTressel());
        // Off the window, so that no button is in its hover state.
        ASSERT_TRUE(PhysicalInput::MoveTo(3, 3));
    }
    RECT ScreenClient() const {
        RECT client{};
        GetClientRect(window_, &client);
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return client;
    }
    // What is wrong with the window's picture on `shot`: boxes off their buttons, lines that lead
    // elsewhere, key-coloured or see-through pixels.
    std::string PictureFailures(const ScreenCapture& shot, const RECT& client) const {
        std::string failures;
        char line[200];
        for (int id : kBoxedControls) {
            const RECT r = ScreenRectOf(window_, id);
            const int qx = r.left + (r.right - r.left) / 3, qy = r.top + 5;
            const std::pair<std::optional<int>, int> edges[] = {
                {EdgeNear(shot, false, qx, r.top - 1), r.top},
                {EdgeNear(shot, false, qx, r.bottom), r.bottom},
                {EdgeNear(shot, true, qy, r.left - 1), r.left},
                {EdgeNear(shot, true, qy, r.right), r.right}};
            for (auto [found, edge] : edges)
                if (!found || std::abs(*found - edge) > 1) {
                    std::snprintf(line, sizeof line,
                                  "control %d (%ld,%ld,%ld,%ld): box edge %d for %d\n", id, r.left,
                                  r.top, r.right, r.bottom, found.value_or(-1), edge);
                    failures += line;
                }
        }
        for (auto [id, part] : kMouseParts) {
            const RECT r = ScreenRectOf(window_, id);
            const int middle = (r.top + r.bottom) / 2;
            POINT seed{-1, -1};
            for (int x = r.left - 2; x > r.left - 8 && seed.x < 0; --x)
                for (int y = middle - 1; y <= middle + 1; ++y)
                    if (shot.Pixel(x, y) == kGuideLeader) seed = {x, y};
            if (id == 1005)  // the wheel-up line comes round the boxes to the right end
                for (int x = r.right + 1; x < r.right + 8 && seed.x < 0; ++x)
                    for (int y = middle - 1; y <= middle + 1; ++y)
                        if (shot.Pixel(x, y) == kGuideLeader) seed = {x, y};
            const auto leader = LeaderFrom(shot, seed, client);
            for (auto [other, otherPart] : kMouseParts) {
                const bool reached =
                    leader.count({client.left + otherPart.x, client.top + otherPart.y}) > 0;
                if (reached != (other == id)) {
                    std::snprintf(line, sizeof line, "line of %d %s the part of %d\n", id,
                                  reached ? "reaches" : "does not reach", other);
                    failures += line;
                }
            }
        }
        if (const int key = shot.Count(client, kKeyColour))
            failures += std::to_string(key) + " key-coloured pixels\n";
        if (const int holes = shot.Count(client, kBackdrop))
            failures += std::to_string(holes) + " see-through pixels\n";
        return failures;
    }
    // Prints where the window and its boxed controls are, and saves a picture of the window.
    void ReportLayout(const std::string& name, POINT units) const {
        const RECT client = ScreenClient();
        RECT window{};
        GetWindowRect(window_, &window);
        std::printf(
            "%s: base units %ldx%ld, window %ldx%ld, client %ldx%ld; in the client:", name.c_str(),
            units.x, units.y, window.right - window.left, window.bottom - window.top,
            client.right - client.left, client.bottom - client.top);
        for (int id : kBoxedControls) {
            const RECT r = ScreenRectOf(window_, id);
            std::printf(" %d at %ld,%ld %ldx%ld", id, r.left - client.left, r.top - client.top,
                        r.right - r.left, r.bottom - r.top);
        }
        std::printf("\n");
        SaveScreenPng(ArtifactsDir() + "/tressel-window-" + name + ".png", &window);
    }
};

class WindowGuidesTest : public RunningWindowTest, public ::testing::WithParamInterface<Metrics> {};

TEST_P(WindowGuidesTest, ButtonsLieOnTheirBoxesAndEachLineLeadsToItsPartOfTheMouse) {
    const Metrics metrics = GetParam();
    std::optional<ScopedUserValue> font;
    if (!metrics.asThePrefixHasIt) font.emplace(kReplacements, kDialogFont, metrics.font);
    ASSERT_NO_FATAL_FAILURE(StartWithPointerAway());
    // Wine has read it at the program's start; the prefix gets its own value back at once, so
    // that a run cut short here leaves no other metrics behind for later tests.
    font.reset();
    const POINT units = DialogBaseUnits(window_);
    const RECT hold = ClientRectOf(window_, 1006);
    ASSERT_EQ(units.x, metrics.baseUnits.x)
        << "the prefix does not give the expected base units: button 1006 at " << hold.left << ","
        << hold.top << "," << hold.right << "," << hold.bottom;
    ASSERT_EQ(units.y, metrics.baseUnits.y);
    Backdrop backdrop(window_);

    const RECT client = ScreenClient();
    std::string failures;
    auto check = [&](const ScreenCapture& shot) {
        failures = PictureFailures(shot, client);
        return failures.empty();
    };
    ScreenCapture shot;
    const bool ok =
        WaitUntil([&] { return shot.Capture() && check(shot); }, std::chrono::seconds(20));
    EXPECT_TRUE(ok) << failures;
    ReportLayout(metrics.name, units);
}

INSTANTIATE_TEST_SUITE_P(DialogFonts, WindowGuidesTest,
                         ::testing::Values(Metrics{"Windows6x13", true, nullptr, {6, 13}},
                                           Metrics{
                                               "DejaVuSans7x13", false, L"DejaVu Sans", {7, 13}},
                                           Metrics{"StockWine6x12", false, nullptr, {6, 12}}),
                         [](const auto& info) { return std::string(info.param.name); });

using At192DpiTest = RunningWindowTest;

TEST_F(At192DpiTest, CaptionsFitInsideTheirButtonsAndButtonsLieOnTheirBoxes) {
    {
        const ScopedLogPixels dpi(192);  // read at the program's start, like the font replacement
        ASSERT_NO_FATAL_FAILURE(StartWithPointerAway());
    }
    Backdrop backdrop(window_);
    const RECT client = ScreenClient();
    constexpr COLORREF kCaptionColour = 0xC8C8C8;
    std::string failures;
    auto check = [&](const ScreenCapture& shot) {
        failures.clear();
        for (int id = 1000; id <= 1005; ++id) {
            const RECT r = ScreenRectOf(window_, id);
            RECT ink{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    if (shot.Pixel(x, y) == kCaptionColour) {
                        ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                               std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
                    }
            // Clipped text touches the button's edges; text that fits leaves a margin.
            if (ink.left == LONG_MAX || ink.left <= r.left || ink.top <= r.top ||
                ink.right >= r.right || ink.bottom >= r.bottom)
                failures += "caption of " + std::to_string(id) + " (" +
                            std::to_string(ink.top - r.top) + " px from the top, " +
                            std::to_string(r.bottom - ink.bottom) + " from the bottom of a " +
                            std::to_string(r.bottom - r.top) + " px button)\n";
        }
        failures += PictureFailures(shot, client);
        return failures.empty();
    };
    ScreenCapture shot;
    EXPECT_TRUE(WaitUntil([&] { return shot.Capture() && check(shot); }, std::chrono::seconds(20)))
        << failures;
    ReportLayout("192dpi", DialogBaseUnits(window_));
}

}  // namespace
}  // namespace tressel::testing
