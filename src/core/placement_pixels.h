// Window placement between twips (as stored) and pixels (as a window system places windows).
//
// A position is converted at one fixed reference resolution, 96 DPI (15 twips a pixel), on
// every monitor: the pixel a window was closed at is the pixel it opens at next time, however
// the monitors are arranged and whichever of them the window is created on. A size is
// converted at the DPI of the monitor the window is on, so that it keeps its physical size.
//
// Stored values may be any single-precision number: pixels are clamped to what X11 and Win32
// can address (16-bit coordinates), and a value that is not a number is 0.
#pragma once

#include <vector>

namespace rzv {

inline constexpr int kReferenceDpi = 96;
inline constexpr int kFarthestPixel = 32767;

// Twips to pixels at `dpi`, rounded, clamped to +-kFarthestPixel; NaN gives 0.
int pixelsAtDpi(double twips, int dpi);
// Pixels at `dpi` back to whole twips.
float twipsAtDpi(int pixels, int dpi);

// Where a window's edge stands, in twips: a window still on the pixel its stored twips give
// keeps them exactly (converting the pixel back would round them), a moved one takes the
// twips of its new pixel.
float edgeTwips(float storedTwips, int pixelNow, int dpi);

// A window edge (left or top) in twips to pixels of the virtual screen, and back.
inline int positionPixels(double twips) {
    return pixelsAtDpi(twips, kReferenceDpi);
}
inline float positionTwips(int pixels) {
    return twipsAtDpi(pixels, kReferenceDpi);
}

// A rectangle of the virtual screen in pixels; right and bottom lie just outside it.
struct PixelRect {
    int left, top, right, bottom;
    bool operator==(const PixelRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The band at the top of a window's outer rectangle by which the user drags it.
inline constexpr double kCaptionBandTwips = 330;

// Where a window stored at `window` opens, given the screens' work areas: where it was stored
// while some of its caption band (`band` pixels high) lies in a work area; otherwise moved by the
// least distance that puts it whole into the nearest work area, or its top-left corner there
// where it is larger. A place stored on a screen that is gone (an undocked laptop, a smaller
// remote screen) would leave the window out of the user's reach.
PixelRect keptOnScreen(const PixelRect& window, int band, const std::vector<PixelRect>& workAreas);

}  // namespace rzv
