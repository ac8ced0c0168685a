#include "gui/qt/outer_placement.h"
#include "gui/qt/twips.h"
#include "os/qt/environment.h"
#include "os/qt/executable_name.h"
#include "os/qt/regional_formats.h"
#include "os/qt/waker.h"
#include "timing/timer_schedule.h"

#include "platform/os_parts.h"
#ifdef Q_OS_LINUX
#include "os/linux/boot_clock.h"
#endif

#include <gtest/gtest.h>

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace rzv {
namespace {

TEST(QtEnvironment, computerNameComesFromTheVariableOrTheHostName) {
    QtEnvironment environment;
    qputenv("COMPUTERNAME", "DESK-7");
    EXPECT_EQ(environment.computerName(), "DESK-7");
    qputenv("COMPUTERNAME", "");
    EXPECT_EQ(environment.computerName(), "");
    qunsetenv("COMPUTERNAME");
    EXPECT_EQ(environment.computerName(), QSysInfo::machineHostName().toStdString());
    EXPECT_FALSE(environment.computerName().empty());
}

TEST(QtExecutableName, isTheFileNameWithoutFolderOrExtension) {
    EXPECT_EQ(QtExecutableName().executableName(), "widget_tests");
}

// The program's timers woken from Qt's event loop. Without the system's alarm the waker waits
// with Qt's timers: both ways keep every rule.
class QtWakerTest : public ::testing::TestWithParam<bool> {
  protected:
    std::unique_ptr<TickSource> clock_ = os::makeTickSource();
    std::unique_ptr<WakeAlarm> alarm_ =
        GetParam() ? os::makeWakeAlarm() : std::make_unique<NoWakeAlarm>();
    QtWaker waker{*clock_, *alarm_};
    TimerSchedule timers{
        [this] { return static_cast<std::int64_t>(clock_->microsecondsSinceBoot()); }, waker};
};

INSTANTIATE_TEST_SUITE_P(AlarmOrQtTimers, QtWakerTest, ::testing::Bool());

TEST_P(QtWakerTest, firesStartedTimersUntilStopped) {
    int fast = 0, slow = 0;
    timers.setFireHandler([&](std::size_t id) { ++(id == 3 ? fast : slow); });
    timers.start(3, 1);
    timers.start(7, 100000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fast >= 20; }, 5000));
    timers.stop(3);
    const int stoppedAt = fast;
    QTest::qWait(20);
    EXPECT_EQ(fast, stoppedAt);
    EXPECT_EQ(slow, 0);
    timers.stopAll();
}

TEST_P(QtWakerTest, shortestPeriodTimersFireTogetherInTheirNumberedOrder) {
    std::vector<std::size_t> fired;
    timers.setFireHandler([&](std::size_t id) {
        fired.push_back(id);
        if (id == 4) timers.stop(5);  // a timer stopped earlier in a round does not fire in it
    });
    for (std::size_t id : {5, 2, 4, 0}) timers.start(id, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fired.size() >= 3; }, 2000));
    timers.stopAll();
    EXPECT_EQ(std::vector<std::size_t>(fired.begin(), fired.begin() + 3),
              (std::vector<std::size_t>{0, 2, 4}));
    EXPECT_EQ(std::count(fired.begin(), fired.end(), 5), 0);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), 0), std::count(fired.begin(), fired.end(), 2));
}

TEST_P(QtWakerTest, asksThePacerAfterEachRoundAndReplansWhenANewOneIsInstalled) {
    int rounds = 0, slowAsked = 0, fastAsked = 0;
    timers.setFireHandler([&](std::size_t id) { rounds += id == 0; });
    timers.setPacer([&] { return ++slowAsked, std::chrono::seconds(100); });  // clamped to 1 s
    timers.start(0, 1);
    timers.start(1, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rounds == 1; }, 2000));
    EXPECT_EQ(slowAsked, 1);
    // The round pending a second away comes at the new pace at once.
    timers.setPacer([&] { return ++fastAsked, std::chrono::microseconds(1000); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return rounds >= 4; }, 500));
    EXPECT_EQ(fastAsked, rounds);  // once when installed, then once after each round but the first
    timers.stop(0);
    timers.stop(1);
    const int askedWhenStopped = fastAsked;
    QTest::qWait(20);
    EXPECT_EQ(fastAsked, askedWhenStopped);
}

#ifdef Q_OS_LINUX
TEST(BootClock, agreesWithTheSystemsUptimeWithinASecond) {
    QFile uptime("/proc/uptime");
    ASSERT_TRUE(uptime.open(QIODevice::ReadOnly));
    const double systemSeconds =
        QString::fromLatin1(uptime.readAll()).split(' ').first().toDouble();
    const double ours = BootClock().millisecondsSinceBoot() / 1000.0;
    EXPECT_NEAR(ours, systemSeconds, 1.0);
}

TEST(BootClock, itsMicrosecondsAreItsMillisecondsFiner) {
    BootClock clock;
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t before = clock.millisecondsSinceBoot();
        const std::uint64_t fine = clock.microsecondsSinceBoot();
        const std::uint64_t after = clock.millisecondsSinceBoot();
        ASSERT_LE(before, fine / 1000);
        ASSERT_LE(fine / 1000, after);
    }
}
#endif

}  // namespace
}  // namespace rzv

namespace rzv {
namespace {

TEST(RegionalFormats, timeFormatsLoseTheirTimeZone) {
    const std::pair<const char*, const char*> cases[] = {
        {"HH:mm:ss t", "HH:mm:ss"},     {"h:mm:ss AP t", "h:mm:ss AP"},
        {"H:mm:ss (t)", "H:mm:ss"},     {"t HH:mm:ss", "HH:mm:ss"},
        {"HH:mm:ss, tttt", "HH:mm:ss"}, {"HH 'ut' mm t", "HH 'ut' mm"},
        {"HH:mm:ss [tt]", "HH:mm:ss"},  {"HH:mm:ss", "HH:mm:ss"},
    };
    for (const auto& [format, expected] : cases) EXPECT_EQ(withoutTimeZone(format), expected);
}

TEST(RegionalFormats, dateAndTimeFollowTheLocale) {
    const QDate date(2026, 12, 6);
    const QTime time(14, 5, 9);
    EXPECT_EQ(dateText(QLocale("en_GB"), date), "06/12/2026");
    EXPECT_EQ(timeText(QLocale("en_GB"), time), "14:05:09");
    EXPECT_EQ(dateText(QLocale("en_US"), date), "12/6/26");
    EXPECT_EQ(timeText(QLocale("en_US"), time), "2:05:09 PM");
    EXPECT_EQ(timeText(QLocale("de_DE"), time), "14:05:09");
    for (const char* name : {"fr_FR", "ja_JP", "ar_EG", "hu_HU", "C"}) {
        const QString text = timeText(QLocale(name), time);
        EXPECT_FALSE(text.isEmpty()) << name;
        EXPECT_FALSE(text.contains("UTC") || text.contains("GMT") || text.contains("CET")) << name;
    }
}

}  // namespace
}  // namespace rzv

namespace rzv {
namespace {

// Any single-precision placement lands within what the window system can address, without
// overflow (the sanitizer build checks the float-to-int casts).
TEST(Twips, extremePlacementsStayWithinTheAddressablePixels) {
    QWidget window;
    const Twips twips(&window);
    const double values[] = {3.4e38,
                             -3.4e38,
                             1e30,
                             -1e30,
                             1e9,
                             -491520,
                             0,
                             std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    for (double value : values) {
        EXPECT_LE(std::abs(twips.x(value)), 32767) << value;
        EXPECT_LE(std::abs(twips.y(value)), 32767) << value;
    }
    EXPECT_EQ(twips.x(1500), 100);  // 96 DPI offscreen: 15 twips a pixel
    OuterPlacement placement(&window, 60, 300);
    placement.apply({3.4e38f, -3.4e38f, 1e30f, -1e30f});
    EXPECT_LE(window.width(), 32767);
    EXPECT_GE(window.height(), 1);
}

}  // namespace
}  // namespace rzv
