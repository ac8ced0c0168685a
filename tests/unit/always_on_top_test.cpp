#include "keeper/always_on_top.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "wiring/reactions.h"

namespace rzv {
namespace {

using Calls = std::vector<std::string>;

// Another program's window, dialog or none leaves the band to ours; the desktop's own windows
// (a dock, the taskbar, the desktop) keep theirs, and ours enters it all the same.
TEST(Keeper, movesTheBandOnlyWhenAnotherProgramHasTheForeground) {
    const Calls moved = {"foreground", "owner of 7", "foreground",
                         "kind of 7",  "leave 7",    "enter 1"};
    const Calls keptByFurniture = {"foreground", "owner of 7", "foreground", "kind of 7",
                                   "enter 1"};
    const struct {
        const char* what;
        WindowHandle foreground, owner;
        bool furniture;
        Calls calls;
    } cases[] = {
        {"ours", 1, 0, false, {"foreground"}},
        {"our About", 5, 1, false, {"foreground", "owner of 5"}},
        {"another's", 7, 0, false, moved},
        {"another's dialog", 7, 8, false, moved},
        {"a dock", 7, 0, true, keptByFurniture},
        {"the taskbar", 7, 0, true, keptByFurniture},
        {"the desktop", 7, 0, true, keptByFurniture},
        {"none", 0, 0, false, {"foreground", "foreground", "kind of 0", "leave 0", "enter 1"}},
    };
    for (const auto& c : cases) {
        test::FakePlatform fake;
        MainWindow window(fake.timers);
        window.setNativeHandle(1);
        fake.zOrder.foreground = c.foreground;
        fake.zOrder.foregroundOwner = c.owner;
        fake.zOrder.foregroundIsFurniture = c.furniture;
        onAlwaysOnTopTimer(window, fake.zOrder);
        EXPECT_EQ(fake.zOrder.calls, c.calls) << c.what;
    }
}

TEST(Keeper, runsOnceASecondOnlyWhenTheOptionWasTickedAtStartUp) {
    for (const char* stored : {"1", "0", "2"}) {
        test::FakePlatform fake;
        MainWindow window(fake.timers);
        MainWindowReactions reactions(window, fake.platform, fake.about);
        fake.settings.put("RI-ZUZERU-VAVUZA", "AlwaysOnTop_TICKBOX", stored);
        reactions.load();
        window.setNativeHandle(1);
        fake.zOrder.foreground = 9;
        window.setValue(Tickbox::AlwaysOnTop_TICKBOX,
                        *stored == '1' ? TickState::Clear : TickState::Ticked);
        fake.timers.advance(3500);
        const std::size_t expectedCalls = *stored == '1' ? 3 * 6 : 0;
        EXPECT_EQ(fake.zOrder.calls.size(), expectedCalls) << stored;
    }
}

}  // namespace
}  // namespace rzv
