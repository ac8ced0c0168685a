#include "gui/qt/read_only_text_box.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLine>
#include <QToolTip>
#include <QtMath>
#include <algorithm>
#include <climits>

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

// Whole pixels, as a font's metrics measure a text.
int advanceOf(const QTextLayout& layout) {
    return qRound(layout.lineAt(0).naturalTextWidth());
}

// Whether the characters of a text run left to right whatever changes in it: a right-to-left
// character reorders its neighbours.
bool runsLeftToRight(const QString& text) {
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        switch (c.direction()) {
            case QChar::DirR:
            case QChar::DirAL:
            case QChar::DirRLE:
            case QChar::DirRLO:
            case QChar::DirRLI:
                return true;
            default:
                return false;
        }
    });
}

// What shows beneath the box where its panel is not opaque: the background of the nearest widget
// under it that paints one, with the origin that brush has in the box's coordinates. No brush
// when no widget paints one.
struct Backdrop {
    QBrush brush;
    QPoint origin;
};
Backdrop backdropOf(const QWidget& box) {
    QPoint offset;
    for (const QWidget* under = &box; under; under = under->parentWidget()) {
        if (under->autoFillBackground() || under->isWindow()) {
            const QPalette::ColorRole role =
                under->autoFillBackground() ? under->backgroundRole() : QPalette::Window;
            return {under->palette().brush(role), -offset};
        }
        offset += under->pos();
    }
    return {};
}

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
    noteBackdrop();
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
    shaped();
    const std::unique_ptr<QTextLayout> before = std::move(layout_);
    text_ = text;
    update(changedRect(change.position, *before));
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(this, change.position, change.removed, change.inserted);
        QAccessible::updateAccessibility(&event);
    }
}

// A value field's digits change from the right: repainting from the first changed character on,
// rather than the whole line, keeps each frame's picture (and what goes to the display server)
// small.
QRect ReadOnlyTextBox::changedRect(int position, const QTextLayout& before) {
    const QRect band = frame().line;
    const QTextLayout& after = shaped();
    const int oldAdvance = advanceOf(before);
    const int newAdvance = advanceOf(after);
    const int left = textOrigin(newAdvance).x();
    // A centred text whose width changed moves as a whole; a right-to-left run may move the
    // characters on either side of a change.
    if (textOrigin(oldAdvance).x() != left || layoutDirection() != Qt::LeftToRight ||
        !runsLeftToRight(before.text()) || !runsLeftToRight(text_))
        return band;
    // The characters before the change stay where they were, but a changed neighbour may kern
    // the last of them, and antialiased glyph edges reach a little past their advances.
    constexpr int kOverhang = 2;
    const qreal from =
        std::min(before.lineAt(0).cursorToX(position), after.lineAt(0).cursorToX(position));
    const int start = left + qFloor(from) - kOverhang;
    const int end = left + std::max(oldAdvance, newAdvance) + kOverhang;
    QRect changed(start, band.top(), end - start, band.height());
    // Only the rows the changed glyphs cover, a pixel more each side for antialiasing; the last
    // unchanged character is counted in, for a ligature or kerning the change may break.
    std::pair<int, int> rows{INT_MAX, INT_MIN};
    if (addInkRows(before.text(), position - 1, rows) && addInkRows(text_, position - 1, rows) &&
        rows.first <= rows.second) {
        changed.setTop(frame().baseline + rows.first - 1);
        changed.setBottom(frame().baseline + rows.second + 1);
    }
    return changed.intersected(band);
}

// A combining mark or a character of another script may be placed higher or lower beside its
// neighbours than alone, so only plain printable ASCII is measured character by character.
bool ReadOnlyTextBox::addInkRows(const QString& text, int from, std::pair<int, int>& rows) {
    for (int i = std::max(0, from); i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20 || c > 0x7e) return false;
        auto& known = inkRows_[c - 0x20];
        if (!known) {
            const QRect box = fontMetrics().boundingRect(QChar(c));
            known =
                box.isEmpty() ? std::pair(INT_MAX, INT_MIN) : std::pair(box.top(), box.bottom());
        }
        rows = {std::min(rows.first, known->first), std::max(rows.second, known->second)};
    }
    return true;
}

void ReadOnlyTextBox::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

const ReadOnlyTextBox::Frame& ReadOnlyTextBox::frame() const {
    if (frameKnown_) return frame_;
    const QStyleOptionFrame option = panelOption(this);
    frame_.contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    frame_.text = frame_.contents.adjusted(kTextMargin, 0, -kTextMargin, 0);
    frame_.font = QFont(font(), this);
    const QFontMetrics metrics = fontMetrics();
    // Centred as a line edit centres its line: an odd spare pixel goes above it. One pixel more
    // each side of the band takes in glyphs that reach past the font's ascent or descent.
    const int top = frame_.text.top() + (frame_.text.height() - metrics.height() + 1) / 2;
    frame_.baseline = top + metrics.ascent();
    frame_.line =
        QRect(frame_.contents.left(), top - 1, frame_.contents.width(), metrics.height() + 2)
            .intersected(frame_.contents);
    frameKnown_ = true;
    return frame_;
}

QRect ReadOnlyTextBox::textRect() const {
    return frame().text;
}

std::unique_ptr<QTextLayout> ReadOnlyTextBox::shape(const QString& text) const {
    auto layout = std::make_unique<QTextLayout>(text, frame().font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    option.setTextDirection(layoutDirection());
    layout->setTextOption(option);
    // Kept whole after laying out, so painting does not shape the text again.
    layout->setCacheEnabled(true);
    layout->beginLayout();
    layout->createLine();
    layout->endLayout();
    return layout;
}

const QTextLayout& ReadOnlyTextBox::shaped() {
    if (!layout_) layout_ = shape(text_);
    return *layout_;
}

QPoint ReadOnlyTextBox::textOrigin(int advance) const {
    const QRect room = frame().text;
    const Qt::Alignment horizontal =
        QStyle::visualAlignment(layoutDirection(), alignment_) & Qt::AlignHorizontal_Mask;
    int left = room.left();
    if (horizontal & Qt::AlignHCenter) left += (room.width() - advance) / 2;
    if (horizontal & Qt::AlignRight) left += room.width() - advance;
    return QPoint(left, frame().baseline);
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

// Over an opaque backdrop the panel and the text cover every pixel, and nothing beneath the box
// needs painting first.
void ReadOnlyTextBox::noteBackdrop() {
    setAttribute(Qt::WA_OpaquePaintEvent, backdropOf(*this).brush.isOpaque());
}

bool ReadOnlyTextBox::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !details_) return QFrame::event(event);
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), details(), this);
    return true;
}

void ReadOnlyTextBox::changeEvent(QEvent* event) {
    frameKnown_ = false;
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange)
        noteBackdrop();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LayoutDirectionChange) {
        layout_.reset();
        inkRows_.fill(std::nullopt);
    }
    QFrame::changeEvent(event);
}

void ReadOnlyTextBox::resizeEvent(QResizeEvent* event) {
    frameKnown_ = false;
    QFrame::resizeEvent(event);
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
        const Backdrop backdrop = backdropOf(*this);
        // Over an opaque backdrop the picture keeps the screen's own format, and painting it is
        // a copy rather than a blend.
        if (!backdrop.brush.isOpaque()) panel_.fill(Qt::transparent);
        QPainter painter(&panel_);
        painter.setBrushOrigin(backdrop.origin);
        painter.fillRect(rect(), backdrop.brush);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
        panelState_ = state;
        panelColours_ = colours;
    }
    return panel_;
}

void ReadOnlyTextBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, panel());
    const QTextLayout& layout = shaped();
    const int width = advanceOf(layout);
    // A text too long for its room is cut where the panel's contents end, as in a line edit.
    if (width > frame().text.width()) painter.setClipRect(frame().contents, Qt::IntersectClip);
    painter.setPen(palette().color(QPalette::Text));
    // The line's top, so that its baseline falls where a line edit's would.
    const QPoint origin = textOrigin(width);
    layout.draw(&painter, QPointF(origin.x(), origin.y() - layout.lineAt(0).ascent()));
}

}  // namespace rzv
