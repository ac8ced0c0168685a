#pragma once

namespace rzv {

class AboutWindow;
class AboutReactions;

// Shows the About window modally, owned by the main window, and returns when it has closed. The
// window's load runs before it shows, its unload however it closes; the main window's timers go
// on firing meanwhile.
class AboutWindowHost {
  public:
    virtual ~AboutWindowHost() = default;
    virtual void showModal(AboutWindow& window, AboutReactions& reactions) = 0;
};

}  // namespace rzv
