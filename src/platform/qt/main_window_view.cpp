#include "platform/qt/main_window_view.h"

#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "platform/qt/tickbox_widget.h"

namespace rzv {
namespace {

constexpr double kTwipsPerInch = 1440.0;

QString toQt(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor colourOf(unsigned number) {
    return QColor(number & 0xff, (number >> 8) & 0xff, (number >> 16) & 0xff);
}

// Arial and MS Sans Serif are not on every desktop: each family list ends in metric-compatible
// stand-ins.
const QStringList kArial = {"Arial", "Liberation Sans", "Arimo"};
const QStringList kSansSerif = {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans",
                                "Arial"};

QFont designFont(const QStringList& families, double points, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void applyLook(QWidget* widget, Look look) {
    QPalette palette = widget->palette();
    switch (look) {
        case Look::Plain:
            return;
        case Look::Caption:
            widget->setFont(designFont(kSansSerif, 8.25, true));
            return;
        case Look::Title:
            widget->setFont(designFont(kArial, 9, true));
            widget->setAutoFillBackground(true);
            palette.setColor(QPalette::Window, colourOf(kBlack));
            palette.setColor(QPalette::WindowText, colourOf(kGreen));
            break;
        case Look::Display:
            widget->setFont(designFont(kArial, 9.75, true));
            palette.setColor(QPalette::Base, colourOf(kBlack));
            palette.setColor(QPalette::Text, colourOf(kGreen));
            break;
    }
    widget->setPalette(palette);
}

// The report box keeps CR LF line ends; the widget wants plain line feeds.
QString forDisplay(const std::string& text) {
    QString shown = toQt(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

}  // namespace

MainWindowView::MainWindowView(MainWindow& model, Callbacks callbacks)
    : model_(model), callbacks_(std::move(callbacks)) {
    setObjectName(kWindowName);
    setWindowTitle(kWindowCaption);
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/rzv-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/rzv-24.png"), QSize(24, 24));
    setWindowIcon(icon);
    setFont(designFont(kSansSerif, 8.25, false));
    buildControls();
    setFocusOrder();
    model_.setObserver(this);
}

MainWindowView::~MainWindowView() {
    model_.setObserver(nullptr);
}

int MainWindowView::toPixelsX(double twips) const {
    return qRound(twips * logicalDpiX() / kTwipsPerInch);
}
int MainWindowView::toPixelsY(double twips) const {
    return qRound(twips * logicalDpiY() / kTwipsPerInch);
}
float MainWindowView::toTwipsX(int pixels) const {
    return static_cast<float>(qRound(pixels * kTwipsPerInch / logicalDpiX()));
}
float MainWindowView::toTwipsY(int pixels) const {
    return static_cast<float>(qRound(pixels * kTwipsPerInch / logicalDpiY()));
}

QRect MainWindowView::pixelRect(const TwipsRect& r) const {
    return QRect(toPixelsX(r.left), toPixelsY(r.top), toPixelsX(r.width), toPixelsY(r.height));
}

void MainWindowView::buildControls() {
    for (const auto& control : kMainWindowControls) {
        QWidget* widget = nullptr;
        const QString text = QString::fromUtf8(control.designText);
        switch (control.kind) {
            case ControlKind::Field:
                if (control.multiLine) {
                    auto* box = new QPlainTextEdit(this);
                    box->setReadOnly(true);
                    box->setPlainText(forDisplay(control.designText));
                    widget = box;
                } else {
                    auto* edit = new QLineEdit(text, this);
                    edit->setReadOnly(true);
                    edit->setCursorPosition(0);
                    widget = edit;
                }
                fields_[control.id] = widget;
                break;
            case ControlKind::Label: {
                auto* label = new QLabel(text, this);
                labels_[control.id] = label;
                widget = label;
                break;
            }
            case ControlKind::Tickbox: {
                auto* box = new TickboxWidget(text, this);
                const auto tickbox = static_cast<Tickbox>(control.id);
                box->setCheckState(TickboxWidget::stateOf(model_.value(tickbox)));
                box->setEnabled(model_.isEnabled(tickbox));
                connect(box, &QCheckBox::clicked, this, [this, box, tickbox] {
                    model_.setValue(tickbox, TickboxWidget::valueOf(box->checkState()));
                });
                tickboxes_[control.id] = box;
                widget = box;
                break;
            }
            case ControlKind::Button: {
                auto* button = new QPushButton(text, this);
                const auto id = static_cast<Button>(control.id);
                connect(button, &QPushButton::clicked, this, [this, id] {
                    if (callbacks_.click) callbacks_.click(id);
                });
                buttons_[control.id] = button;
                widget = button;
                break;
            }
        }
        widget->setObjectName(control.name);
        widget->setAccessibleName(text);
        widget->setGeometry(pixelRect(control.rect));
        applyLook(widget, control.look);
    }
    fields_[indexOf(Field::QV_UPTIME_DISPLAY_TEXTBOX)]->setAccessibleName(QStringLiteral("Uptime"));
    static_cast<QLineEdit*>(fields_[indexOf(Field::QV_UPTIME_DISPLAY_TEXTBOX)])
        ->setAlignment(Qt::AlignCenter);
    displayColourChanged();

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::VLine);
    line->setGeometry(toPixelsX(kLine1X) - 1, toPixelsY(kLine1Top), 2,
                      toPixelsY(kLine1Bottom - kLine1Top));
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
    return isVisible() && rect().intersects(w->geometry());
}

void MainWindowView::showField(Field f) {
    dirty_.reset(indexOf(f));
    const auto& text = model_.text(f);
    QWidget* widget = fields_[indexOf(f)];
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // An unchanged text is left alone: rewriting it would drop the user's selection.
        const QString shown = toQt(text);
        if (edit->text() != shown) {
            edit->setText(shown);
            edit->setCursorPosition(0);
        }
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        const QString shown = forDisplay(text);
        if (box->toPlainText() != shown) box->setPlainText(shown);
    }
}

void MainWindowView::showDirtyFields() {
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (dirty_.test(i) && inView(fields_[i])) showField(static_cast<Field>(i));
}

void MainWindowView::fieldChanged(Field f) {
    if (inView(fields_[indexOf(f)]))
        showField(f);
    else
        dirty_.set(indexOf(f));
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

QMargins MainWindowView::frameMargins() const {
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    if (frame != client)
        return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    // No frame known (not yet shown, or a platform without one): the designed frame.
    return QMargins(toPixelsX(kDesignFrameSide), toPixelsY(kDesignFrameTop),
                    toPixelsX(kDesignFrameSide), toPixelsY(kDesignFrameSide));
}

void MainWindowView::fitClientToOuterSize() {
    const auto p = model_.placement();
    const QMargins m = frameMargins();
    resize(std::max(1, toPixelsX(p.width) - m.left() - m.right()),
           std::max(1, toPixelsY(p.height) - m.top() - m.bottom()));
}

void MainWindowView::placementChanged() {
    const auto p = model_.placement();
    move(toPixelsX(p.left), toPixelsY(p.top));
    fitClientToOuterSize();
}

void MainWindowView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitToFrameOnce();
    showDirtyFields();
}

void MainWindowView::fitToFrameOnce() {
    // The window manager tells the frame's size only after the window is mapped; the outer size
    // is what was asked for, so the client area is fitted once the frame is known.
    if (!frameKnown_ && isVisible() && frameGeometry() != geometry()) {
        frameKnown_ = true;
        fitClientToOuterSize();
    }
}

void MainWindowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitToFrameOnce();
    showDirtyFields();
}

void MainWindowView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    fitToFrameOnce();
}

void MainWindowView::closeRequested() {
    close();
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        // A window that stands where it was put keeps its twips exactly; pixels would round them.
        const QPoint outer = frameGeometry().topLeft();
        auto p = model_.placement();
        if (outer.x() != toPixelsX(p.left)) p.left = toTwipsX(outer.x());
        if (outer.y() != toPixelsY(p.top)) p.top = toTwipsY(outer.y());
        model_.notePlacement(p);
        if (callbacks_.unload) callbacks_.unload();
    }
    event->accept();
}

}  // namespace rzv
