#include "gui/qt/outer_placement.h"

#include "core/placement_pixels.h"
#include "gui/qt/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace rzv {

namespace {

// Wayland places every window itself and tells no program where: what Qt reports there as the
// window's place is not where the window stands.
bool windowSystemTellsPositions() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The screens' work areas, the panels and docks left out.
std::vector<PixelRect> workAreas() {
    std::vector<PixelRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        areas.push_back(
            {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()});
    }
    return areas;
}

}  // namespace

QMargins OuterPlacement::frameMargins() const {
    const QRect frame = window_->frameGeometry();
    const QRect client = window_->geometry();
    if (frame != client)
        return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    const Twips twips(window_);
    return QMargins(twips.x(designSide_), twips.y(designTop_), twips.x(designSide_),
                    twips.y(designSide_));
}

void OuterPlacement::fitClient() {
    const Twips twips(window_);
    const QMargins m = frameMargins();
    window_->resize(std::max(1, twips.x(placement_.width) - m.left() - m.right()),
                    std::max(1, twips.y(placement_.height) - m.top() - m.bottom()));
}

void OuterPlacement::apply(const Placement& placement) {
    placement_ = placement;
    const Twips twips(window_);
    const int left = twips.x(placement.left), top = twips.y(placement.top);
    const PixelRect stored{left, top, left + twips.x(placement.width),
                           top + twips.y(placement.height)};
    const PixelRect opens = keptOnScreen(stored, twips.y(kCaptionBandTwips), workAreas());
    window_->move(opens.left, opens.top);
    fitClient();
}

void OuterPlacement::fitOnceFrameIsKnown() {
    if (frameKnown_ || !window_->isVisible() || window_->frameGeometry() == window_->geometry())
        return;
    frameKnown_ = true;
    fitClient();
}

Placement OuterPlacement::current() const {
    const QPoint outer = window_->frameGeometry().topLeft();
    Placement p = placement_;
    p.positionKnown = windowSystemTellsPositions();
    if (!p.positionKnown) return p;
    p.left = edgeTwips(p.left, outer.x(), window_->logicalDpiX());
    p.top = edgeTwips(p.top, outer.y(), window_->logicalDpiY());
    return p;
}

}  // namespace rzv
