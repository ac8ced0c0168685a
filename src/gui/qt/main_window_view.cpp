#include "gui/qt/main_window_view.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "core/caption_links.h"
#include "core/line_ends.h"
#include "gui/qt/accessibility.h"
#include "gui/qt/looks.h"
#include "gui/qt/program_icon.h"
#include "gui/qt/read_only_text_box.h"
#include "gui/qt/tickbox_widget.h"
#include "gui/qt/twips.h"
#include "os/qt/text.h"

namespace rzv {

MainWindowView::MainWindowView(MainWindow& model, Callbacks callbacks)
    : model_(model),
      callbacks_(std::move(callbacks)),
      placement_(this, kDesignFrameSide, kDesignFrameTop) {
    setObjectName(kWindowName);
    setWindowTitle(kWindowCaption);
    setWindowIcon(programIcon());
    setFont(windowFont());
    installAccessibleInterfaces();
    buildControls();
    linkCaptions();
    setFocusOrder();
    model_.setObserver(this);
}

MainWindowView::~MainWindowView() {
    model_.setObserver(nullptr);
}

// A record box: the report's lines, read-only and never wrapped. Any other field: a light box
// whose repaint is its text alone (the value fields change once a frame while in view).
QWidget* MainWindowView::makeField(const ControlLayout& control) {
    if (control.multiLine) {
        auto* box = new QPlainTextEdit(this);
        box->setReadOnly(true);
        box->setLineWrapMode(QPlainTextEdit::NoWrap);  // a record's lines stay whole
        box->setPlainText(toQt(withLineFeeds(control.designText)));
        return fields_[control.id] = box;
    }
    auto* box = new ReadOnlyTextBox(this);
    box->setText(QString::fromUtf8(control.designText));
    if (control.id == indexOf(Field::QV_UPTIME_DISPLAY_TEXTBOX)) {
        box->setAlignment(Qt::AlignCenter);
        if (callbacks_.uptimeDetails)
            box->setDetails([this] { return toQt(callbacks_.uptimeDetails()); });
    }
    return fields_[control.id] = box;
}

QWidget* MainWindowView::makeTickbox(const ControlLayout& control) {
    auto* box = new TickboxWidget(QString::fromUtf8(control.designText), this);
    const auto tickbox = static_cast<Tickbox>(control.id);
    box->setCheckState(TickboxWidget::stateOf(model_.value(tickbox)));
    box->setEnabled(model_.isEnabled(tickbox));
    connect(box, &QCheckBox::clicked, this, [this, tickbox] { model_.click(tickbox); });
    return tickboxes_[control.id] = box;
}

QWidget* MainWindowView::makeButton(const ControlLayout& control) {
    auto* button = new QPushButton(QString::fromUtf8(control.designText), this);
    const auto id = static_cast<Button>(control.id);
    connect(button, &QPushButton::clicked, this, [this, id] {
        if (callbacks_.click) callbacks_.click(id);
    });
    return buttons_[control.id] = button;
}

QWidget* MainWindowView::makeControl(const ControlLayout& control) {
    switch (control.kind) {
        case ControlKind::Field:
            return makeField(control);
        case ControlKind::Label:
            return labels_[control.id] = new QLabel(QString::fromUtf8(control.designText), this);
        case ControlKind::Tickbox:
            return makeTickbox(control);
        case ControlKind::Button:
            return makeButton(control);
    }
    return nullptr;
}

void MainWindowView::buildControls() {
    for (const auto& control : kMainWindowControls) {
        QWidget* widget = makeControl(control);
        widget->setObjectName(control.name);
        widget->setGeometry(Twips(this).rect(control.rect));
        applyLook(widget, control.look);
    }
    displayColourChanged();

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::VLine);
    const Twips twips(this);
    line->setGeometry(twips.x(kLine1X) - 1, twips.y(kLine1Top), 2,
                      twips.y(kLine1Bottom - kLine1Top));
    for (auto* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        placed_.emplace_back(child, child->focusPolicy());
}

void MainWindowView::linkCaptions() {
    for (const auto& link : kCaptionLinks) {
        const ControlLayout& named = link.kind == ControlKind::Field
                                         ? layoutOf(static_cast<Field>(link.id))
                                         : layoutOf(static_cast<Label>(link.id));
        labels_[indexOf(link.caption)]->setBuddy(widgetFor(named));
    }
    // Labels, buttons and tickboxes are named by their own changing captions, and a text box by
    // the caption beside it; a text box without one is named by hand.
    for (const auto& control : kMainWindowControls) {
        QWidget* field = widgetFor(control);
        if (control.kind == ControlKind::Field && !hasCaption(field))
            field->setAccessibleName(control.name);
    }
    fields_[indexOf(Field::OUTPUT_REPORT_TEXTBOX)]->setAccessibleName(QStringLiteral("Output Log"));
}

bool MainWindowView::hasCaption(const QWidget* w) const {
    return std::any_of(labels_.begin(), labels_.end(),
                       [w](const QLabel* label) { return label->buddy() == w; });
}

void MainWindowView::setFocusOrder() {
    std::vector<std::pair<int, QWidget*>> order;
    for (const auto& control : kMainWindowControls)
        if (control.focus != kNoFocus) order.emplace_back(control.focus, widgetFor(control));
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1].second, order[i].second);
}

QWidget* MainWindowView::widgetFor(const ControlLayout& control) const {
    switch (control.kind) {
        case ControlKind::Field:
            return fields_[control.id];
        case ControlKind::Label:
            return labels_[control.id];
        case ControlKind::Tickbox:
            return tickboxes_[control.id];
        case ControlKind::Button:
            return buttons_[control.id];
    }
    return nullptr;
}

bool MainWindowView::inView(const QWidget* w) const {
    return isVisible() && !w->isHidden() && rect().intersects(w->geometry());
}

void MainWindowView::hidePeekingControls() {
    for (const auto& [child, focusPolicy] : placed_) {
        const QRect r = child->geometry();
        const bool seen = isInView({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()},
                                   width(), height());
        if (child->isHidden() != seen) continue;
        // Out of view a control is out of reach too: no Tab stop, no place in a reader's tree.
        // Its place in the focus order stays for when it comes back.
        child->setFocusPolicy(seen ? focusPolicy : Qt::NoFocus);
        child->setHidden(!seen);
        announceInTree(child, seen);
    }
    // The uptime timers wake once a second while only the display shows their work, once a frame
    // while value fields do.
    model_.setValueFieldsInView(
        valueFieldsInView([this](Field f) { return !fields_[indexOf(f)]->isHidden(); }));
}

void MainWindowView::noteFramePeriod() {
    const QScreen* shownOn = screen();
    model_.setFramePeriodMs(framePeriodMsAt(shownOn ? shownOn->refreshRate() : 0));
}

void MainWindowView::showField(Field f) {
    deferred_.shown(f);
    const auto& text = model_.text(f);
    QWidget* widget = fields_[indexOf(f)];
    if (auto* box = dynamic_cast<ReadOnlyTextBox*>(widget)) {
        box->setText(toQt(text));
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        const QString shown = toQt(withLineFeeds(text));
        if (box->toPlainText() != shown) box->setPlainText(shown);
    }
}

void MainWindowView::showDirtyFields() {
    deferred_.catchUp([this](Field f) { return inView(fields_[indexOf(f)]); },
                      [this](Field f) { showField(f); });
}

void MainWindowView::fieldChanged(Field f) {
    if (deferred_.showNow(f, inView(fields_[indexOf(f)]))) showField(f);
}

void MainWindowView::labelChanged(Label l) {
    labels_[indexOf(l)]->setText(toQt(model_.caption(l)));
}

void MainWindowView::buttonChanged(Button b) {
    buttons_[indexOf(b)]->setText(toQt(model_.caption(b)));
}

void MainWindowView::tickboxChanged(Tickbox t) {
    auto* box = tickboxes_[indexOf(t)];
    const QSignalBlocker quiet(box);
    box->setCheckState(TickboxWidget::stateOf(model_.value(t)));
    box->setEnabled(model_.isEnabled(t));
}

void MainWindowView::displayColourChanged() {
    QWidget* display = fields_[indexOf(Field::QV_UPTIME_DISPLAY_TEXTBOX)];
    QPalette palette = display->palette();
    palette.setColor(QPalette::Base, colourOf(model_.displayBackColour()));
    display->setPalette(palette);
}

void MainWindowView::placementChanged() {
    placement_.apply(model_.placement());
}

void MainWindowView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    noteFramePeriod();
    placement_.fitOnceFrameIsKnown();
    showDirtyFields();
}

void MainWindowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placement_.fitOnceFrameIsKnown();
    hidePeekingControls();
    showDirtyFields();
}

void MainWindowView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    placement_.fitOnceFrameIsKnown();
}

void MainWindowView::closeRequested() {
    // An owned window open at that moment (the modal About window) closes first, as by its own
    // close button, so its unload runs and its nested event loop ends.
    for (auto* dialog : findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        if (dialog->isVisible()) dialog->close();
    close();
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    unload_([this] {
        model_.notePlacement(placement_.current());
        if (callbacks_.unload) callbacks_.unload();
    });
    event->accept();
}

}  // namespace rzv
