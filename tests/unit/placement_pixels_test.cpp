#include "core/placement_pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace rzv {
namespace {

// A window's edges land on any pixel of a desktop of several monitors, left of and above the
// main one too: the pixel it was closed at is the pixel it opens at, whatever the DPI of the
// monitor it closed on or opens on.
TEST(PlacementPixels, closedAnywhereReopensOnTheSamePixel) {
    for (const int pixel : {-3840, -1921, -1, 0, 1, 7, 66, 1279, 1919, 2561, 7679, 32767})
        EXPECT_EQ(positionPixels(positionTwips(pixel)), pixel);
}

TEST(PlacementPixels, positionsAreFifteenTwipsAPixelOnEveryMonitor) {
    // The stored default, on a 100 % external monitor and on a 200 % laptop panel alike.
    EXPECT_EQ(positionPixels(1000), 67);
    EXPECT_EQ(positionPixels(-1200), -80);
    EXPECT_EQ(positionTwips(67), 1005);
}

TEST(PlacementPixels, sizesKeepTheirPhysicalSizeAtEachDpi) {
    struct Case {
        double twips;
        int dpi, pixels;
    };
    for (const Case& c : {Case{4380, 96, 292}, Case{4380, 144, 438}, Case{4380, 192, 584},
                          Case{2325, 96, 155}, Case{2325, 144, 233}, Case{2325, 192, 310}}) {
        EXPECT_EQ(pixelsAtDpi(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
        EXPECT_NEAR(twipsAtDpi(c.pixels, c.dpi), c.twips, 1440.0 / c.dpi / 2 + 0.5);
    }
}

TEST(PlacementPixels, extremeStoredValuesGiveTheClampedPlace) {
    const float huge = std::numeric_limits<float>::max();  // "3.4e38"
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        double twips;
        int pixels;
    };
    for (const int dpi : {96, 144, 192})
        for (const Case& c :
             {Case{huge, 32767}, Case{-huge, -32767}, Case{inf, 32767}, Case{-inf, -32767},
              Case{nan, 0}, Case{491505, 32767}, Case{-491505 * 2.0, -32767}}) {
            EXPECT_EQ(pixelsAtDpi(c.twips, dpi), c.pixels) << c.twips << " at " << dpi;
            EXPECT_EQ(positionPixels(c.twips), c.pixels) << c.twips;
        }
}

// A window left where it was put saves its stored twips, not the rounded twips of its pixel;
// one the user moved saves where it went.
TEST(PlacementPixels, aWindowThatStayedKeepsItsTwipsAndAMovedOneTakesItsNewPlace) {
    struct Case {
        float stored;
        int pixelNow, dpi;
        float saved;
    };
    for (const Case& c :
         {Case{1000, 67, 96, 1000}, Case{1003, 67, 96, 1003}, Case{1000, 68, 96, 1020},
          Case{1000, 100, 144, 1000}, Case{1000, 101, 144, 1010}, Case{1e30f, 32767, 96, 1e30f},
          Case{-7, 0, 96, -7}, Case{0, -1, 96, -15}})
        EXPECT_EQ(edgeTwips(c.stored, c.pixelNow, c.dpi), c.saved)
            << c.stored << " at pixel " << c.pixelNow << ", " << c.dpi << " DPI";
}

}  // namespace
}  // namespace rzv
