// Routes every event of the main window to its reaction. Reactions never call each other; they
// meet only in the model.
//
// The uptime timers run their rounds only when a person could see a change (uptime/pacing.h).
// Whatever reads their fields in between, another timer's reaction or a click, first gets one
// round of them dispatched here, so it reads what ticking every millisecond would hold now.
#pragma once

#include "about/about_window_host.h"
#include "core/main_window.h"
#include "platform/platform.h"

namespace rzv {

class MainWindowReactions : public MainWindowEvents {
  public:
    // Registers itself for the model's events and the timers' ticks.
    MainWindowReactions(MainWindow& window, Platform& platform, AboutWindowHost& about);

    void load();
    // Saves, then ends the window's timers: they live as long as the window.
    void unload();
    void click(Button button);
    void tick(Timer timer);
    void tickboxValueChanged(Tickbox tickbox) override;
    void tickboxClicked(Tickbox tickbox) override;
    void valueFieldsInViewChanged() override;
    // The uptime display's details (since when, how long awake, how long asleep), made only
    // when someone asks for them: never on a tick.
    std::string uptimeDetails();

    // After a fault the program is ending: no further reaction runs.
    bool faulted() const { return faulted_; }

  private:
    template <typename Reaction>
    void guarded(Reaction&& reaction);
    void dispatch(Timer timer);
    void catchUpUptime();
    void paceUptime();

    MainWindow& window_;
    Platform& platform_;
    AboutWindowHost& about_;
    bool faulted_ = false;
};

}  // namespace rzv
