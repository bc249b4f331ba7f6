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
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/SkinPainter.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/ScreenCapture.h"
#include "wine/support/TresselProcess.h"
#include "wine/support/UnixCommand.h"
#include "wine/support/WaitUntil.h"

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

// Sets (or, for null, removes) the font replacement for the dialog font in this prefix until
// the object goes out of scope. Wine reads it when a process starts.
class DialogFontReplacement {
  public:
    explicit DialogFontReplacement(const wchar_t* font) {
        wchar_t value[256];
        DWORD size = sizeof value;
        if (RegGetValueW(HKEY_CURRENT_USER, kReplacements, kDialogFont, RRF_RT_REG_SZ, nullptr,
                         value, &size) == ERROR_SUCCESS)
            previous_ = value;
        Set(font);
    }
    ~DialogFontReplacement() { Set(previous_ ? previous_->c_str() : nullptr); }

  private:
    static void Set(const wchar_t* font) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kReplacements, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return;
        if (font) {
            RegSetValueExW(key, kDialogFont, 0, REG_SZ, reinterpret_cast<const BYTE*>(font),
                           static_cast<DWORD>((wcslen(font) + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteValueW(key, kDialogFont);
        }
        RegCloseKey(key);
    }
    std::optional<std::wstring> previous_;
};

void SetLogPixels(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                    sizeof dpi);
}

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

RECT ScreenRectOf(HWND window, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(window, id), &r);
    return r;
}

// The base units the template was laid out with, told by the hidden button 1006 that nothing
// moves (dialog units 190, 280, 60, 14); units map to pixels by MulDiv(units, base, 4 or 8)
// (Win32 documentation of MapDialogRect).
POINT BaseUnits(HWND window) {
    RECT r = ScreenRectOf(window, 1006);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    for (int bx = 1; bx < 32; ++bx)
        for (int by = 1; by < 64; ++by)
            if (r.left == MulDiv(190, bx, 4) && r.right == r.left + MulDiv(60, bx, 4) &&
                r.top == MulDiv(280, by, 8) && r.bottom == r.top + MulDiv(14, by, 8))
                return {bx, by};
    return {0, 0};
}

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

class RunningWindowTest : public ::testing::Test {
  protected:
    void StartTressel(const std::string& name) {
        ForgetUserSettings();
        folder_ = MakeTestInstallation(std::wstring(name.begin(), name.end()));
        app_ = TresselProcess::Start(folder_);
        window_ = app_.WaitForWindow();
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(app_.WaitForStartUp(window_));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) && !IsIconic(window_); }));
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
    void TearDown() override {
        app_.Terminate();
        ForgetUserSettings();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::wstring folder_;
    TresselProcess app_;
    HWND window_ = nullptr;
};

class WindowGuidesTest : public RunningWindowTest, public ::testing::WithParamInterface<Metrics> {};

TEST_P(WindowGuidesTest, ButtonsLieOnTheirBoxesAndEachLineLeadsToItsPartOfTheMouse) {
    const Metrics metrics = GetParam();
    std::optional<DialogFontReplacement> font;
    if (!metrics.asThePrefixHasIt) font.emplace(metrics.font);
    StartTressel(std::string("guides-") + metrics.name);
    // Wine has read it at the program's start; the prefix gets its own value back at once, so
    // that a run cut short here leaves no other metrics behind for later tests.
    font.reset();
    const POINT units = BaseUnits(window_);
    RECT hold = ScreenRectOf(window_, 1006);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&hold), 2);
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

class At192DpiTest : public RunningWindowTest {
  protected:
    void TearDown() override {
        RunningWindowTest::TearDown();
        SetLogPixels(96);
    }
};

TEST_F(At192DpiTest, CaptionsFitInsideTheirButtonsAndButtonsLieOnTheirBoxes) {
    SetLogPixels(192);
    StartTressel("dpi192");
    SetLogPixels(96);  // read at the program's start, like the font replacement
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
    ReportLayout("192dpi", BaseUnits(window_));
}

}  // namespace
}  // namespace tressel::testing
