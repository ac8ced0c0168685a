#include "shell/reactions.h"

#include <string>

#include "logging/auto_start.h"
#include "shell/numeric_fault.h"
#include "shell/startup.h"

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

void MainWindowReactions::tick(Timer) {}

void MainWindowReactions::tickboxValueChanged(Tickbox tickbox) {
    guarded([&] {
        if (tickbox == Tickbox::AUTOSTART_TICKBOX) onAutoStartChanged(window_);
    });
}

}  // namespace rzv
