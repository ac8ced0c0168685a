#include "core/placement_pixels.h"

#include <algorithm>
#include <cmath>

namespace rzv {
namespace {

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

int pixelsAtDpi(double twips, int dpi) {
    const double pixels = twips * dpi / kTwipsPerInch;
    if (std::isnan(pixels)) return 0;
    return static_cast<int>(
        std::lround(std::clamp<double>(pixels, -kFarthestPixel, kFarthestPixel)));
}

float edgeTwips(float storedTwips, int pixelNow, int dpi) {
    return pixelNow == pixelsAtDpi(storedTwips, dpi) ? storedTwips : twipsAtDpi(pixelNow, dpi);
}

namespace {

// How far a span [from, to) moves to lie within [low, high): to `low` where it is the longer.
long shiftInto(long from, long to, long low, long high) {
    if (to - from > high - low || from < low) return low - from;
    return to > high ? high - to : 0;
}

bool overlaps(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

PixelRect keptOnScreen(const PixelRect& window, int band, const std::vector<PixelRect>& workAreas) {
    const PixelRect caption{window.left, window.top, window.right, window.top + std::max(band, 1)};
    for (const PixelRect& area : workAreas)
        if (overlaps(caption, area)) return window;
    long bestX = 0, bestY = 0;
    double best = -1;
    for (const PixelRect& area : workAreas) {
        const long x = shiftInto(window.left, window.right, area.left, area.right);
        const long y = shiftInto(window.top, window.bottom, area.top, area.bottom);
        const double distance = static_cast<double>(x) * x + static_cast<double>(y) * y;
        if (best < 0 || distance < best) {
            best = distance;
            bestX = x;
            bestY = y;
        }
    }
    return {static_cast<int>(window.left + bestX), static_cast<int>(window.top + bestY),
            static_cast<int>(window.right + bestX), static_cast<int>(window.bottom + bestY)};
}

float twipsAtDpi(int pixels, int dpi) {
    if (dpi <= 0) dpi = kReferenceDpi;
    return static_cast<float>(std::lround(pixels * kTwipsPerInch / dpi));
}

}  // namespace rzv
