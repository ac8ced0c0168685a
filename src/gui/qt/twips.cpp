#include "gui/qt/twips.h"

#include "core/placement_pixels.h"

namespace rzv {

// Twips and pixels as every placement converts them: clamped to what X11 and Win32 can address.
int Twips::x(double twips) const {
    return pixelsAtDpi(twips, widget_->logicalDpiX());
}
int Twips::y(double twips) const {
    return pixelsAtDpi(twips, widget_->logicalDpiY());
}

}  // namespace rzv
