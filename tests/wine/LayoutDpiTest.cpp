// The resolution fit on the real window: for each screen resolution, the eight visible controls
// end where the fit's factors put them, computed from the template's own dialog units.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <filesystem>

#include "wine/support/TresselProcess.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

struct DialogUnits {
    int x, y, cx, cy;
};

// Template positions (dialog units) of the controls the fit moves, and of one it leaves alone.
const std::pair<int, DialogUnits> kVisible[] = {
    {1007, {31, 277, 148, 25}},  {1, {474, 15, 15, 15}},      {1000, {311, 58, 153, 15}},
    {1001, {311, 95, 153, 15}},  {1004, {311, 132, 153, 15}}, {1003, {311, 170, 153, 15}},
    {1002, {311, 206, 153, 15}}, {1005, {311, 242, 153, 15}}};
constexpr DialogUnits kHoldButton = {190, 280, 60, 14};  // 1006, hidden, never moved

RECT ClientRectOf(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT Map(DialogUnits du, int baseX, int baseY) {
    const int left = MulDiv(du.x, baseX, 4);
    const int top = MulDiv(du.y, baseY, 8);
    return {left, top, left + MulDiv(du.cx, baseX, 4), top + MulDiv(du.cy, baseY, 8)};
}

double Fx(int id, int dpi) {
    const double s = dpi / 96.0;
    if (id == 1007) return 1 / s;
    switch (dpi) {
        case 120:
            return 1 / 1.32;
        case 144:
            return 1 / 1.5;
        case 192:
            return 0.5;
        default:
            return 1 / s;
    }
}

double Fy(int id, int dpi) {
    const double s = dpi / 96.0;
    if (id == 1007) return 1 / s;
    if (dpi == 120) return (id == 1001 || id == 1002 || id == 1005) ? 1 / 1.23 : 1 / s;
    if (dpi == 144) {
        const double f[] = {1.53, 1.52, 1.53, 1.54, 1.54, 1.53};  // R M WD X2 X1 WU
        const int order[] = {1000, 1001, 1004, 1003, 1002, 1005};
        for (int i = 0; i < 6; ++i)
            if (order[i] == id) return 1 / f[i];
        return 1 / s;  // IDOK
    }
    if (dpi == 192) {
        const double f[] = {1.96, 1.95, 1.94, 1.94, 1.93, 1.92};
        const int order[] = {1000, 1001, 1004, 1003, 1002, 1005};
        for (int i = 0; i < 6; ++i)
            if (order[i] == id) return 1 / f[i];
        return 0.5;
    }
    return 1 / s;
}

void SetLogPixels(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                    sizeof dpi);
}

class LayoutDpiTest : public ::testing::TestWithParam<int> {
  protected:
    void TearDown() override { SetLogPixels(96); }
};

TEST_P(LayoutDpiTest, VisibleControlsLandWhereTheFactorsPutThem) {
    const int dpi = GetParam();
    SetLogPixels(dpi);
    ForgetUserSettings();
    const std::wstring folder = MakeTestInstallation(L"dpi" + std::to_wstring(dpi));
    TresselProcess app = TresselProcess::Start(folder, L"-run");
    HWND window = app.WaitForWindow();
    ASSERT_NE(window, nullptr);
    // The tray icon comes after the fit in the start-up sequence.
    ASSERT_TRUE(WaitUntil([&] { return TrayIconPresent(window); }));

    // The hidden button keeps its template position: it tells the dialog base units in use.
    const RECT hold = ClientRectOf(window, 1006);
    int baseX = 0, baseY = 0;
    for (int bx = 1; bx < 64 && !baseX; ++bx) {
        for (int by = 1; by < 128; ++by) {
            const RECT r = Map(kHoldButton, bx, by);
            if (EqualRect(&r, &hold)) {
                baseX = bx;
                baseY = by;
                break;
            }
        }
    }
    ASSERT_NE(baseX, 0) << "no base units match the hidden button at " << hold.left << ","
                        << hold.top << "," << hold.right << "," << hold.bottom;
    for (auto [id, du] : kVisible) {
        const RECT t = Map(du, baseX, baseY);
        const RECT expected = {
            static_cast<LONG>(t.left * Fx(id, dpi)), static_cast<LONG>(t.top * Fy(id, dpi)),
            static_cast<LONG>(t.right * Fx(id, dpi)), static_cast<LONG>(t.bottom * Fy(id, dpi))};
        const RECT actual = ClientRectOf(window, id);
        EXPECT_TRUE(EqualRect(&expected, &actual))
            << "control " << id << " at " << dpi << " dpi: expected " << expected.left << ","
            << expected.top << "," << expected.right << "," << expected.bottom << " got "
            << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom;
    }
    app.Terminate();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

INSTANTIATE_TEST_SUITE_P(Resolutions, LayoutDpiTest, ::testing::Values(96, 120, 144, 168, 192));

}  // namespace
}  // namespace tressel::testing
