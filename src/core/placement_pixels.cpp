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

float twipsAtDpi(int pixels, int dpi) {
    if (dpi <= 0) dpi = kReferenceDpi;
    return static_cast<float>(std::lround(pixels * kTwipsPerInch / dpi));
}

}  // namespace rzv
