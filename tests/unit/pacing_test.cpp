// The paced uptime engine against one that ticks every millisecond, on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

#include "fakes/fake_platform.h"
#include "fakes/fake_window_system.h"
#include "uptime/pacing.h"
#include "wiring/reactions.h"

namespace rzv {
namespace {

constexpr std::uint64_t kSecond = 1000, kMinute = 60000, kHour = 3600000, kDay = 86400000;

// The whole program on fakes, started with Auto Start at a chosen count since boot.
struct Program {
    Program(bool paced, std::uint64_t startCount, const char* separator, bool autoClose) {
        fake.timers.pacing = paced;
        // Apart from their round, the timers of a real service fall due in any order: here the
        // others go first, so whatever reads the fields must bring the round up to date itself.
        if (paced)
            fake.timers.tieOrder = [](std::vector<std::size_t>& due) {
                std::stable_partition(due.begin(), due.end(), [](std::size_t timer) {
                    return timer > indexOf(Timer::QV_DISPLAY_UPDATE_TIMER);
                });
            };
        fake.ticks.bootOffset = startCount;
        fake.regional.separator = separator;
        fake.settings.put(fake.executable.name, "AUTOSTART_TICKBOX", "1");
        fake.settings.put(fake.executable.name, "AUTOCLOSE_TICKBOX", autoClose ? "1" : "0");
        window.setObserver(&windowSystem);
        reactions.load();
    }
    std::uint64_t count() const {
        return fake.ticks.bootOffset + static_cast<std::uint64_t>(fake.timers.now());
    }
    const std::string& display() const { return window.text(Field::QV_UPTIME_DISPLAY_TEXTBOX); }
    std::uint64_t rounds() const { return fake.timers.firesOf(indexOf(Timer::UPTIME_TIMER)); }

    test::FakePlatform fake;
    MainWindow window{fake.timers};
    MainWindowReactions reactions{window, fake.platform, fake.about};
    test::FakeWindowSystem windowSystem{reactions, fake};
};

// One random timeline: a start shortly before a second, minute, hour or day boundary (odd and
// even days, and days in the thousands), either separator, and at random instants the value
// fields coming into view or leaving it, About clicks, and perhaps a STOP and a new START.
struct Timeline {
    explicit Timeline(std::uint32_t seed) : random(seed) {
        const std::uint64_t units[] = {kSecond, kMinute, kHour, kDay, 2 * kDay, 1000 * kDay};
        const std::uint64_t unit = units[pick(0, 5)];
        const std::uint64_t boundary =
            unit * pick(1, 3000) + (unit < kDay ? pick(0, 999) * kDay : 0);
        // Half of the runs start on a whole second, so their log timer falls due with a round.
        start = boundary - (pick(0, 1) ? pick(0, 12) * kSecond : pick(0, 12000));
        separator = pick(0, 1) ? "." : ",";
        autoClose = pick(0, 1);
        for (int i = pick(0, 3); i > 0; --i) viewChanges.push_back(pick(0, kLength));
        for (int i = pick(0, 2); i > 0; --i) aboutClicks.push_back(pick(0, kLength));
        if (pick(0, 2) == 0) {
            stopAt = pick(500, 1500);
            restartAt = stopAt + pick(1, 600);
        }
    }
    std::uint64_t pick(std::uint64_t low, std::uint64_t high) {
        return std::uniform_int_distribution<std::uint64_t>(low, high)(random);
    }
    bool has(const std::vector<std::uint64_t>& instants, std::uint64_t ms) const {
        return std::find(instants.begin(), instants.end(), ms) != instants.end();
    }
    // What the user does at this instant of the timeline, to either program alike.
    void act(Program& p, std::uint64_t ms) const {
        if (has(viewChanges, ms)) p.window.setValueFieldsInView(!p.window.valueFieldsInView());
        if (has(aboutClicks, ms)) p.reactions.click(Button::ABOUT_BUTTON);
        if (ms == stopAt || ms == restartAt) p.reactions.click(Button::START_STOP_BUTTON);
    }

    static constexpr std::uint64_t kLength = 14500;  // past the log record of a restarted run
    std::mt19937 random;
    std::uint64_t start = 0;
    const char* separator = ".";
    bool autoClose = false;
    std::vector<std::uint64_t> viewChanges, aboutClicks;
    std::uint64_t stopAt = 0, restartAt = 0;  // 0: no STOP
};

TEST(PacedUptime, showsWhatTickingEveryMillisecondShowsAtEveryWholeSecondAndLogsTheSame) {
    constexpr std::uint32_t kCases = 40;
    int comparedSeconds = 0;
    for (std::uint32_t seed = 1; seed <= kCases; ++seed) {
        const Timeline timeline(seed);
        auto everyMs = std::make_unique<Program>(false, timeline.start, timeline.separator,
                                                 timeline.autoClose);
        auto paced =
            std::make_unique<Program>(true, timeline.start, timeline.separator, timeline.autoClose);
        for (std::uint64_t ms = 1; ms <= Timeline::kLength; ++ms) {
            everyMs->fake.timers.advance(1);
            paced->fake.timers.advance(1);
            timeline.act(*everyMs, ms);
            timeline.act(*paced, ms);
            if (paced->count() % kSecond != 0) continue;
            ++comparedSeconds;
            ASSERT_EQ(paced->display(), everyMs->display())
                << "seed " << seed << " at count " << paced->count();
        }
        SCOPED_TRACE("seed " + std::to_string(seed));
        EXPECT_EQ(paced->fake.files.files, everyMs->fake.files.files);
        EXPECT_EQ(paced->window.text(Field::OUTPUT_REPORT_TEXTBOX),
                  everyMs->window.text(Field::OUTPUT_REPORT_TEXTBOX));
        EXPECT_EQ(paced->fake.files.writes, 1);
        EXPECT_LT(paced->rounds() * 10, everyMs->rounds());
    }
    std::printf("paced uptime: %u timelines, %d whole seconds compared\n", kCases, comparedSeconds);
}

struct PaceCase {
    const char* what;
    bool running, fieldsInView;
    int framePeriodMs;
    std::uint64_t lowestRounds, highestRounds;  // over ten seconds
};

TEST(PacedUptime, wakesOnceASecondOnceAFrameWithFieldsInViewAndNeverWhenStopped) {
    const PaceCase cases[] = {
        {"default size", true, false, 16, 10, 11},
        {"value fields in view", true, true, 16, 625, 636},
        {"a 144 Hz screen", true, true, 7, 1428, 1440},
        {"stopped", false, true, 16, 0, 0},
    };
    for (const auto& c : cases) {
        Program p(true, 123456789, ".", false);
        if (!c.running) p.reactions.click(Button::START_STOP_BUTTON);
        p.window.setFramePeriodMs(c.framePeriodMs);
        p.window.setValueFieldsInView(c.fieldsInView);
        const auto before = p.rounds();
        p.fake.timers.advance(10000);
        EXPECT_GE(p.rounds() - before, c.lowestRounds) << c.what;
        EXPECT_LE(p.rounds() - before, c.highestRounds) << c.what;
    }
}

// Windows' tick count moves in steps of 15.625 ms on a clock of its own: a round due at a whole
// second may find it a step behind. It then waits one step, not the few microseconds the stale
// count says are left: at most two wake-ups for each second shown, and the second on screen
// never more than one step after the count showed it.
TEST(PacedUptime, aCountThatMovesInStepsCostsAtMostOneMoreWakeASecond) {
    constexpr std::int64_t kStepUs = 15625;
    const struct {
        std::uint64_t start;
        std::int64_t phaseUs;  // 15225: a step falls 400 us before every whole second
    } cases[] = {{5 * kDay + 999, 0}, {2 * kDay + 984, 15225}, {7 * kDay + 3, 7000}};
    for (const auto& [start, phaseUs] : cases) {
        Program p(true, start, ".", false);
        p.fake.ticks.stepUs = kStepUs;
        p.fake.ticks.stepPhaseUs = phaseUs;
        p.fake.timers.advance(25000);  // past the logging run, to Idle
        const auto wakesBefore = p.fake.timers.wakes();
        std::string shown = p.display();
        int seconds = 0;
        for (int ms = 0; ms < 30000; ++ms) {
            p.fake.timers.advance(1);
            if (p.display() == shown) continue;
            shown = p.display();
            ++seconds;
            // Late after the step that brought the count to this second: at most one more step,
            // and a ms for the test's own steps.
            const std::int64_t nowUs =
                static_cast<std::int64_t>(start) * 1000 + p.fake.timers.nowUs();
            const std::int64_t secondUs = nowUs / 1000000 * 1000000;
            const std::int64_t countShowedItUs =
                phaseUs + (secondUs - phaseUs + kStepUs - 1) / kStepUs * kStepUs;
            EXPECT_LE(nowUs - countShowedItUs, kStepUs + 1000) << shown;
        }
        EXPECT_EQ(seconds, 30);
        EXPECT_LE(p.fake.timers.wakes() - wakesBefore, 2u * 30) << start;
    }
}

TEST(PacedUptime, nextRoundComesAtTheNextWholeSecondOrFrameNeverLaterThanASecond) {
    struct Case {
        std::uint64_t countUs;
        bool inView;
        int frame;
        std::int64_t expectedUs;
    } const cases[] = {
        {0, false, 16, 1000000},          {999000, false, 16, 1000},
        {999999, false, 16, 1},  // the instant the count reaches the second, not a ms later
        {86399999000, false, 16, 1000},   {86400000000, false, 16, 1000000},
        {86400000300, false, 16, 999700}, {1001000, true, 16, 16000},
        {1990000, true, 16, 10000},       {1999600, true, 16, 400},
        {1500000, true, 5000, 500000},    {1500000, true, 0, 1000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timeToNextVisibleChange(c.countUs, c.inView, c.frame).count(), c.expectedUs)
            << c.countUs;
    // A count in steps that still shows the second before: one step, not the microseconds left.
    EXPECT_EQ(timeToNextVisibleChange(999000, false, 16, std::chrono::microseconds(15625)).count(),
              15625);
}

}  // namespace
}  // namespace rzv
