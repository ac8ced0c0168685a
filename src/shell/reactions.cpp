#include "shell/reactions.h"

#include <string>

#include "logging/auto_start.h"
#include "shell/numeric_fault.h"
#include "shell/startup.h"
#include "uptime/uptime_timers.h"

namespace rzv {

MainWindowReactions::MainWindowReactions(MainWindow& window, Platform& platform)
    : window_(window), platform_(platform) {
    window_.setEvents(this);
    platform_.timers.setFireHandler([this](std::size_t timer) { tick(static_cast<Timer>(timer)); });
}

template <typename Reaction>
void MainWindowReactions::guarded(Reaction&& reaction) {
    if (faulted_) return;
    try {
        reaction();
    } catch (const NumericFault& fault) {
        // Silence the timers first: the report may wait for the user while the loop runs on.
        faulted_ = true;
        platform_.timers.stopAll();
        platform_.diagnostics.fatal(std::string("A numeric fault ended the program: ") +
                                    fault.what());
    }
}

void MainWindowReactions::load() {
    guarded([&] { startUp(window_, platform_); });
}

void MainWindowReactions::unload() {
    guarded([&] { shutDown(window_, platform_); });
}

void MainWindowReactions::click(Button) {}

void MainWindowReactions::tick(Timer timer) {
    guarded([&] {
        switch (timer) {
            case Timer::UPTIME_TIMER:
                onUptimeTimer(window_, platform_.ticks, platform_.regional.decimalSeparator());
                break;
            case Timer::DAY_UPTIME_TIMER:
                onDayUptimeTimer(window_);
                break;
            case Timer::HOUR_UPTIME_TIMER:
                onHourUptimeTimer(window_, platform_.regional.decimalSeparator());
                break;
            case Timer::MINUTE_UPTIME_TIMER:
                onMinuteUptimeTimer(window_, platform_.regional.decimalSeparator());
                break;
            case Timer::SECOND_UPTIME_TIMER:
                onSecondUptimeTimer(window_, platform_.regional.decimalSeparator());
                break;
            case Timer::QV_DISPLAY_UPDATE_TIMER:
                onDisplayUpdateTimer(window_);
                break;
            case Timer::AlwaysOnTopTimer:
            case Timer::AUTOSTART_TIMER:
            case Timer::LOG_TIMER:
            case Timer::AUTOCLOSE_TIMER:
            case Timer::TOTALS_TIMER:
                break;
        }
    });
}

void MainWindowReactions::tickboxValueChanged(Tickbox tickbox) {
    guarded([&] {
        if (tickbox == Tickbox::AUTOSTART_TICKBOX) onAutoStartChanged(window_);
    });
}

}  // namespace rzv
