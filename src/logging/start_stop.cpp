#include "logging/start_stop.h"

#include "core/status_texts.h"

namespace rzv {

void armRun(MainWindow& w) {
    w.setCaption(Button::START_STOP_BUTTON, kButtonStop);
    for (Timer t : kUptimeTimers) w.enable(t);
    // The display's text turns live at the display timer's next tick.
    w.setDisplayBackColour(kBlack);
    w.enable(Timer::AUTOSTART_TIMER);
    w.setEnabled(Tickbox::AUTOCLOSE_TICKBOX, true);
}

void stopUptime(MainWindow& w) {
    w.setCaption(Button::START_STOP_BUTTON, kButtonStart);
    for (Timer t : kUptimeTimers) w.disable(t);
    w.setDisplayBackColour(kRed);
    w.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX, kTimersDisabled);
}

void lockAutoClose(MainWindow& w) {
    w.setValue(Tickbox::AUTOCLOSE_TICKBOX, TickState::Clear);
    w.setEnabled(Tickbox::AUTOCLOSE_TICKBOX, false);
}

void endRunTimers(MainWindow& w) {
    w.disable(Timer::AUTOSTART_TIMER);
    w.disable(Timer::LOG_TIMER);
    w.disable(Timer::AUTOCLOSE_TIMER);
}

void onStartStopClick(MainWindow& w) {
    w.setUnattended(false);
    if (w.caption(Button::START_STOP_BUTTON) == kButtonStart) {
        armRun(w);
        w.setCaption(Label::CURRENT_STATUS_LABEL, kStatusStarting);
        return;
    }
    stopUptime(w);
    w.setCaption(Label::CURRENT_STATUS_LABEL, kStatusAborted);
    lockAutoClose(w);
    endRunTimers(w);
}

}  // namespace rzv
