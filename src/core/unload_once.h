// A window's unload runs once however it closes: its close button, Esc, OK, a close from code,
// the end of the session, or several of them in a row.
#pragma once

#include <functional>

namespace rzv {

class UnloadOnce {
  public:
    // Runs `unload` the first time only; later calls do nothing.
    void operator()(const std::function<void()>& unload) {
        if (done_) return;
        done_ = true;
        if (unload) unload();
    }

  private:
    bool done_ = false;
};

}  // namespace rzv
