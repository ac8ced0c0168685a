#include "core/since_boot.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace rzv {
namespace {

TEST(SinceBoot, spansReadAsTheDisplayReads) {
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "0d, 0h, 0m, 0s"},
        {59999, "0d, 0h, 0m, 59s"},
        {3600000, "0d, 1h, 0m, 0s"},
        {86399999, "0d, 23h, 59m, 59s"},
        {86400000ULL * 1000 + 61000, "1000d, 0h, 1m, 1s"},
    };
    for (const auto& [ms, text] : cases) EXPECT_EQ(spanText(ms), text) << ms;
}

TEST(SinceBoot, momentsInUtcToTheSecond) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "1970-01-01T00:00:00Z"},
        {1796601600000, "2026-12-07T00:00:00Z"},
        {1709251199999, "2024-02-29T23:59:59Z"},  // a leap day's last millisecond
        {-1, "1969-12-31T23:59:59Z"},
        {4102444800000, "2100-01-01T00:00:00Z"},  // not a leap year
    };
    for (const auto& [ms, text] : cases) EXPECT_EQ(utcText(ms), text) << ms;
}

// The time asleep is the uptime less the time awake; two clocks read a moment apart never make
// it negative. The start is the wall clock less the uptime: in UTC for the system's log, in the
// user's time zone for the window.
TEST(SinceBoot, splitsTheUptimeIntoAwakeAndAsleep) {
    struct Case {
        const char* what;
        std::uint64_t uptime, awake;
        bool fastStartup;
        int utcOffsetMinutes;
        std::string lines;
    };
    const std::string fastStartup =
        "\nFast Startup is on: Shut down keeps this count going; Restart starts it again.";
    const Case cases[] = {
        {"no sleep", 3723000, 3723000, false, 0,
         "Up since 2026-12-06 22:57:57\nAwake 0d, 1h, 2m, 3s\nAsleep 0d, 0h, 0m, 0s"},
        {"a night asleep", 90000000, 50400000, false, 60,
         "Up since 2026-12-06 00:00:00\nAwake 0d, 14h, 0m, 0s\nAsleep 0d, 11h, 0m, 0s"},
        {"awake ahead by rounding", 1000, 1007, false, 0,
         "Up since 2026-12-06 23:59:59\nAwake 0d, 0h, 0m, 1s\nAsleep 0d, 0h, 0m, 0s"},
        {"Fast Startup", 86400000ULL * 12, 3600000, true, -300,
         "Up since 2026-11-24 19:00:00\nAwake 0d, 1h, 0m, 0s\nAsleep 11d, 23h, 0m, 0s" +
             fastStartup},
    };
    for (const Case& c : cases) {
        test::VirtualTimerService clock;
        test::FakeBootClocks clocks(clock);
        clocks.awakeOffset = c.awake;
        clocks.fastStartup = c.fastStartup;
        test::FakeRegionalFormats formats;
        formats.utcOffsetMinutes = c.utcOffsetMinutes;
        const SinceBoot facts = sinceBoot(c.uptime, clocks);
        EXPECT_EQ(sinceBootLines(facts, formats), c.lines) << c.what;
        EXPECT_EQ(facts.bootUnixMs, clocks.wallOffset - static_cast<std::int64_t>(c.uptime));
    }
}

}  // namespace
}  // namespace rzv
