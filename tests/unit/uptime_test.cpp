#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include "core/numeric_fault.h"
#include "fakes/fake_platform.h"
#include "uptime/breakdown.h"
#include "uptime/display.h"
#include "uptime/get_ticks.h"
#include "uptime/refinement.h"
#include "wiring/reactions.h"

namespace rzv {
namespace {

using test::FakePlatform;

constexpr std::uint64_t kDay = 86400000, kHour = 3600000, kMinute = 60000, kSecond = 1000;

std::string exactDisplay(std::uint64_t count) {
    char text[64];
    std::snprintf(text, sizeof text, "%llud, %lluh, %llum, %llus",
                  static_cast<unsigned long long>(count / kDay),
                  static_cast<unsigned long long>(count % kDay / kHour),
                  static_cast<unsigned long long>(count % kHour / kMinute),
                  static_cast<unsigned long long>(count % kMinute / kSecond));
    return text;
}

// The six handlers called directly, once each in chain order, on one count.
class UptimePipelineTest : public ::testing::Test {
  protected:
    void runChainOnce(std::uint64_t count) {
        fake.ticks.bootOffset = count - static_cast<std::uint64_t>(fake.timers.now());
        const std::string separator = fake.regional.separator;
        onUptimeTimer(window, fake.ticks, separator);
        onDayUptimeTimer(window);
        onHourUptimeTimer(window, separator);
        onMinuteUptimeTimer(window, separator);
        onSecondUptimeTimer(window, separator);
        onDisplayUpdateTimer(window);
    }
    const std::string& text(Field f) const { return window.text(f); }
    const std::string& display() const { return text(Field::QV_UPTIME_DISPLAY_TEXTBOX); }

    FakePlatform fake;
    MainWindow window{fake.timers};
};

std::string withComma(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

TEST_F(UptimePipelineTest, breakdownOf45Days6Hours7Minutes8Seconds) {
    for (const char* separator : {".", ","}) {
        fake.regional.separator = separator;
        runChainOnce(3910028000);
        const auto expect = [&](Field f, const std::string& dotText) {
            EXPECT_EQ(text(f), *separator == '.' ? dotText : withComma(dotText)) << separator;
        };
        expect(Field::START_TB, "3910028000");
        expect(Field::YEARS_TB, "0.123986174530695");
        expect(Field::MONTHS_TB, "1.61624834656085");
        expect(Field::WEEKS_TB, "6.46499338624339");
        expect(Field::DAYS_TB, "45.2549537037037");
        expect(Field::HOURS_TB, "1086.11888888889");
        expect(Field::MINS_TB, "65167.1333333333");
        expect(Field::SECS_TB, "3910028");
        expect(Field::DAYS_MIRROR_TB, "45.2549537037037");
        EXPECT_EQ(window.number(WholeNumber::DAYS_ROUNDED), 45);
    }
}

TEST_F(UptimePipelineTest, refinementOf3Days4Hours5Minutes6Seconds) {
    for (const char* separator : {".", ","}) {
        fake.regional.separator = separator;
        runChainOnce(273906000);
        const std::pair<Field, std::string> rows[] = {
            {Field::DAYS_TB, "3.17020833333333"},
            {Field::HOURS_TB, "76.085"},
            {Field::MINS_TB, "4565.1"},
            {Field::SECS_TB, "273906"},
            {Field::DAYS_ROUNDED_TB, "3"},
            {Field::HOURS_FULL, "72"},
            {Field::HOURS_LEFT_TB, "4.08499999999999"},
            {Field::HOURS_ROUNDED_TB, "4"},
            {Field::MINUTES_LEFT_X_60_TB, "245.099999999999"},
            {Field::MINUTES_ROUNDED_X_60_TB, "240"},
            {Field::MINUTES_DIFFERENCE_LEFT_TB, "5.099999999999"},
            {Field::MINUTES_DIFFERENCE_ROUNDED_TB, "5"},
            {Field::SECONDS_LEFT_TB, "305.99999999994"},
            {Field::SECONDS_ROUNDED_TB, "300"},
            {Field::SECONDS_DIFFERENCE_TB, "5.99999999993997"},
            {Field::SECONDS_DIFFERENCE_ROUNDED_TB, "6"},
        };
        for (const auto& [field, dotText] : rows)
            EXPECT_EQ(text(field), *separator == '.' ? dotText : withComma(dotText))
                << separator << " field " << indexOf(field);
        EXPECT_EQ(window.number(WholeNumber::HOURS_ROUNDED), 4);
        EXPECT_EQ(window.number(WholeNumber::MINUTES_DIFFERENCE_ROUNDED), 5);
        EXPECT_EQ(window.number(WholeNumber::SECONDS_DIFFERENCE_ROUNDED), 6);
        EXPECT_EQ(display(), "3d, 4h, 5m, 6s");
    }
}

struct DisplayCase {
    std::uint64_t count;
    const char* display;
};

class UptimeDisplayTest : public UptimePipelineTest,
                          public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(UptimeDisplayTest, showsTheExactWholeFiguresWithEitherSeparator) {
    for (const char* separator : {".", ","}) {
        fake.regional.separator = separator;
        runChainOnce(GetParam().count);
        EXPECT_EQ(display(), GetParam().display) << separator;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Counts, UptimeDisplayTest,
    ::testing::Values(
        DisplayCase{0, "0d, 0h, 0m, 0s"}, DisplayCase{45000, "0d, 0h, 0m, 45s"},
        DisplayCase{46000, "0d, 0h, 0m, 46s"}, DisplayCase{59999, "0d, 0h, 0m, 59s"},
        DisplayCase{3600000, "0d, 1h, 0m, 0s"}, DisplayCase{7200000, "0d, 2h, 0m, 0s"},
        DisplayCase{7260000, "0d, 2h, 1m, 0s"}, DisplayCase{86400000, "1d, 0h, 0m, 0s"},
        DisplayCase{90061000, "1d, 1h, 1m, 1s"}, DisplayCase{172799996, "1d, 23h, 59m, 59s"},
        DisplayCase{259200000, "3d, 0h, 0m, 0s"}, DisplayCase{273900000, "3d, 4h, 5m, 0s"},
        DisplayCase{273906789, "3d, 4h, 5m, 6s"}, DisplayCase{273907000, "3d, 4h, 5m, 7s"},
        DisplayCase{345599995, "3d, 23h, 59m, 59s"}, DisplayCase{345599999, "3d, 23h, 59m, 59s"},
        DisplayCase{345600000, "4d, 0h, 0m, 0s"}, DisplayCase{3910028000, "45d, 6h, 7m, 8s"},
        DisplayCase{5000000000, "57d, 20h, 53m, 20s"},
        DisplayCase{10000000000, "115d, 17h, 46m, 40s"},
        DisplayCase{31536000000, "365d, 0h, 0m, 0s"},
        DisplayCase{86400005000, "1000d, 0h, 0m, 5s"}));

TEST_F(UptimePipelineTest, unitFieldsOfTheBreakdown) {
    runChainOnce(0);
    for (Field f :
         {Field::START_TB, Field::YEARS_TB, Field::DAYS_TB, Field::SECS_TB, Field::DAYS_MIRROR_TB})
        EXPECT_EQ(text(f), "0");
    runChainOnce(31536000000);
    EXPECT_EQ(text(Field::YEARS_TB), "1");
    EXPECT_EQ(text(Field::DAYS_TB), "365");
    EXPECT_EQ(window.number(WholeNumber::DAYS_ROUNDED), 365);
    runChainOnce(2419200000);
    EXPECT_EQ(text(Field::MONTHS_TB), "1");
    runChainOnce(2592000000);
    EXPECT_EQ(text(Field::MONTHS_TB), "1.07142857142857");
    runChainOnce(5000000000);
    EXPECT_EQ(text(Field::START_TB), "5000000000");
    EXPECT_EQ(text(Field::DAYS_TB), "57.8703703703704");
    runChainOnce(1000);
    EXPECT_EQ(text(Field::YEARS_TB), "3.17097919837646E-08");
    // The unit table is never written.
    EXPECT_EQ(text(Field::TOTAL_MIL_YEAR), "31536000000");
}

// Every count within 6 ms of a whole second, minute, hour and day at several magnitudes, and
// random counts up to 30 years, give the exact integer breakdown.
TEST_F(UptimePipelineTest, displayEqualsTheExactBreakdownForManyCounts) {
    std::vector<std::uint64_t> counts;
    for (std::uint64_t unit : {kSecond, kMinute, kHour, kDay})
        for (std::uint64_t days :
             {0ull, 1ull, 3ull, 49ull, 50ull, 365ull, 1000ull, 3652ull, 9999ull, 10000ull})
            for (std::uint64_t k : {1ull, 2ull, 7ull, 23ull, 59ull, 60ull, 61ull})
                for (std::int64_t offset = -6; offset <= 6; ++offset) {
                    const auto count = days * kDay + k * unit + static_cast<std::uint64_t>(offset);
                    counts.push_back(count);
                }
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<std::uint64_t> anyCount(0, 30ull * 365 * kDay);
    while (counts.size() < 200000) counts.push_back(anyCount(random));

    int mismatches = 0;
    for (std::uint64_t count : counts) {
        fake.regional.separator = (count & 1) ? "," : ".";
        runChainOnce(count);
        if (display() != exactDisplay(count) && ++mismatches <= 5)
            ADD_FAILURE() << count << ": " << display() << " instead of " << exactDisplay(count);
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(UptimePipelineTest, stagesBeforeTheFirstBreakdownReadInitialTextsAsZero) {
    onDayUptimeTimer(window);
    EXPECT_EQ(text(Field::DAYS_ROUNDED_TB), "0");
    onDisplayUpdateTimer(window);
    EXPECT_EQ(
        display(),
        "0d, HOURS_ROUNDED_TBh, MINUTES_DIFFERENCE_ROUNDED_TBm, SECONDS_DIFFERENCE_ROUNDED_TBs");
}

TEST(TickSource, carriesTheCountWholeAndInSeconds) {
    test::VirtualTimerService clock;
    test::FakeTickSource ticks(clock);
    const std::pair<std::uint64_t, double> cases[] = {
        {0, 0}, {1, 0.001}, {86400000, 86400}, {273906000, 273906}, {5000000000, 5000000}};
    for (const auto& [count, seconds] : cases) {
        ticks.bootOffset = count;
        EXPECT_EQ(GetTicks64(ticks).stored(), static_cast<std::int64_t>(count) * 10000);
        EXPECT_EQ(GetTicks64Seconds(ticks), seconds);
    }
    ticks.bootOffset = 922337203685478;
    EXPECT_THROW(GetTicks64(ticks), NumericFault);
}

// The six timers as the program runs them: enabled together at an automatic start, fired by a
// timer service that chooses its own order among timers due at the same instant.
class UptimeTimelineTest : public ::testing::Test {
  protected:
    void startArmed(std::uint64_t count) {
        fake.ticks.bootOffset = count;
        fake.settings.put("RI-ZUZERU-VAVUZA", "AUTOSTART_TICKBOX", "1");
        reactions.load();
    }
    std::uint64_t count() const { return fake.ticks.bootOffset + fake.timers.now(); }
    const std::string& display() const { return window.text(Field::QV_UPTIME_DISPLAY_TEXTBOX); }

    FakePlatform fake;
    MainWindow window{fake.timers};
    MainWindowReactions reactions{window, fake.platform, fake.about};
};

bool figuresInRange(const std::string& display) {
    long d, h, m, s;
    if (std::sscanf(display.c_str(), "%ldd, %ldh, %ldm, %lds", &d, &h, &m, &s) != 4) return false;
    return d >= 0 && h >= 0 && h < 24 && m >= 0 && m < 60 && s >= 0 && s < 60;
}

TEST_F(UptimeTimelineTest, shuffledFiringOrdersSettleOnTheExactFigures) {
    std::mt19937 random(7);
    fake.timers.tieOrder = [&](std::vector<std::size_t>& batch) {
        std::shuffle(batch.begin(), batch.end(), random);
    };
    // Across second, minute and hour boundaries (a day boundary is looked at below).
    startArmed(3 * kDay + 59 * kMinute + 58 * kSecond);
    for (int tick = 1; tick <= 4000; ++tick) {
        fake.timers.advance(1);
        if (tick < 5) continue;
        ASSERT_TRUE(figuresInRange(display())) << tick << ": " << display();
        // When the last five ticks read counts of one display, the display is exact.
        if (exactDisplay(count()) == exactDisplay(count() - 4)) {
            ASSERT_EQ(display(), exactDisplay(count())) << tick;
        }
    }
}

TEST_F(UptimeTimelineTest, aFrozenCountIsShownExactlyWithinFiveTicksInAnyOrder) {
    for (unsigned seed = 0; seed < 50; ++seed) {
        FakePlatform run;
        MainWindow w(run.timers);
        MainWindowReactions r(w, run.platform, run.about);
        std::mt19937 random(seed);
        run.timers.tieOrder = [&](std::vector<std::size_t>& batch) {
            std::shuffle(batch.begin(), batch.end(), random);
        };
        run.settings.put("RI-ZUZERU-VAVUZA", "AUTOSTART_TICKBOX", "1");
        r.load();
        // The clock moves on but the count holds still: what five ticks make of one count.
        const std::uint64_t held = 345599999;
        for (int tick = 1; tick <= 5; ++tick) {
            run.ticks.bootOffset = held - static_cast<std::uint64_t>(run.timers.now() + 1);
            run.timers.advance(1);
        }
        EXPECT_EQ(w.text(Field::QV_UPTIME_DISPLAY_TEXTBOX), "3d, 23h, 59m, 59s") << seed;
    }
}

TEST_F(UptimeTimelineTest, disablingTheGroupFreezesEveryFieldAndEnablingResumes) {
    startArmed(90061000);
    fake.timers.advance(10);
    EXPECT_EQ(display(), "1d, 1h, 1m, 1s");
    for (Timer t : kUptimeTimers) window.disable(t);
    const std::string frozenStart = window.text(Field::START_TB);
    const std::string frozenSeconds = window.text(Field::SECONDS_DIFFERENCE_TB);
    fake.timers.advance(5000);
    EXPECT_EQ(window.text(Field::START_TB), frozenStart);
    EXPECT_EQ(window.text(Field::SECONDS_DIFFERENCE_TB), frozenSeconds);
    EXPECT_EQ(display(), "1d, 1h, 1m, 1s");
    for (Timer t : kUptimeTimers) window.enable(t);
    fake.timers.advance(5);
    EXPECT_EQ(display(), "1d, 1h, 1m, 6s");
}

TEST_F(UptimeTimelineTest, aNumericFaultEndsTheProgramOnceAndSilencesTheTimers) {
    startArmed(1000);
    fake.timers.advance(3);
    window.setText(Field::TOTAL_MIL_WEEK, "0");  // as if the unit table were broken
    fake.timers.advance(3);
    ASSERT_EQ(fake.diagnostics.fatals.size(), 1u);
    EXPECT_NE(fake.diagnostics.fatals[0].find("division by zero"), std::string::npos);
    for (Timer t : kUptimeTimers) EXPECT_FALSE(fake.timers.isRunning(indexOf(t)));
    // The fields before the fault took the new count, those after kept theirs.
    EXPECT_EQ(window.text(Field::START_TB), "1004");
    EXPECT_EQ(window.text(Field::SECS_TB), "1.003");
    EXPECT_TRUE(reactions.faulted());
}

}  // namespace
}  // namespace rzv
