// What the About window does when the user acts on it, and the main window's ABOUT_BUTTON.
#pragma once

#include "about/about_window.h"
#include "about/about_window_host.h"
#include "core/main_window.h"
#include "platform/platform.h"

namespace rzv {

// They read the main window's report box and nothing else of it.
class AboutReactions {
  public:
    AboutReactions(AboutWindow& about, const MainWindow& main, Platform& platform)
        : about_(about), main_(main), platform_(platform) {}

    // Place and size from the store, then the one copy of the latest record.
    void load();
    void okClick();
    // However the window closes: its position is kept for the next opening.
    void unload();
    void creatorDoubleClick();

  private:
    void savePosition();

    AboutWindow& about_;
    const MainWindow& main_;
    Platform& platform_;
};

// ABOUT_BUTTON: opens the About window modally and returns when it has closed.
void onAboutClick(const MainWindow& main, Platform& platform, AboutWindowHost& host);

}  // namespace rzv
