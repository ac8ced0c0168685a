#include "keeper/always_on_top.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "wiring/reactions.h"

namespace rzv {
namespace {

using Calls = std::vector<std::string>;

TEST(Keeper, movesTheBandOnlyWhenAnotherProgramHasTheForeground) {
    const struct {
        const char* what;
        WindowHandle foreground, owner;
        Calls calls;
    } cases[] = {
        {"ours", 1, 0, {"foreground"}},
        {"our About", 5, 1, {"foreground", "owner of 5"}},
        {"another's", 7, 0, {"foreground", "owner of 7", "foreground", "leave 7", "enter 1"}},
        {"another's dialog",
         7,
         8,
         {"foreground", "owner of 7", "foreground", "leave 7", "enter 1"}},
        {"none", 0, 0, {"foreground", "foreground", "leave 0", "enter 1"}},
    };
    for (const auto& c : cases) {
        test::FakePlatform fake;
        MainWindow window(fake.timers);
        window.setNativeHandle(1);
        fake.zOrder.foreground = c.foreground;
        fake.zOrder.foregroundOwner = c.owner;
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
        const std::size_t expectedCalls = *stored == '1' ? 3 * 5 : 0;
        EXPECT_EQ(fake.zOrder.calls.size(), expectedCalls) << stored;
    }
}

}  // namespace
}  // namespace rzv
