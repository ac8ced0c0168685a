#include "keeper/always_on_top.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "wiring/reactions.h"

namespace rzv {
namespace {

using Calls = std::vector<std::string>;

class KeeperTest : public ::testing::Test {
  protected:
    KeeperTest() { window.setNativeHandle(1); }
    test::FakePlatform fake;
    MainWindow window{fake.timers};
};

TEST_F(KeeperTest, doesNothingWhileTheMainWindowHasTheForeground) {
    fake.zOrder.foreground = 1;
    onAlwaysOnTopTimer(window, fake.zOrder);
    EXPECT_EQ(fake.zOrder.calls, Calls{"foreground"});
}

TEST_F(KeeperTest, takesTheForegroundWindowOutOfTheBandAndPutsOursIn) {
    fake.zOrder.foreground = 7;
    onAlwaysOnTopTimer(window, fake.zOrder);
    EXPECT_EQ(fake.zOrder.calls, (Calls{"foreground", "foreground", "leave 7", "enter 1"}));
}

TEST_F(KeeperTest, withNoForegroundWindowOursStillEntersTheBand) {
    fake.zOrder.foreground = 0;
    onAlwaysOnTopTimer(window, fake.zOrder);
    EXPECT_EQ(fake.zOrder.calls, (Calls{"foreground", "foreground", "leave 0", "enter 1"}));
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
        const std::size_t expectedCalls = *stored == '1' ? 3 * 4 : 0;
        EXPECT_EQ(fake.zOrder.calls.size(), expectedCalls) << stored;
    }
}

}  // namespace
}  // namespace rzv
