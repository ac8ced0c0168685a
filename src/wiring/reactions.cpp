#include "wiring/reactions.h"

#include <string>

#include "about/about_reactions.h"
#include "core/numeric_fault.h"
#include "core/since_boot.h"
#include "keeper/always_on_top.h"
#include "logging/auto_start_close.h"
#include "logging/log_writer.h"
#include "logging/start_stop.h"
#include "uptime/breakdown.h"
#include "uptime/display.h"
#include "uptime/pacing.h"
#include "uptime/refinement.h"
#include "wiring/startup.h"

namespace rzv {
namespace {

bool isUptimeTimer(Timer timer) {
    for (Timer t : kUptimeTimers)
        if (t == timer) return true;
    return false;
}

}  // namespace

MainWindowReactions::MainWindowReactions(MainWindow& window, Platform& platform,
                                         AboutWindowHost& about)
    : window_(window), platform_(platform), about_(about) {
    window_.setEvents(this);
    platform_.timers.setFireHandler([this](std::size_t timer) { tick(static_cast<Timer>(timer)); });
    paceUptime();
}

void MainWindowReactions::paceUptime() {
    platform_.timers.setPacer([this] { return uptimePace(platform_.ticks, window_); });
}

// One round of the uptime timers that are running, in their chain order, as if their paced
// round had come due this instant.
void MainWindowReactions::catchUpUptime() {
    for (Timer t : kUptimeTimers)
        if (window_.isEnabled(t) && window_.interval(t) > 0) dispatch(t);
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
    platform_.timers.stopAll();
}

void MainWindowReactions::click(Button button) {
    guarded([&] {
        catchUpUptime();
        if (button == Button::START_STOP_BUTTON) onStartStopClick(window_);
        if (button == Button::ABOUT_BUTTON) onAboutClick(window_, platform_, about_);
    });
}

void MainWindowReactions::tick(Timer timer) {
    guarded([&] {
        if (!isUptimeTimer(timer)) catchUpUptime();
        dispatch(timer);
    });
}

void MainWindowReactions::dispatch(Timer timer) {
    auto& w = window_;
    switch (timer) {
        case Timer::UPTIME_TIMER:
            return onUptimeTimer(w, platform_.ticks, platform_.regional.decimalSeparator());
        case Timer::DAY_UPTIME_TIMER:
            return onDayUptimeTimer(w);
        case Timer::HOUR_UPTIME_TIMER:
            return onHourUptimeTimer(w, platform_.regional.decimalSeparator());
        case Timer::MINUTE_UPTIME_TIMER:
            return onMinuteUptimeTimer(w, platform_.regional.decimalSeparator());
        case Timer::SECOND_UPTIME_TIMER:
            return onSecondUptimeTimer(w, platform_.regional.decimalSeparator());
        case Timer::QV_DISPLAY_UPDATE_TIMER:
            return onDisplayUpdateTimer(w);
        case Timer::AUTOSTART_TIMER:
            return onAutostartTimer(w);
        case Timer::LOG_TIMER:
            return onLogTimer(w, platform_);
        case Timer::AUTOCLOSE_TIMER:
            return onAutocloseTimer(w);
        case Timer::AlwaysOnTopTimer:
            return onAlwaysOnTopTimer(w, platform_.zOrder);
        case Timer::TOTALS_TIMER:
            return;
    }
}

std::string MainWindowReactions::uptimeDetails() {
    return sinceBootLines(sinceBoot(platform_.ticks.millisecondsSinceBoot(), platform_.bootClocks),
                          platform_.regional);
}

void MainWindowReactions::valueFieldsInViewChanged() {
    guarded([&] {
        // The fields that just came into view show the present, and the next round is planned
        // for the new pace.
        catchUpUptime();
        paceUptime();
    });
}

void MainWindowReactions::tickboxClicked(Tickbox tickbox) {
    guarded([&] { onOptionClicked(window_, tickbox); });
}

void MainWindowReactions::tickboxValueChanged(Tickbox tickbox) {
    guarded([&] {
        if (tickbox == Tickbox::AUTOSTART_TICKBOX) onAutoStartChanged(window_);
    });
}

}  // namespace rzv
