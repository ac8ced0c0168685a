#include "gui/qt/looks.h"

#include "core/controls.h"
#include "core/looks.h"

#include <QPalette>
#include <QStringList>
#include <array>

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

}  // namespace rzv
