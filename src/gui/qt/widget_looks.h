// What the windows share on screen: texts, colours, fonts, the icon and twips.
#pragma once

#include <QFont>
#include <QIcon>
#include <QString>
#include <QWidget>
#include <string>

#include "core/layout.h"
#include "core/main_window.h"

namespace rzv {

inline QString toQt(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A colour number, 0x00BBGGRR.
QColor colourOf(unsigned number);

// The windows' own font, used by tickboxes, buttons and value fields.
QFont windowFont();
void applyLook(QWidget* widget, Look look);
QIcon programIcon();

// Twips and pixels at a widget's logical resolution (15 twips a pixel at 96 DPI).
class Twips {
  public:
    explicit Twips(const QWidget* widget) : widget_(widget) {}
    int x(double twips) const;
    int y(double twips) const;
    QRect rect(const TwipsRect& r) const {
        return QRect(x(r.left), y(r.top), x(r.width), y(r.height));
    }

  private:
    const QWidget* widget_;
};

// Places a top-level window by its outer edges and size in twips. The window manager tells the
// frame's size only once the window is mapped; until then the designed frame stands in, and the
// client area is fitted once the real frame is known.
class OuterPlacement {
  public:
    OuterPlacement(QWidget* window, int designFrameSide, int designFrameTop)
        : window_(window), designSide_(designFrameSide), designTop_(designFrameTop) {}
    void apply(const Placement& placement);
    // From the window's show, move and resize events.
    void fitOnceFrameIsKnown();
    // Where the window stands now. A window still where it was put keeps its twips exactly;
    // converting its pixels back would round them. On Wayland the position is unknown.
    Placement current() const;

  private:
    QMargins frameMargins() const;
    void fitClient();

    QWidget* window_;
    int designSide_, designTop_;
    Placement placement_{};
    bool frameKnown_ = false;
};

}  // namespace rzv
