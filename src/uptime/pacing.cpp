#include "uptime/pacing.h"

#include <algorithm>

namespace rzv {

int millisecondsToNextVisibleChange(std::uint64_t count, bool valueFieldsInView,
                                    int framePeriodMs) {
    constexpr std::uint64_t kSecondMs = 1000;
    // The display's figures turn exactly on a whole count of milliseconds (they are rounded to
    // whole milliseconds before they are cut to whole units), so the change is due at the tick
    // that reaches the next whole second, not one later.
    const int toNextSecond = static_cast<int>(kSecondMs - count % kSecondMs);
    if (!valueFieldsInView) return toNextSecond;
    return std::clamp(framePeriodMs, 1, toNextSecond);
}

int uptimePace(TickSource& ticks, const MainWindow& window) {
    return millisecondsToNextVisibleChange(ticks.millisecondsSinceBoot(),
                                           window.valueFieldsInView(), window.framePeriodMs());
}

}  // namespace rzv
