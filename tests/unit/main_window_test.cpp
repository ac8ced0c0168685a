#include "core/main_window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/caption_links.h"
#include "core/layout.h"
#include "fakes/fake_platform.h"

namespace rzv {
namespace {

struct RecordingObserver : MainWindowObserver {
    void fieldChanged(Field f) override { fields.push_back(f); }
    void tickboxChanged(Tickbox t) override { tickboxes.push_back(t); }
    void displayColourChanged() override { ++colours; }
    std::vector<Field> fields;
    std::vector<Tickbox> tickboxes;
    int colours = 0;
};

struct RecordingEvents : MainWindowEvents {
    void tickboxValueChanged(Tickbox t) override { raised.push_back(t); }
    std::vector<Tickbox> raised;
};

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        window.setObserver(&observer);
        window.setEvents(&events);
    }
    bool running(Timer t) const { return timers.isRunning(indexOf(t)); }

    test::VirtualTimerService timers;
    MainWindow window{timers};
    RecordingObserver observer;
    RecordingEvents events;
};

TEST_F(MainWindowTest, startsInTheDesignState) {
    EXPECT_EQ(window.text(Field::DAYS_ROUNDED_TB), "DAYS_ROUNDED_TB");
    EXPECT_EQ(window.text(Field::TOTAL_MIL_YEAR), "31536000000");
    EXPECT_EQ(window.text(Field::HOURS_24_TB), "24");
    EXPECT_EQ(window.text(Field::OUTPUT_REPORT_TEXTBOX), "!!! TIMERS DISABLED !!!\r\n");
    EXPECT_EQ(window.text(Field::TOP_BOTTOM_LOG_LINE), std::string(56, '='));
    EXPECT_EQ(window.text(Field::QV_UPTIME_DISPLAY_TEXTBOX), "00000X, 00X, 00X, 000X,");
    EXPECT_EQ(window.caption(Label::QV_TITLE_1), "QUORVANE");
    EXPECT_EQ(window.caption(Label::Label13), "RESULT");
    EXPECT_EQ(window.caption(Button::START_STOP_BUTTON), "START");
    EXPECT_EQ(window.value(Tickbox::AlwaysOnTop_TICKBOX), TickState::Ticked);
    EXPECT_FALSE(window.isEnabled(Tickbox::AUTOCLOSE_TICKBOX));
    for (std::size_t n = 0; n < kWholeNumberCount; ++n)
        EXPECT_EQ(window.number(static_cast<WholeNumber>(n)), 0);
    EXPECT_TRUE(window.isEnabled(Timer::UPTIME_TIMER));
    EXPECT_FALSE(window.isEnabled(Timer::LOG_TIMER));
    // Enabled by design but without an interval, nothing ticks.
    timers.advance(1000);
    EXPECT_EQ(timers.firesOf(indexOf(Timer::UPTIME_TIMER)), 0u);
}

TEST(Layout, describesEveryControlOnceWithElevenInsideTheDefaultClientArea) {
    for (std::size_t i = 0; i < kFieldCount; ++i) EXPECT_EQ(layoutOf(static_cast<Field>(i)).id, i);
    for (std::size_t i = 0; i < kLabelCount; ++i) EXPECT_EQ(layoutOf(static_cast<Label>(i)).id, i);
    EXPECT_STREQ(layoutOf(Field::PC_NAME_TEXTBOX).name, "PC_NAME_TEXTBOX");
    EXPECT_STREQ(layoutOf(Tickbox::AlwaysOnTop_TICKBOX).name, "AlwaysOnTop_TICKBOX");
    int visible = 0;
    for (const auto& control : kMainWindowControls) {
        const bool inDefaultClient = control.rect.left + control.rect.width <= 4215 &&
                                     control.rect.top + control.rect.height <= 1815;
        const bool offScreen = control.rect.left >= 4320 || control.rect.top >= 3600;
        EXPECT_NE(inDefaultClient, offScreen) << control.name;
        visible += inDefaultClient;
    }
    EXPECT_EQ(visible, 11);
}

TEST_F(MainWindowTest, observerHearsOnlyRealChanges) {
    window.setText(Field::START_TB, "1");
    window.setText(Field::START_TB, "1");
    window.setText(Field::START_TB, "2");
    window.setDisplayBackColour(kBlack);  // already black
    window.setDisplayBackColour(kRed);
    EXPECT_EQ(observer.fields, (std::vector<Field>{Field::START_TB, Field::START_TB}));
    EXPECT_EQ(observer.colours, 1);
}

TEST_F(MainWindowTest, tickboxChangeRaisesItsEventOnlyWhenTheValueChanges) {
    window.setValue(Tickbox::AUTOSTART_TICKBOX, TickState::Clear);
    window.setValue(Tickbox::AUTOSTART_TICKBOX, TickState::Ticked);
    window.setValue(Tickbox::AUTOSTART_TICKBOX, TickState::Greyed);
    window.setEnabled(Tickbox::AUTOCLOSE_TICKBOX, true);
    EXPECT_EQ(events.raised,
              (std::vector<Tickbox>{Tickbox::AUTOSTART_TICKBOX, Tickbox::AUTOSTART_TICKBOX}));
    EXPECT_EQ(window.value(Tickbox::AUTOSTART_TICKBOX), TickState::Greyed);
}

// Both front ends leave a click to the model: a greyed box (a stored 2) is ticked, not cleared.
TEST_F(MainWindowTest, aClickClearsATickedBoxAndTicksAClearOrGreyedOne) {
    const Tickbox t = Tickbox::AlwaysOnTop_TICKBOX;
    for (const auto& [before, after] : {std::pair{TickState::Ticked, TickState::Clear},
                                        std::pair{TickState::Clear, TickState::Ticked},
                                        std::pair{TickState::Greyed, TickState::Ticked}}) {
        window.setValue(t, before);
        events.raised.clear();
        window.click(t);
        EXPECT_EQ(window.value(t), after) << static_cast<int>(before);
        EXPECT_EQ(events.raised, std::vector<Tickbox>{t});
    }
}

TEST_F(MainWindowTest, intervalDoesNotEnableAndDisabledTimersNeverTick) {
    window.setInterval(Timer::LOG_TIMER, 1000);
    timers.advance(5000);
    EXPECT_EQ(timers.firesOf(indexOf(Timer::LOG_TIMER)), 0u);
    window.enable(Timer::LOG_TIMER);
    timers.advance(2500);
    EXPECT_EQ(timers.firesOf(indexOf(Timer::LOG_TIMER)), 2u);
    window.disable(Timer::LOG_TIMER);
    timers.advance(5000);
    EXPECT_EQ(timers.firesOf(indexOf(Timer::LOG_TIMER)), 2u);
    EXPECT_EQ(window.interval(Timer::LOG_TIMER), 1000);
}

TEST_F(MainWindowTest, retimingAnEnabledTimerStartsItsIntervalAfresh) {
    window.setInterval(Timer::AUTOSTART_TIMER, 10000);
    window.enable(Timer::AUTOSTART_TIMER);
    timers.advance(9000);
    window.setInterval(Timer::AUTOSTART_TIMER, 10000);
    timers.advance(9000);
    EXPECT_EQ(timers.firesOf(indexOf(Timer::AUTOSTART_TIMER)), 0u);
    // Enabling an enabled timer does not restart it.
    window.enable(Timer::AUTOSTART_TIMER);
    timers.advance(1000);
    EXPECT_EQ(timers.firesOf(indexOf(Timer::AUTOSTART_TIMER)), 1u);
}

TEST(VirtualTimerService, firesDueTimersInTimeOrderAndTiesInTheChosenOrder) {
    test::VirtualTimerService timers;
    std::vector<std::pair<std::int64_t, std::size_t>> fired;
    timers.setFireHandler([&](std::size_t id) { fired.emplace_back(timers.now(), id); });
    timers.tieOrder = [](std::vector<std::size_t>& batch) {
        std::reverse(batch.begin(), batch.end());
    };
    timers.start(0, 2);
    timers.start(1, 3);
    timers.start(2, 2);
    timers.advance(6);
    EXPECT_EQ(fired, (std::vector<std::pair<std::int64_t, std::size_t>>{
                         {2, 2}, {2, 0}, {3, 1}, {4, 2}, {4, 0}, {6, 2}, {6, 1}, {6, 0}}));
    EXPECT_EQ(timers.now(), 6);
}

TEST(VirtualTimerService, aTimerStoppedByAnEarlierOneOfTheSameInstantDoesNotFire) {
    test::VirtualTimerService timers;
    int secondFires = 0;
    timers.setFireHandler([&](std::size_t id) {
        if (id == 0) timers.stop(1);
        if (id == 1) ++secondFires;
    });
    timers.start(0, 5);
    timers.start(1, 5);
    timers.advance(20);
    EXPECT_EQ(secondFires, 0);
}

}  // namespace
}  // namespace rzv

namespace rzv {
namespace {

// A reader names a field by its caption: each linked caption must sit just left of the control
// it names, on the same row, or the reader would call a field by another row's name.
TEST(CaptionLinksTest, eachCaptionNamesTheControlBesideIt) {
    for (const auto& link : kCaptionLinks) {
        const TwipsRect caption = layoutOf(link.caption).rect;
        const TwipsRect named =
            (link.kind == ControlKind::Field ? layoutOf(static_cast<Field>(link.id))
                                             : layoutOf(static_cast<Label>(link.id)))
                .rect;
        const char* name = layoutOf(link.caption).name;
        const int gap = named.left - (caption.left + caption.width);
        EXPECT_TRUE(gap > -150 && gap < 200) << name << " is " << gap << " twips from its field";
        EXPECT_LT(named.top, caption.top + caption.height) << name;
        EXPECT_GT(named.top + named.height, caption.top) << name;
    }
}

}  // namespace
}  // namespace rzv
