#include "uptime/pacing.h"

#include <algorithm>

namespace rzv {

std::chrono::microseconds timeToNextVisibleChange(std::uint64_t countUs, bool valueFieldsInView,
                                                  int framePeriodMs,
                                                  std::chrono::microseconds step) {
    constexpr std::uint64_t kSecondUs = 1000000;
    // The display's figures turn exactly on a whole count of milliseconds (they are rounded to
    // whole milliseconds before they are cut to whole units), so the change is due the instant
    // the count reaches the next whole second, not a millisecond later.
    const auto toNextSecond = std::max<std::int64_t>(
        static_cast<std::int64_t>(kSecondUs - countUs % kSecondUs), step.count());
    if (!valueFieldsInView) return std::chrono::microseconds(toNextSecond);
    const std::int64_t frameUs = std::int64_t{framePeriodMs} * 1000;
    return std::chrono::microseconds(std::min(std::max<std::int64_t>(frameUs, 1000), toNextSecond));
}

std::chrono::microseconds uptimePace(TickSource& ticks, const MainWindow& window) {
    return timeToNextVisibleChange(ticks.microsecondsSinceBoot(), window.valueFieldsInView(),
                                   window.framePeriodMs(), ticks.step());
}

}  // namespace rzv
