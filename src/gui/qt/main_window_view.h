// The main window on screen: one widget per control of the model, at its designed place, kept
// in step with the model both ways.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "core/layout.h"
#include "core/main_window.h"
#include "core/unload_once.h"
#include "core/view_rules.h"
#include "gui/qt/outer_placement.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace rzv {

class TickboxWidget;

class MainWindowView : public QWidget, public MainWindowObserver {
  public:
    struct Callbacks {
        std::function<void(Button)> click;
        std::function<void()> unload;                // runs once, when the window closes
        std::function<std::string()> uptimeDetails;  // the display's tooltip, when asked
    };

    MainWindowView(MainWindow& model, Callbacks callbacks);
    ~MainWindowView() override;

    // The widget that shows a control, for tests and the accessibility layer.
    QWidget* widgetFor(const ControlLayout& control) const;

    void fieldChanged(Field f) override;
    void labelChanged(Label l) override;
    void buttonChanged(Button b) override;
    void tickboxChanged(Tickbox t) override;
    void displayColourChanged() override;
    void placementChanged() override;
    void closeRequested() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    void buildControls();
    // One maker for each kind of control: the widget, at the model's state, in its array.
    QWidget* makeControl(const ControlLayout& control);
    QWidget* makeField(const ControlLayout& control);
    QWidget* makeTickbox(const ControlLayout& control);
    QWidget* makeButton(const ControlLayout& control);
    void linkCaptions();
    bool hasCaption(const QWidget* w) const;
    void setFocusOrder();
    bool inView(const QWidget* w) const;
    // The one place that decides which controls are in view: those outside the client area are
    // hidden, unfocusable and out of the accessible tree.
    void hidePeekingControls();
    void noteFramePeriod();
    void showField(Field f);
    void showDirtyFields();

    MainWindow& model_;
    Callbacks callbacks_;
    std::array<QWidget*, kFieldCount> fields_{};
    std::array<QLabel*, kLabelCount> labels_{};
    std::array<TickboxWidget*, kTickboxCount> tickboxes_{};
    std::array<QPushButton*, kButtonCount> buttons_{};
    // Every control with the keyboard focus it takes while in view.
    std::vector<std::pair<QWidget*, Qt::FocusPolicy>> placed_;
    // Fields written while out of sight; they are brought up to date when they come into view.
    DeferredFields deferred_;
    OuterPlacement placement_;
    UnloadOnce unload_;
};

}  // namespace rzv
