#include "gui/qt/uptime_display.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace rzv {
namespace {

QStyleOptionFrame panelOption(const QWidget* widget) {
    QStyleOptionFrame option;
    option.initFrom(widget);
    option.rect = widget->rect();
    option.lineWidth = widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, widget);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken | QStyle::State_ReadOnly;
    return option;
}

// The room between a line edit's frame and its text.
constexpr int kTextMargin = 2;

}  // namespace

TextChange changeBetween(const QString& before, const QString& after) {
    const int shorter = static_cast<int>(std::min(before.size(), after.size()));
    int head = 0;
    while (head < shorter && before[head] == after[head]) ++head;
    int tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return {head, before.mid(head, before.size() - head - tail),
            after.mid(head, after.size() - head - tail)};
}

UptimeDisplay::UptimeDisplay(QWidget* parent) : QFrame(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // Without a caret there is nothing to select: Copy takes the whole text, from the keyboard
    // or the context menu.
    auto* copy = new QAction(QStringLiteral("&Copy"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, [this] { QApplication::clipboard()->setText(text_); });
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void UptimeDisplay::setText(const QString& text) {
    if (text == text_) return;
    const TextChange change = changeBetween(text_, text);
    text_ = text;
    update();
    QAccessibleTextUpdateEvent event(this, change.position, change.removed, change.inserted);
    QAccessible::updateAccessibility(&event);
}

void UptimeDisplay::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

QRect UptimeDisplay::textRect() const {
    const QStyleOptionFrame option = panelOption(this);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, this)
        .adjusted(kTextMargin, 0, -kTextMargin, 0);
}

QRect UptimeDisplay::characterRect(int offset) const {
    if (offset < 0 || offset >= text_.size()) return QRect();
    const QFontMetrics metrics(font());
    const QRect room = textRect();
    const QRect whole =
        QStyle::alignedRect(layoutDirection(), alignment_, metrics.size(0, text_), room);
    return QRect(whole.left() + metrics.horizontalAdvance(text_.left(offset)), whole.top(),
                 metrics.horizontalAdvance(text_.at(offset)), whole.height());
}

QSize UptimeDisplay::sizeHint() const {
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text_) + 4 * kTextMargin, metrics.height() + 6);
}

void UptimeDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QStyleOptionFrame option = panelOption(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(textRect(), static_cast<int>(alignment_), text_);
}

}  // namespace rzv
