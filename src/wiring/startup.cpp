#include "wiring/startup.h"

#include <utility>

#include "core/control_characters.h"
#include "core/layout.h"
#include "core/settings.h"
#include "core/status_texts.h"
#include "logging/start_stop.h"

namespace rzv {
namespace {

void giveTimersTheirIntervals(MainWindow& window) {
    for (const auto& timer : kTimerDesign)
        if (timer.startupIntervalMs > 0) window.setInterval(timer.id, timer.startupIntervalMs);
}

void enterArming(MainWindow& window) {
    window.setCaption(Label::CURRENT_STATUS_LABEL, kStatusAutostarting);
    armRun(window);
}

void enterStopped(MainWindow& window) {
    window.setCaption(Label::CURRENT_STATUS_LABEL, kStatusReady);
    stopUptime(window);
    lockAutoClose(window);
    endRunTimers(window);
}

}  // namespace

void startUp(MainWindow& window, Platform& platform) {
    Settings settings(platform);
    window.setPlacement(settings.readWindowPlacement(kMainWindowPlacementKeys));

    window.setValue(Tickbox::AlwaysOnTop_TICKBOX,
                    settings.readOption(SettingKey::AlwaysOnTop_TICKBOX));
    // A changed value raises the Auto Start reaction here, before Auto Close is read.
    window.setValue(Tickbox::AUTOSTART_TICKBOX, settings.readOption(SettingKey::AUTOSTART_TICKBOX));
    window.setValue(Tickbox::AUTOCLOSE_TICKBOX, settings.readOption(SettingKey::AUTOCLOSE_TICKBOX));
    if (window.logAndCloseStart()) {
        // One run that logs and closes, whatever the user's options; they stay as stored.
        window.setValue(Tickbox::AUTOSTART_TICKBOX, TickState::Ticked);
        window.setValue(Tickbox::AUTOCLOSE_TICKBOX, TickState::Ticked);
        window.setUnattended(true);
    }

    window.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX, "");
    window.setText(Field::PC_NAME_TEXTBOX,
                   withControlsReplaced(platform.environment.computerName()));
    giveTimersTheirIntervals(window);

    if (window.value(Tickbox::AlwaysOnTop_TICKBOX) == TickState::Ticked)
        window.enable(Timer::AlwaysOnTopTimer);
    else
        window.disable(Timer::AlwaysOnTopTimer);

    if (window.value(Tickbox::AUTOSTART_TICKBOX) == TickState::Ticked)
        enterArming(window);
    else
        enterStopped(window);
}

void shutDown(MainWindow& window, Platform& platform) {
    Settings settings(platform);
    settings.holdWrites();  // saved at once, below
    settings.writeWindowPosition(kMainWindowPlacementKeys, window.placement());
    const std::pair<SettingKey, Tickbox> options[] = {
        {SettingKey::AlwaysOnTop_TICKBOX, Tickbox::AlwaysOnTop_TICKBOX},
        {SettingKey::AUTOSTART_TICKBOX, Tickbox::AUTOSTART_TICKBOX},
        {SettingKey::AUTOCLOSE_TICKBOX, Tickbox::AUTOCLOSE_TICKBOX},
    };
    // After a start that logs and closes, only what the user clicked is theirs to keep.
    for (const auto& [key, tickbox] : options)
        if (!window.logAndCloseStart() || window.clickedByUser(tickbox))
            settings.writeOption(key, window.value(tickbox));
    settings.saveHeldWrites();
}

}  // namespace rzv
