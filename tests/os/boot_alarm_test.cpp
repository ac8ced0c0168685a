#include "os/linux/boot_alarm.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <cstdint>

#include "os/linux/boot_clock.h"

namespace rzv {
namespace {

bool ringsWithin(const WakeAlarm& alarm, int milliseconds) {
    pollfd watched{alarm.wakeDescriptor(), POLLIN, 0};
    return poll(&watched, 1, milliseconds) == 1;
}

TEST(BootAlarm, ringsNotBeforeItsMomentAndOnceTakenIsQuiet) {
    BootAlarm alarm;
    BootClock clock;
    ASSERT_GE(alarm.wakeDescriptor(), 0);
    for (const std::int64_t waitUs : {-5, 0, 1, 1500, 30000}) {
        const std::uint64_t armed = clock.microsecondsSinceBoot();
        ASSERT_TRUE(alarm.ringIn(waitUs));
        ASSERT_TRUE(ringsWithin(alarm, 2000)) << waitUs;
        EXPECT_GE(clock.microsecondsSinceBoot() - armed,
                  static_cast<std::uint64_t>(waitUs > 0 ? waitUs : 0));
        alarm.takeRing();
        EXPECT_FALSE(ringsWithin(alarm, 0)) << waitUs;
    }
}

TEST(BootAlarm, aNewSettingReplacesTheOldAndSilenceStopsIt) {
    BootAlarm alarm;
    ASSERT_TRUE(alarm.ringIn(20000));
    ASSERT_TRUE(alarm.ringIn(10 * 1000 * 1000));  // the ring 20 ms away is gone
    EXPECT_FALSE(ringsWithin(alarm, 60));
    ASSERT_TRUE(alarm.ringIn(1));
    ASSERT_TRUE(ringsWithin(alarm, 2000));
    alarm.silence();  // also takes a ring already there
    EXPECT_FALSE(ringsWithin(alarm, 30));
}

}  // namespace
}  // namespace rzv
