// The resolution fit on the real window: for each screen resolution, the eight visible controls
// end where the fit's factors put them, computed from the template's own dialog units.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "wine/support/DialogMetrics.h"
#include "wine/support/RunningTresselTest.h"

namespace tressel::testing {
namespace {

// Template positions (dialog units) of the controls the fit moves.
const std::pair<int, DialogUnits> kVisible[] = {
    {1007, {31, 277, 148, 25}},  {1, {474, 15, 15, 15}},      {1000, {311, 58, 153, 15}},
    {1001, {311, 95, 153, 15}},  {1004, {311, 132, 153, 15}}, {1003, {311, 170, 153, 15}},
    {1002, {311, 206, 153, 15}}, {1005, {311, 242, 153, 15}}};

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

class LayoutDpiTest : public RunningTresselTest, public ::testing::WithParamInterface<int> {
  protected:
    LayoutDpiTest() : RunningTresselTest({.startAtSetUp = false}) {}
};

TEST_P(LayoutDpiTest, VisibleControlsLandWhereTheFactorsPutThem) {
    const int dpi = GetParam();
    {
        const ScopedLogPixels resolution(static_cast<DWORD>(dpi));  // read at the start
        // Hidden: the tray icon comes after the fit in the start-up sequence.
        ASSERT_NO_FATAL_FAILURE(StartTressel(L"-run"));
    }
    // The hidden button keeps its template position: it tells the dialog base units in use.
    const POINT base = DialogBaseUnits(window_);
    const RECT hold = ClientRectOf(window_, 1006);
    ASSERT_NE(base.x, 0) << "no base units match the hidden button at " << hold.left << ","
                         << hold.top << "," << hold.right << "," << hold.bottom;
    for (auto [id, du] : kVisible) {
        const RECT t = PixelsOf(du, base);
        const RECT expected = {
            static_cast<LONG>(t.left * Fx(id, dpi)), static_cast<LONG>(t.top * Fy(id, dpi)),
            static_cast<LONG>(t.right * Fx(id, dpi)), static_cast<LONG>(t.bottom * Fy(id, dpi))};
        const RECT actual = ClientRectOf(window_, id);
        EXPECT_TRUE(EqualRect(&expected, &actual))
            << "control " << id << " at " << dpi << " dpi: expected " << expected.left << ","
            << expected.top << "," << expected.right << "," << expected.bottom << " got "
            << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom;
    }
}

INSTANTIATE_TEST_SUITE_P(Resolutions, LayoutDpiTest, ::testing::Values(96, 120, 144, 168, 192));

}  // namespace
}  // namespace tressel::testing
