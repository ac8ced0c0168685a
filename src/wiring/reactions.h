// Routes every event of the main window to its reaction. Reactions never call each other; they
// meet only in the model.
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

    // After a fault the program is ending: no further reaction runs.
    bool faulted() const { return faulted_; }

  private:
    template <typename Reaction>
    void guarded(Reaction&& reaction);

    MainWindow& window_;
    Platform& platform_;
    AboutWindowHost& about_;
    bool faulted_ = false;
};

}  // namespace rzv
