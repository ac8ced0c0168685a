#include "core/main_window.h"

#include "core/layout.h"

namespace rzv {
namespace {

// Assigns only a different text, reusing the string's buffer; reports whether it changed.
bool assignIfChanged(std::string& target, std::string_view text) {
    if (target == text) return false;
    target.assign(text.data(), text.size());
    return true;
}

}  // namespace

MainWindow::MainWindow(TimerService& timers) : timerService_(timers) {
    for (const auto& control : kMainWindowControls) {
        switch (control.kind) {
            case ControlKind::Field:
                fields_[control.id] = control.designText;
                break;
            case ControlKind::Label:
                labels_[control.id] = control.designText;
                break;
            case ControlKind::Button:
                buttons_[control.id] = control.designText;
                break;
            case ControlKind::Tickbox: {
                const auto design = designOf(static_cast<Tickbox>(control.id));
                tickboxes_[control.id] = {design.value, design.enabled, false};
                break;
            }
        }
    }
    // No timer has an interval yet, so the timers enabled by design do not tick until start-up
    // gives them one.
    for (const auto& timer : kTimerDesign) timers_[indexOf(timer.id)] = {0, timer.enabledInDesign};
}

void MainWindow::setText(Field f, std::string_view text) {
    if (assignIfChanged(fields_[indexOf(f)], text)) observer_->fieldChanged(f);
}

void MainWindow::setValueFieldsInView(bool inView) {
    if (valueFieldsInView_ == inView) return;
    valueFieldsInView_ = inView;
    if (events_) events_->valueFieldsInViewChanged();
}

void MainWindow::setCaption(Label l, std::string_view caption) {
    if (assignIfChanged(labels_[indexOf(l)], caption)) observer_->labelChanged(l);
}

void MainWindow::setCaption(Button b, std::string_view caption) {
    if (assignIfChanged(buttons_[indexOf(b)], caption)) observer_->buttonChanged(b);
}

void MainWindow::click(Tickbox t) {
    tickboxes_[indexOf(t)].clicked = true;
    if (events_) events_->tickboxClicked(t);
    setValue(t, afterClick(value(t)));
}

void MainWindow::setValue(Tickbox t, TickState value) {
    auto& state = tickboxes_[indexOf(t)];
    if (state.value == value) return;
    state.value = value;
    observer_->tickboxChanged(t);
    if (events_) events_->tickboxValueChanged(t);
}

void MainWindow::setEnabled(Tickbox t, bool enabled) {
    auto& state = tickboxes_[indexOf(t)];
    if (state.enabled == enabled) return;
    state.enabled = enabled;
    observer_->tickboxChanged(t);
}

void MainWindow::setDisplayBackColour(unsigned colour) {
    if (displayBackColour_ == colour) return;
    displayBackColour_ = colour;
    observer_->displayColourChanged();
}

void MainWindow::setInterval(Timer t, int intervalMs) {
    timers_[indexOf(t)].intervalMs = intervalMs;
    if (isEnabled(t)) syncTimer(t);
}

void MainWindow::enable(Timer t) {
    auto& state = timers_[indexOf(t)];
    if (state.enabled) return;
    state.enabled = true;
    syncTimer(t);
}

void MainWindow::disable(Timer t) {
    auto& state = timers_[indexOf(t)];
    if (!state.enabled) return;
    state.enabled = false;
    syncTimer(t);
}

void MainWindow::syncTimer(Timer t) {
    const auto& state = timers_[indexOf(t)];
    if (state.enabled && state.intervalMs > 0)
        timerService_.start(indexOf(t), state.intervalMs);
    else
        timerService_.stop(indexOf(t));
}

void MainWindow::setPlacement(Placement placement) {
    placement_ = placement;
    observer_->placementChanged();
}

}  // namespace rzv
