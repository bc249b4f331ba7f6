// A macro position normalised over the virtual desktop lands on the very pixel the pointer was
// on, on every monitor of several layouts, read back the two ways a normalised value is mapped
// to a pixel: the line through 0 (the desktop's first pixel) and 65535 (its last) rounded to the
// nearest pixel, and the desktop cut into 65536 equal parts.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "actions/AbsoluteCoordinates.h"
#include "seam/Types.h"

namespace tressel {
namespace {

std::int64_t PixelByTheLineThroughBothEnds(std::int32_t value, std::int32_t origin,
                                           std::int32_t size) {
    return origin + std::llround(static_cast<double>(value) * (size - 1) / 65535.0);
}

std::int64_t PixelByEqualParts(std::int32_t value, std::int32_t origin, std::int32_t size) {
    return origin + (static_cast<std::int64_t>(value) * size) / 65536;
}

struct Layout {
    std::string name;
    Rect primary;
    Rect secondary;
};

Rect BoundingBox(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

std::vector<Point> CornersAndCentre(const Rect& monitor) {
    return {{monitor.left, monitor.top},
            {monitor.right - 1, monitor.top},
            {monitor.left, monitor.bottom - 1},
            {monitor.right - 1, monitor.bottom - 1},
            {(monitor.left + monitor.right) / 2, (monitor.top + monitor.bottom) / 2}};
}

TEST(AbsoluteCoordinatesTest, EveryMonitorsCornersAndCentreMapBackToTheirPixel) {
    // clang-format off
    const Layout layouts[] = {
        {"secondary left",           {0, 0, 1920, 1080}, {-1280, 56, 0, 1080}},
        {"secondary above, larger",  {0, 0, 1920, 1080}, {-320, -1440, 2240, 0}},
        {"secondary right, smaller", {0, 0, 2560, 1440}, {2560, 200, 3926, 968}},
        {"secondary left and above", {0, 0, 1366, 768},  {-3840, -2160, 0, 0}},
    };
    // clang-format on
    for (const Layout& layout : layouts) {
        const Rect desktop = BoundingBox(layout.primary, layout.secondary);
        for (const Rect& monitor : {layout.primary, layout.secondary}) {
            for (const Point pixel : CornersAndCentre(monitor)) {
                const std::int32_t x = ToVirtualDesk(pixel.x, desktop.left, desktop.Width());
                const std::int32_t y = ToVirtualDesk(pixel.y, desktop.top, desktop.Height());
                SCOPED_TRACE(layout.name + " at (" + std::to_string(pixel.x) + ", " +
                             std::to_string(pixel.y) + ")");
                EXPECT_EQ(PixelByTheLineThroughBothEnds(x, desktop.left, desktop.Width()), pixel.x);
                EXPECT_EQ(PixelByTheLineThroughBothEnds(y, desktop.top, desktop.Height()), pixel.y);
                EXPECT_EQ(PixelByEqualParts(x, desktop.left, desktop.Width()), pixel.x);
                EXPECT_EQ(PixelByEqualParts(y, desktop.top, desktop.Height()), pixel.y);
            }
        }
    }
}

TEST(AbsoluteCoordinatesTest, EveryPixelOfEveryWidthUpTo4096MapsBack) {
    for (std::int32_t size = 2; size <= 4096; ++size) {
        for (std::int32_t pixel = 0; pixel < size; ++pixel) {
            const std::int32_t value = ToVirtualDesk(pixel - 700, -700, size);
            if (PixelByTheLineThroughBothEnds(value, 0, size) != pixel ||
                PixelByEqualParts(value, 0, size) != pixel)
                FAIL() << "pixel " << pixel << " of " << size << " sent as " << value;
        }
    }
}

TEST(AbsoluteCoordinatesTest, WithoutADisplayTheEventGoesToTheOrigin) {
    EXPECT_EQ(ToVirtualDesk(500, 0, 0), 0);  // no division by zero
    EXPECT_EQ(ToVirtualDesk(500, 0, -1), 0);
}

}  // namespace
}  // namespace tressel
