#include "wiring/startup.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "wiring/reactions.h"

namespace rzv {
namespace {

using test::FakePlatform;

constexpr const char* kSection = "RI-ZUZERU-VAVUZA";

// The main window on fake platform parts, with its reactions wired as the program wires them.
class StartupTest : public ::testing::Test {
  protected:
    void store(const char* key, const char* text) { fake.settings.put(kSection, key, text); }
    bool running(Timer t) const { return fake.timers.isRunning(indexOf(t)); }

    FakePlatform fake;
    MainWindow window{fake.timers};
    MainWindowReactions reactions{window, fake.platform, fake.about};
};

TEST_F(StartupTest, emptyStoreOpensReadyAtTheDefaultPlace) {
    reactions.load();
    const auto p = window.placement();
    EXPECT_EQ(p.left, 1000);
    EXPECT_EQ(p.top, 1000);
    EXPECT_EQ(p.width, 4380);
    EXPECT_EQ(p.height, 2325);
    EXPECT_EQ(window.caption(Label::CURRENT_STATUS_LABEL), "READY...");
    EXPECT_EQ(window.caption(Button::START_STOP_BUTTON), "START");
    EXPECT_EQ(window.text(Field::QV_UPTIME_DISPLAY_TEXTBOX), "TIMERS DISABLED");
    EXPECT_EQ(window.displayBackColour(), kRed);
    EXPECT_EQ(window.value(Tickbox::AlwaysOnTop_TICKBOX), TickState::Ticked);
    EXPECT_EQ(window.value(Tickbox::AUTOSTART_TICKBOX), TickState::Clear);
    EXPECT_EQ(window.value(Tickbox::AUTOCLOSE_TICKBOX), TickState::Clear);
    EXPECT_FALSE(window.isEnabled(Tickbox::AUTOCLOSE_TICKBOX));
    EXPECT_EQ(window.text(Field::PC_NAME_TEXTBOX), "TESTPC");
    for (Timer t : kUptimeTimers) EXPECT_FALSE(running(t));
    EXPECT_TRUE(running(Timer::AlwaysOnTopTimer));
    EXPECT_EQ(fake.timers.intervalOf(indexOf(Timer::AlwaysOnTopTimer)), 1000);
    EXPECT_FALSE(running(Timer::AUTOSTART_TIMER));
    EXPECT_FALSE(running(Timer::LOG_TIMER));
    EXPECT_FALSE(running(Timer::AUTOCLOSE_TIMER));
    EXPECT_FALSE(running(Timer::TOTALS_TIMER));
}

TEST_F(StartupTest, readsTheMainKeysInOrderAndNothingElse) {
    reactions.load();
    EXPECT_EQ(fake.settings.operations,
              (std::vector<std::string>{"read MAIN_Left", "read MAIN_Top", "read MAIN_Width",
                                        "read MAIN_Height", "read AlwaysOnTop_TICKBOX",
                                        "read AUTOSTART_TICKBOX", "read AUTOCLOSE_TICKBOX"}));
}

TEST_F(StartupTest, storedAutoStartArmsARun) {
    store("AUTOSTART_TICKBOX", "1");
    store("AUTOCLOSE_TICKBOX", "1");
    reactions.load();
    EXPECT_EQ(window.caption(Label::CURRENT_STATUS_LABEL), "!!! AUTOSTARTING !!!");
    EXPECT_EQ(window.caption(Button::START_STOP_BUTTON), "STOP");
    EXPECT_EQ(window.displayBackColour(), kBlack);
    EXPECT_EQ(window.text(Field::QV_UPTIME_DISPLAY_TEXTBOX), "");
    for (Timer t : kUptimeTimers) {
        EXPECT_TRUE(running(t));
        EXPECT_EQ(fake.timers.intervalOf(indexOf(t)), 1);
    }
    EXPECT_TRUE(running(Timer::AUTOSTART_TIMER));
    EXPECT_EQ(fake.timers.intervalOf(indexOf(Timer::AUTOSTART_TIMER)), 10000);
    EXPECT_FALSE(running(Timer::LOG_TIMER));
    EXPECT_EQ(window.value(Tickbox::AUTOCLOSE_TICKBOX), TickState::Ticked);
    EXPECT_TRUE(window.isEnabled(Tickbox::AUTOCLOSE_TICKBOX));
}

struct OptionCase {
    const char* autostart;
    const char* autoclose;
    TickState autocloseValue;
    bool autocloseEnabled;
};

class AutoCloseAtStartupTest : public StartupTest,
                               public ::testing::WithParamInterface<OptionCase> {};

TEST_P(AutoCloseAtStartupTest, isAvailableOnlyWithAutoStart) {
    store("AUTOSTART_TICKBOX", GetParam().autostart);
    store("AUTOCLOSE_TICKBOX", GetParam().autoclose);
    reactions.load();
    EXPECT_EQ(window.value(Tickbox::AUTOCLOSE_TICKBOX), GetParam().autocloseValue);
    EXPECT_EQ(window.isEnabled(Tickbox::AUTOCLOSE_TICKBOX), GetParam().autocloseEnabled);
}

INSTANTIATE_TEST_SUITE_P(Options, AutoCloseAtStartupTest,
                         ::testing::Values(OptionCase{"0", "1", TickState::Clear, false},
                                           OptionCase{"1", "1", TickState::Ticked, true},
                                           OptionCase{"1", "0", TickState::Clear, true},
                                           OptionCase{"1", "2", TickState::Greyed, true},
                                           OptionCase{"2", "1", TickState::Clear, false}));

TEST_F(StartupTest, greyedAutoStartRestsReadyAndIsSavedBackAsTwo) {
    store("AUTOSTART_TICKBOX", "2");
    reactions.load();
    EXPECT_EQ(window.caption(Label::CURRENT_STATUS_LABEL), "READY...");
    EXPECT_EQ(window.value(Tickbox::AUTOSTART_TICKBOX), TickState::Greyed);
    reactions.unload();
    EXPECT_EQ(fake.settings.get(kSection, "AUTOSTART_TICKBOX"), "2");
}

TEST_F(StartupTest, alwaysOnTopClearLeavesTheKeeperOff) {
    store("AlwaysOnTop_TICKBOX", "0");
    reactions.load();
    EXPECT_FALSE(running(Timer::AlwaysOnTopTimer));
    // Ticking it later changes nothing until the next start.
    window.setValue(Tickbox::AlwaysOnTop_TICKBOX, TickState::Ticked);
    EXPECT_FALSE(running(Timer::AlwaysOnTopTimer));
}

TEST_F(StartupTest, computerNameMayBeEmpty) {
    fake.environment.name = "";
    reactions.load();
    EXPECT_EQ(window.text(Field::PC_NAME_TEXTBOX), "");
}

TEST_F(StartupTest, storedPlacementIsAppliedUncorrected) {
    store("MAIN_Left", "-1200");
    store("MAIN_Top", "300");
    store("MAIN_Width", "9000");
    reactions.load();
    EXPECT_EQ(window.placement().left, -1200);
    EXPECT_EQ(window.placement().top, 300);
    EXPECT_EQ(window.placement().width, 9000);
    EXPECT_EQ(window.placement().height, 2325);
}

TEST_F(StartupTest, unreadableStoredTextsFallBackAndStartUpGoesOn) {
    store("MAIN_Left", "far left");
    store("AUTOSTART_TICKBOX", "7");
    store("AlwaysOnTop_TICKBOX", "");
    reactions.load();
    EXPECT_EQ(window.placement().left, 1000);
    EXPECT_EQ(window.value(Tickbox::AUTOSTART_TICKBOX), TickState::Clear);
    EXPECT_EQ(window.value(Tickbox::AlwaysOnTop_TICKBOX), TickState::Ticked);
    EXPECT_EQ(fake.diagnostics.warnings.size(), 3u);
    EXPECT_TRUE(fake.diagnostics.fatals.empty());
    EXPECT_EQ(window.caption(Label::CURRENT_STATUS_LABEL), "READY...");
    // Shut-down writes sound values back.
    reactions.unload();
    EXPECT_EQ(fake.settings.get(kSection, "MAIN_Left"), "1000");
    EXPECT_EQ(fake.settings.get(kSection, "AUTOSTART_TICKBOX"), "0");
    EXPECT_EQ(fake.settings.get(kSection, "AlwaysOnTop_TICKBOX"), "1");
}

TEST_F(StartupTest, shutDownWritesPositionAndOptionsInOrderButNeverTheSize) {
    reactions.load();
    window.notePlacement({2000, -1200, 9999, 9999});
    window.setValue(Tickbox::AUTOSTART_TICKBOX, TickState::Ticked);
    window.setValue(Tickbox::AUTOCLOSE_TICKBOX, TickState::Ticked);
    fake.settings.operations.clear();
    reactions.unload();
    EXPECT_EQ(fake.settings.operations,
              (std::vector<std::string>{"write MAIN_Left=2000", "write MAIN_Top=-1200",
                                        "write AlwaysOnTop_TICKBOX=1", "write AUTOSTART_TICKBOX=1",
                                        "write AUTOCLOSE_TICKBOX=1"}));
    EXPECT_EQ(fake.settings.batches, 1);  // one save of the file, not five
}

TEST_F(StartupTest, aFailedSaveIsSaidOnce) {
    reactions.load();
    fake.settings.batchFailure = "settings MAIN_Left, MAIN_Top not saved: disk full";
    reactions.unload();
    EXPECT_EQ(fake.diagnostics.warnings,
              std::vector<std::string>{"settings MAIN_Left, MAIN_Top not saved: disk full"});
}

TEST_F(StartupTest, aPositionTheWindowSystemNeverToldLeavesTheStoredPlaceAlone) {
    store("MAIN_Left", "2000.50");
    reactions.load();
    window.notePlacement({-45, -450, 4380, 2325, false});
    fake.settings.operations.clear();
    reactions.unload();
    EXPECT_EQ(fake.settings.operations,
              (std::vector<std::string>{"write AlwaysOnTop_TICKBOX=1", "write AUTOSTART_TICKBOX=0",
                                        "write AUTOCLOSE_TICKBOX=0"}));
    EXPECT_EQ(fake.settings.get(kSection, "MAIN_Left"), "2000.50");
}

TEST_F(StartupTest, autoCloseTickedWithoutAutoStartIsSavedCleared) {
    store("AUTOCLOSE_TICKBOX", "1");
    reactions.load();
    reactions.unload();
    EXPECT_EQ(fake.settings.get(kSection, "AUTOCLOSE_TICKBOX"), "0");
}

TEST_F(StartupTest, optionsAndPlacementSurviveARestart) {
    store("AUTOSTART_TICKBOX", "1");
    reactions.load();
    window.notePlacement({1500, 2500, 4380, 2325});
    window.setValue(Tickbox::AUTOCLOSE_TICKBOX, TickState::Ticked);
    window.setValue(Tickbox::AlwaysOnTop_TICKBOX, TickState::Clear);
    reactions.unload();

    MainWindow next(fake.timers);
    MainWindowReactions nextReactions(next, fake.platform, fake.about);
    nextReactions.load();
    EXPECT_EQ(next.placement().left, 1500);
    EXPECT_EQ(next.placement().top, 2500);
    EXPECT_EQ(next.value(Tickbox::AUTOSTART_TICKBOX), TickState::Ticked);
    EXPECT_EQ(next.value(Tickbox::AUTOCLOSE_TICKBOX), TickState::Ticked);
    EXPECT_EQ(next.value(Tickbox::AlwaysOnTop_TICKBOX), TickState::Clear);
    EXPECT_EQ(next.caption(Label::CURRENT_STATUS_LABEL), "!!! AUTOSTARTING !!!");
}

TEST_F(StartupTest, autoStartTickboxGatesAutoCloseAtAnyTime) {
    reactions.load();
    window.setValue(Tickbox::AUTOSTART_TICKBOX, TickState::Ticked);
    EXPECT_TRUE(window.isEnabled(Tickbox::AUTOCLOSE_TICKBOX));
    EXPECT_EQ(window.value(Tickbox::AUTOCLOSE_TICKBOX),
              TickState::Clear);  // ticking never ticks it
    window.setValue(Tickbox::AUTOCLOSE_TICKBOX, TickState::Ticked);
    window.setValue(Tickbox::AUTOSTART_TICKBOX, TickState::Clear);
    EXPECT_FALSE(window.isEnabled(Tickbox::AUTOCLOSE_TICKBOX));
    EXPECT_EQ(window.value(Tickbox::AUTOCLOSE_TICKBOX), TickState::Clear);
    // Auto Close never changes Auto Start.
    window.setValue(Tickbox::AUTOCLOSE_TICKBOX, TickState::Ticked);
    EXPECT_EQ(window.value(Tickbox::AUTOSTART_TICKBOX), TickState::Clear);
}

}  // namespace
}  // namespace rzv
