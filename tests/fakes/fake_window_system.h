#pragma once

#include "fakes/fake_platform.h"
#include "wiring/reactions.h"

namespace rzv::test {

// Closes the main window as the window system does: an owned window still open closes first,
// then the unload runs (the timers end with it).
struct FakeWindowSystem : MainWindowObserver {
    FakeWindowSystem(MainWindowReactions& reactions, FakePlatform& fake)
        : reactions(reactions), fake(fake) {}
    void closeRequested() override {
        if (closed) return;
        closed = true;
        fake.about.close();
        reactions.unload();
    }
    MainWindowReactions& reactions;
    FakePlatform& fake;
    bool closed = false;
};

}  // namespace rzv::test
