#include "logging/auto_start_close.h"

#include "core/status_texts.h"

namespace rzv {

void onAutoStartChanged(MainWindow& window) {
    if (window.value(Tickbox::AUTOSTART_TICKBOX) == TickState::Ticked) {
        window.setEnabled(Tickbox::AUTOCLOSE_TICKBOX, true);
        return;
    }
    window.setEnabled(Tickbox::AUTOCLOSE_TICKBOX, false);
    window.setValue(Tickbox::AUTOCLOSE_TICKBOX, TickState::Clear);
}

void onOptionClicked(MainWindow& window, Tickbox tickbox) {
    if (tickbox == Tickbox::AUTOSTART_TICKBOX || tickbox == Tickbox::AUTOCLOSE_TICKBOX)
        window.setUnattended(false);
}

void onAutostartTimer(MainWindow& window) {
    window.setCaption(Label::CURRENT_STATUS_LABEL, kStatusLogging);
    window.enable(Timer::LOG_TIMER);
    window.disable(Timer::AUTOSTART_TIMER);
}

void onAutocloseTimer(MainWindow& window) {
    if (window.value(Tickbox::AUTOCLOSE_TICKBOX) == TickState::Ticked) {
        window.setCaption(Label::CURRENT_STATUS_LABEL, kStatusAutoclosing);
        // Closes as the user's close does: shut-down saves, and the timers end with the window.
        window.requestClose();
        return;
    }
    window.setCaption(Label::CURRENT_STATUS_LABEL, kStatusReady);
    window.setCaption(Button::START_STOP_BUTTON, kButtonStart);
    window.disable(Timer::AUTOCLOSE_TIMER);
}

}  // namespace rzv
