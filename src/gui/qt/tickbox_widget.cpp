#include "gui/qt/tickbox_widget.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace rzv {

TickboxWidget::TickboxWidget(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
    setTristate(true);
}

Qt::CheckState TickboxWidget::stateOf(TickState value) {
    switch (value) {
        case TickState::Ticked:
            return Qt::Checked;
        case TickState::Greyed:
            return Qt::PartiallyChecked;
        case TickState::Clear:
            break;
    }
    return Qt::Unchecked;
}

void TickboxWidget::nextCheckState() {
    // The model decides what a click does (MainWindow::click); the box shows its answer.
}

bool TickboxWidget::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void TickboxWidget::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    indicator.rect.moveTop((height() - indicator.rect.height()) / 2);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const QRect textArea = rect().adjusted(indicator.rect.right() + 1 + spacing, 0, 0, 0);
    painter.drawItemText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, palette(),
                         isEnabled(), text(), QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = textArea;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace rzv
