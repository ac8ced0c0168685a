#include "gui/qt/read_only_text_box.h"

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

ReadOnlyTextBox::ReadOnlyTextBox(QWidget* parent) : QFrame(parent) {
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

void ReadOnlyTextBox::setText(const QString& text) {
    if (text == text_) return;
    const TextChange change = changeBetween(text_, text);
    const int oldAdvance = advance();
    text_ = text;
    advance_ = -1;
    update(changedRect(change.position, oldAdvance));
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(this, change.position, change.removed, change.inserted);
        QAccessible::updateAccessibility(&event);
    }
}

// A value field's digits change from the right: repainting from the first changed character on,
// rather than the whole line, keeps each frame's picture (and what goes to the display server)
// small.
QRect ReadOnlyTextBox::changedRect(int position, int oldAdvance) {
    const QRect band = lineRect();
    const int newAdvance = advance();
    const int left = textOrigin(newAdvance).x();
    // A centred text whose width changed moves as a whole.
    if (textOrigin(oldAdvance).x() != left) return band;
    // Antialiased glyph edges reach a little past their advances, and a changed neighbour may
    // kern the last unchanged character.
    constexpr int kOverhang = 2;
    const int start = left + fontMetrics().horizontalAdvance(text_.left(position)) - kOverhang;
    const int end = left + std::max(oldAdvance, newAdvance) + kOverhang;
    return QRect(start, band.top(), end - start, band.height()).intersected(band);
}

void ReadOnlyTextBox::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

QRect ReadOnlyTextBox::panelContents() const {
    const QStyleOptionFrame option = panelOption(this);
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

QRect ReadOnlyTextBox::textRect() const {
    return panelContents().adjusted(kTextMargin, 0, -kTextMargin, 0);
}

QRect ReadOnlyTextBox::lineRect() const {
    const QRect room = panelContents();
    const int height = fontMetrics().height();
    // Centred as a line edit centres its line: an odd spare pixel goes above it. One pixel more
    // each side takes in glyphs that reach past the font's ascent or descent.
    const int top = room.top() + (room.height() - height + 1) / 2;
    return QRect(room.left(), top - 1, room.width(), height + 2).intersected(room);
}

int ReadOnlyTextBox::advance() {
    if (advance_ < 0) advance_ = fontMetrics().horizontalAdvance(text_);
    return advance_;
}

QPoint ReadOnlyTextBox::textOrigin(int advance) const {
    const QRect room = textRect();
    const QFontMetrics metrics = fontMetrics();
    const int top = room.top() + (room.height() - metrics.height() + 1) / 2;
    const Qt::Alignment horizontal =
        QStyle::visualAlignment(layoutDirection(), alignment_) & Qt::AlignHorizontal_Mask;
    int left = room.left();
    if (horizontal & Qt::AlignHCenter) left += (room.width() - advance) / 2;
    if (horizontal & Qt::AlignRight) left += room.width() - advance;
    return QPoint(left, top + metrics.ascent());
}

QRect ReadOnlyTextBox::characterRect(int offset) const {
    if (offset < 0 || offset >= text_.size()) return QRect();
    const QFontMetrics metrics = fontMetrics();
    const QPoint origin = textOrigin(metrics.horizontalAdvance(text_));
    return QRect(origin.x() + metrics.horizontalAdvance(text_.left(offset)),
                 origin.y() - metrics.ascent(), metrics.horizontalAdvance(text_.at(offset)),
                 metrics.height());
}

QSize ReadOnlyTextBox::sizeHint() const {
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text_) + 4 * kTextMargin, metrics.height() + 6);
}

void ReadOnlyTextBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) advance_ = -1;
    QFrame::changeEvent(event);
}

const QPixmap& ReadOnlyTextBox::panel() {
    const QStyleOptionFrame option = panelOption(this);
    const qreal ratio = devicePixelRatioF();
    const auto state = static_cast<int>(option.state);
    const qint64 colours = palette().cacheKey();
    if (panel_.deviceIndependentSize() != QSizeF(size()) || panel_.devicePixelRatio() != ratio ||
        panelState_ != state || panelColours_ != colours) {
        panel_ = QPixmap((QSizeF(size()) * ratio).toSize());
        panel_.setDevicePixelRatio(ratio);
        panel_.fill(Qt::transparent);
        QPainter painter(&panel_);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
        panelState_ = state;
        panelColours_ = colours;
    }
    return panel_;
}

void ReadOnlyTextBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, panel());
    const int width = advance();
    // A text too long for its room is cut where the panel's contents end, as in a line edit.
    if (width > textRect().width()) painter.setClipRect(panelContents(), Qt::IntersectClip);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(textOrigin(width), text_);
}

}  // namespace rzv
