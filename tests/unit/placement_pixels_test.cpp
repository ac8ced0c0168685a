#include "core/placement_pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

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

// A window whose caption band lies on no screen is brought back by the shortest way; one whose
// band shows, if only in part, stays where the user put it.
TEST(PlacementPixels, aWindowOffEveryScreenComesBackToTheNearest) {
    const PixelRect laptop{0, 0, 1280, 760};  // a 1280x800 screen above its taskbar
    const PixelRect wide{0, 0, 1920, 1040}, right{1920, 0, 3200, 1024}, below{0, 1080, 1920, 2160};
    const PixelRect left{-1920, 0, 0, 1080};
    struct Case {
        const char* what;
        PixelRect window;
        std::vector<PixelRect> areas;
        PixelRect opens;
    };
    const Case cases[] = {
        {"on the screen", {100, 100, 400, 300}, {laptop}, {100, 100, 400, 300}},
        {"its band partly on it", {1200, 740, 1500, 940}, {laptop}, {1200, 740, 1500, 940}},
        {"its band above it", {100, -40, 400, 160}, {laptop}, {100, 0, 400, 200}},
        {"far below and right", {2000, 1333, 2292, 1488}, {laptop}, {988, 605, 1280, 760}},
        {"right of two side by side",
         {3400, 100, 3700, 300},
         {wide, right},
         {2900, 100, 3200, 300}},
        {"below two stacked", {100, 2300, 400, 2500}, {wide, below}, {100, 1960, 400, 2160}},
        {"left of a screen at negative x",
         {-3000, 500, -2700, 700},
         {left, wide},
         {-1920, 500, -1620, 700}},
        {"larger than the screen", {5000, 5000, 7000, 6000}, {laptop}, {0, 0, 2000, 1000}},
        {"no screen known", {5000, 5000, 5300, 5200}, {}, {5000, 5000, 5300, 5200}},
    };
    for (const Case& c : cases) {
        const PixelRect opens = keptOnScreen(c.window, 22, c.areas);
        EXPECT_TRUE(opens == c.opens) << c.what << ": " << opens.left << "," << opens.top;
    }
}

}  // namespace
}  // namespace rzv
