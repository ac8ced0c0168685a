// One hour of uptime ticked every millisecond on the virtual clock: 3.6 million tick-sets of the
// six uptime timers, with a logging run at the start. At every whole second the display shows
// the exact breakdown, and the heap does not grow from the first minute to the last.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdio>
#include <string>

#include "fakes/fake_platform.h"
#include "fakes/fake_window_system.h"
#include "wiring/reactions.h"

namespace rzv {
namespace {

std::string exactDisplay(std::uint64_t count) {
    char text[64];
    std::snprintf(text, sizeof text, "%llud, %lluh, %llum, %llus",
                  static_cast<unsigned long long>(count / 86400000),
                  static_cast<unsigned long long>(count % 86400000 / 3600000),
                  static_cast<unsigned long long>(count % 3600000 / 60000),
                  static_cast<unsigned long long>(count % 60000 / 1000));
    return text;
}

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

TEST(VirtualSoak, anHourOfMillisecondTicksStaysExactWithoutHeapGrowth) {
    test::FakePlatform fake;
    MainWindow window(fake.timers);
    MainWindowReactions reactions(window, fake.platform, fake.about);
    test::FakeWindowSystem windowSystem(reactions, fake);
    window.setObserver(&windowSystem);
    fake.ticks.bootOffset = 1234567890123;  // some 14 years, at an odd millisecond
    fake.settings.put("RI-ZUZERU-VAVUZA", "AUTOSTART_TICKBOX", "1");
    reactions.load();

    constexpr std::int64_t kHour = 3600000, kSettled = 60000;
    std::size_t heapAfterTheFirstMinute = 0;
    int wrongSeconds = 0;
    for (std::int64_t ms = 1; ms <= kHour; ++ms) {
        fake.timers.advance(1);
        const std::uint64_t count = fake.ticks.bootOffset + static_cast<std::uint64_t>(ms);
        if (count % 1000 == 0 &&
            window.text(Field::QV_UPTIME_DISPLAY_TEXTBOX) != exactDisplay(count))
            ++wrongSeconds;
        if (ms == kSettled) heapAfterTheFirstMinute = heapInUse();
    }
    const std::size_t heapAtTheEnd = heapInUse();
    std::printf("soak: %lld tick-sets, %d wrong seconds, heap %zu -> %zu bytes\n",
                static_cast<long long>(kHour), wrongSeconds, heapAfterTheFirstMinute, heapAtTheEnd);
    EXPECT_EQ(wrongSeconds, 0);
    EXPECT_EQ(fake.timers.firesOf(indexOf(Timer::UPTIME_TIMER)), static_cast<std::uint64_t>(kHour));
    EXPECT_EQ(fake.files.writes, 1);  // the one logging run
    EXPECT_EQ(window.caption(Label::CURRENT_STATUS_LABEL), "READY...");
    EXPECT_LE(heapAtTheEnd, heapAfterTheFirstMinute);
}

}  // namespace
}  // namespace rzv
