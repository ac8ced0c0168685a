#include "gui/qt/widget_looks.h"

#include "core/looks.h"
#include "core/placement_pixels.h"

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>

namespace rzv {
namespace {

// Qt takes the first family of the list that the desktop has.
template <std::size_t N>
QStringList familiesOf(const std::array<const char*, N>& faces) {
    QStringList families;
    for (const char* face : faces) families << QString::fromLatin1(face);
    return families;
}

QFont fontFor(Look look) {
    const LookFont design = fontOf(look);
    QFont font;
    font.setFamilies(design.face == Face::Arial ? familiesOf(kArialFaces)
                                                : familiesOf(kSansSerifFaces));
    font.setPointSizeF(design.points);
    font.setBold(design.bold);
    return font;
}

void greenOnBlack(QWidget* widget) {
    QPalette palette = widget->palette();
    // Labels paint the window colours, text boxes the base colours.
    widget->setAutoFillBackground(true);
    palette.setColor(QPalette::Window, colourOf(kBlack));
    palette.setColor(QPalette::WindowText, colourOf(kGreen));
    palette.setColor(QPalette::Base, colourOf(kBlack));
    palette.setColor(QPalette::Text, colourOf(kGreen));
    widget->setPalette(palette);
}

// Wayland places every window itself and tells no program where: what Qt reports there as the
// window's place is not where the window stands.
bool windowSystemTellsPositions() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

QColor colourOf(unsigned number) {
    return QColor(number & 0xff, (number >> 8) & 0xff, (number >> 16) & 0xff);
}

QFont windowFont() {
    return fontFor(Look::Plain);
}

void applyLook(QWidget* widget, Look look) {
    if (look == Look::Plain) return;  // the window's font, inherited
    widget->setFont(fontFor(look));
    if (fontOf(look).greenOnBlack) greenOnBlack(widget);
}

QIcon programIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/rzv-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/rzv-24.png"), QSize(24, 24));
    return icon;
}

// Twips and pixels as every placement converts them: clamped to what X11 and Win32 can address.
int Twips::x(double twips) const {
    return pixelsAtDpi(twips, widget_->logicalDpiX());
}
int Twips::y(double twips) const {
    return pixelsAtDpi(twips, widget_->logicalDpiY());
}

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
    window_->move(twips.x(placement.left), twips.y(placement.top));
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
