// Fitting the window and its controls back to their 96-dpi layout.
#include <gtest/gtest.h>

#include "app/LayoutFit.h"

namespace tressel {
namespace {

// The factors of the controls at a resolution, as the rectangle {1000, 1000, 2000, 2000} ends up.
Rect Fitted(int controlId, int dpi) {
    return FitControlRect({1000, 1000, 2000, 2000}, FitFactorsFor(controlId, dpi, dpi / 96.0));
}

TEST(LayoutFit, At96DpiNothingMoves) {
    for (int id : kFittedControls) {
        EXPECT_EQ(FitControlRect({311, 58, 464, 73}, FitFactorsFor(id, 96, 1.0)),
                  (Rect{311, 58, 464, 73}));
    }
    EXPECT_EQ(FitWindowSize(764, 510, 1.0), (Point{764, 510}));
}

TEST(LayoutFit, At120DpiButtonsMoveTo1Over132AndSomeRiseTo1Over123) {
    EXPECT_EQ(Fitted(1007, 120), (Rect{800, 800, 1600, 1600}));
    EXPECT_EQ(Fitted(1, 120), (Rect{757, 800, 1515, 1600}));
    for (int id : {1000, 1004, 1003, 1010})
        EXPECT_EQ(Fitted(id, 120), (Rect{757, 800, 1515, 1600}));
    for (int id : {1001, 1002, 1005}) EXPECT_EQ(Fitted(id, 120), (Rect{757, 813, 1515, 1626}));
    // The window becomes 80 % of its template size.
    EXPECT_EQ(FitWindowSize(955, 637, 1.25), (Point{764, 509}));
}

TEST(LayoutFit, At144And192DpiEachButtonHasItsOwnVerticalFactor) {
    EXPECT_EQ(Fitted(1, 144), (Rect{666, 666, 1333, 1333}));
    const std::pair<int, int> tops144[] = {{1000, 653}, {1001, 657}, {1004, 653}, {1003, 649},
                                           {1002, 649}, {1005, 653}, {1010, 653}};
    for (auto [id, top] : tops144) {
        EXPECT_EQ(Fitted(id, 144).left, 666) << id;
        EXPECT_EQ(Fitted(id, 144).top, top) << id;
    }
    EXPECT_EQ(Fitted(1, 192), (Rect{500, 500, 1000, 1000}));
    const std::pair<int, int> tops192[] = {{1000, 510}, {1001, 512}, {1004, 515}, {1003, 515},
                                           {1002, 518}, {1005, 520}, {1010, 510}};
    for (auto [id, top] : tops192) {
        EXPECT_EQ(Fitted(id, 192).left, 500) << id;
        EXPECT_EQ(Fitted(id, 192).top, top) << id;
    }
}

TEST(LayoutFit, ResolutionsWithoutAColumnScaleEverythingLikeTheWindow) {
    for (int id : kFittedControls) {
        EXPECT_EQ(Fitted(id, 168), (Rect{571, 571, 1142, 1142})) << id;
    }
    EXPECT_EQ(FitWindowSize(1337, 892, 168 / 96.0), (Point{764, 509}));
}

TEST(LayoutFit, HorizontalScaleComesFromTheHorizontalResolution) {
    // 144 dpi across, 96 down: the vertical column rule still follows the vertical resolution.
    const FitFactors f = FitFactorsFor(1007, 96, 1.5);
    EXPECT_DOUBLE_EQ(f.fx, 1 / 1.5);
    EXPECT_DOUBLE_EQ(f.fy, 1 / 1.5);
    EXPECT_DOUBLE_EQ(FitFactorsFor(1001, 96, 1.5).fx, 1 / 1.5);
}

TEST(LayoutFit, EdgesTruncateTowardZero) {
    EXPECT_EQ(FitControlRect({-3, -3, 3, 3}, {0.5, 0.5}), (Rect{-1, -1, 1, 1}));
}

}  // namespace
}  // namespace tressel
