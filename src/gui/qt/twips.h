// Twips and pixels at a widget's logical resolution.
#pragma once

#include <QRect>
#include <QWidget>

#include "core/layout.h"

namespace rzv {

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

}  // namespace rzv
