#include "gui/qt/about_dialog.h"

#include "gui/qt/looks.h"
#include "gui/qt/program_icon.h"
#include "gui/qt/twips.h"
#include "os/qt/text.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include "core/line_ends.h"
#include "gui/qt/accessibility.h"

namespace rzv {

AboutDialog::AboutDialog(QWidget* owner, AboutWindow& model, AboutReactions& reactions)
    : QDialog(owner),
      model_(model),
      reactions_(reactions),
      placement_(this, kDesignFrameSide, kDesignFrameTop) {
    setObjectName(kAboutWindowName);
    setWindowTitle(kAboutCaption);
    setWindowIcon(programIcon());
    setFont(windowFont());
    installAccessibleInterfaces();
    buildControls();
    model_.setObserver(this);
}

AboutDialog::~AboutDialog() {
    model_.setObserver(nullptr);
}

void AboutDialog::buildControls() {
    for (const auto& control : kAboutControls) {
        QWidget* widget = nullptr;
        const QString text = QString::fromUtf8(control.designText);
        switch (control.kind) {
            case ControlKind::Label:
                labels_[control.id] = new QLabel(text, this);
                labels_[control.id]->setFocusPolicy(Qt::NoFocus);
                widget = labels_[control.id];
                break;
            case ControlKind::Field:
                report_ = new QPlainTextEdit(this);
                report_->setReadOnly(true);
                report_->setLineWrapMode(QPlainTextEdit::NoWrap);  // a record's lines stay whole
                widget = report_;
                break;
            case ControlKind::Button:
                ok_ = new QPushButton(text, this);
                ok_->setDefault(true);
                connect(ok_, &QPushButton::clicked, this, [this] {
                    // OK stores the place: tell the model where the user has moved the window.
                    model_.notePlacement(placement_.current());
                    reactions_.okClick();
                });
                widget = ok_;
                break;
            case ControlKind::Tickbox:
                break;
        }
        widget->setObjectName(control.name);
        widget->setGeometry(Twips(this).rect(control.rect));
        applyLook(widget, control.look);
    }
    labels_[indexOf(AboutLabel::CREATOR_TEXTBOX)]->installEventFilter(this);
    // The caption under the log copy names it for a screen reader.
    labels_[indexOf(AboutLabel::OUTPUT_LOG_LABEL)]->setBuddy(report_);
    setTabOrder(ok_, report_);
}

QWidget* AboutDialog::widgetFor(const ControlLayout& control) const {
    switch (control.kind) {
        case ControlKind::Label:
            return labels_[control.id];
        case ControlKind::Field:
            return report_;
        case ControlKind::Button:
            return ok_;
        case ControlKind::Tickbox:
            return nullptr;
    }
    return nullptr;
}

void AboutDialog::labelChanged(AboutLabel l) {
    QLabel* label = labels_[indexOf(l)];
    const bool wasEmpty = label->text().isEmpty();
    label->setText(toQt(model_.caption(l)));
    // An empty label is decoration and out of a reader's tree; one that says something is in.
    if (wasEmpty != label->text().isEmpty()) announceInTree(label, wasEmpty);
}

void AboutDialog::reportChanged() {
    report_->setPlainText(toQt(withLineFeeds(model_.report())));
}

void AboutDialog::placementChanged() {
    placement_.apply(model_.placement());
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        reactions_.creatorDoubleClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::done(int result) {
    unload_([this] {
        model_.notePlacement(placement_.current());
        reactions_.unload();
    });
    QDialog::done(result);
}

void AboutDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ok_->setFocus();  // first in the tab order: Enter and Space press OK at once
    placement_.fitOnceFrameIsKnown();
}

void AboutDialog::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    placement_.fitOnceFrameIsKnown();
}

void AboutDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placement_.fitOnceFrameIsKnown();
}

void QtAboutHost::showModal(AboutWindow& window, AboutReactions& reactions) {
    // The control that had the focus gets it back, whatever the window manager activates next.
    const QPointer<QWidget> lastFocus = owner_ ? owner_->focusWidget() : nullptr;
    {
        AboutDialog dialog(owner_, window, reactions);
        reactions.load();
        dialog.exec();
    }
    if (!lastFocus || !owner_->isVisible()) return;  // an auto close ended the main window too
    owner_->activateWindow();
    lastFocus->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace rzv
