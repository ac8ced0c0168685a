#pragma once

#include "fakes/fake_platform.h"
#include "shell/reactions.h"

namespace rzv::test {

// Closes the main window as the window system does: an owned window still open closes first,
// then the unload runs, and the timers end with the window.
struct FakeWindowSystem : MainWindowObserver {
    FakeWindowSystem(MainWindowReactions& reactions, FakePlatform& fake)
        : reactions(reactions), fake(fake) {}
    void closeRequested() override {
        if (closed) return;
        closed = true;
        fake.about.close();
        reactions.unload();
        fake.timers.stopAll();
    }
    MainWindowReactions& reactions;
    FakePlatform& fake;
    bool closed = false;
};

}  // namespace rzv::test
