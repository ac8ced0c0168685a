#include "gui/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

#include "gui/qt/about_dialog.h"
#include "gui/qt/main_window_view.h"
#include "gui/qt/read_only_text_box.h"

namespace rzv {
namespace {

// A label without text is decoration: a reader would stop on it and say nothing.
bool sayable(const QWidget* w) {
    const auto* label = qobject_cast<const QLabel*>(w);
    return !label || !label->text().isEmpty();
}

// A top-level window whose tree holds only the controls a user can see: the main window's value
// fields lie outside its client area until it is enlarged.
class WindowAccessible : public QAccessibleWidget {
  public:
    WindowAccessible(QWidget* window, QAccessible::Role role) : QAccessibleWidget(window, role) {}

    int childCount() const override { return static_cast<int>(shownChildren().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = shownChildren();
        if (index < 0 || index >= children.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || !child->object() || !child->object()->isWidgetType()) return -1;
        return static_cast<int>(shownChildren().indexOf(static_cast<QWidget*>(child->object())));
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.modal = widget()->isModal() && widget()->isVisible();
        return state;
    }

  private:
    QList<QWidget*> shownChildren() const {
        QList<QWidget*> shown;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && !w->isWindow() && !w->isHidden() && sayable(w)) shown.append(w);
        }
        return shown;
    }
};

// The uptime display: text a reader can read, never edit, with no caret to follow.
class ReadOnlyTextBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ReadOnlyTextBoxAccessible(ReadOnlyTextBox* display)
        : QAccessibleWidget(display, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.editable = false;
        return state;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return display()->text();
        // The details, made when the reader asks: never on a tick.
        if (t == QAccessible::Description && !display()->details().isEmpty())
            return display()->details();
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // No selection and no caret: the text is read whole or by offsets.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}

    QString text(int start, int end) const override {
        return display()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(display()->text().size()); }
    QRect characterRect(int offset) const override {
        const QRect r = display()->characterRect(offset);
        return r.isNull() ? r : QRect(display()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = display()->mapFromGlobal(point);
        for (int i = 0; i < characterCount(); ++i)
            if (display()->characterRect(i).contains(local)) return i;
        return -1;
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return QString();
    }

  private:
    ReadOnlyTextBox* display() const { return static_cast<ReadOnlyTextBox*>(widget()); }
};

// Asked with each class name of an object's hierarchy, most derived first; the classes here
// carry no meta-object of their own, so they are recognised by their C++ type.
QAccessibleInterface* interfaceFor(const QString&, QObject* object) {
    if (auto* display = dynamic_cast<ReadOnlyTextBox*>(object))
        return new ReadOnlyTextBoxAccessible(display);
    if (auto* view = dynamic_cast<MainWindowView*>(object))
        return new WindowAccessible(view, QAccessible::Window);
    if (auto* dialog = dynamic_cast<AboutDialog*>(object))
        return new WindowAccessible(dialog, QAccessible::Dialog);
    return nullptr;
}

}  // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    (void)installed;
}

void announceInTree(QWidget* control, bool inTree) {
    QAccessibleEvent event(control,
                           inTree ? QAccessible::ObjectCreated : QAccessible::ObjectDestroyed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace rzv
