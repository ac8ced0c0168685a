#include "logging/start_stop.h"

#include "shell/status_texts.h"

namespace rzv {
namespace {

void start(MainWindow& w) {
    w.setCaption(Button::START_STOP_BUTTON, kButtonStop);
    for (Timer t : kUptimeTimers) w.enable(t);
    // The display's text turns live at the display timer's next tick.
    w.setDisplayBackColour(kBlack);
    w.enable(Timer::AUTOSTART_TIMER);
    w.setEnabled(Tickbox::AUTOCLOSE_TICKBOX, true);
    w.setCaption(Label::CURRENT_STATUS_LABEL, kStatusStarting);
}

void stop(MainWindow& w) {
    w.setCaption(Button::START_STOP_BUTTON, kButtonStart);
    for (Timer t : kUptimeTimers) w.disable(t);
    w.setDisplayBackColour(kRed);
    w.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX, kTimersDisabled);
    w.setCaption(Label::CURRENT_STATUS_LABEL, kStatusAborted);
    w.setValue(Tickbox::AUTOCLOSE_TICKBOX, kUnticked);
    w.setEnabled(Tickbox::AUTOCLOSE_TICKBOX, false);
    w.disable(Timer::AUTOSTART_TIMER);
    w.disable(Timer::LOG_TIMER);
    w.disable(Timer::AUTOCLOSE_TIMER);
}

}  // namespace

void onStartStopClick(MainWindow& window) {
    if (window.caption(Button::START_STOP_BUTTON) == kButtonStart)
        start(window);
    else
        stop(window);
}

}  // namespace rzv
