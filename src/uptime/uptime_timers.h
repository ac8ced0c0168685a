// The uptime pipeline: six timer reactions linked only through value fields. The breakdown
// reads the tick source, the four refinement stages turn its figures into whole days, hours into
// the day, minutes into the hour and seconds into the minute, and the display joins those.
// The six run at the shortest period, so the timer service fires them as one round in ascending
// timer number, which is the order of this chain: each stage reads what the one before it wrote
// in the same round.
#pragma once

#include <string_view>

#include "core/main_window.h"
#include "platform/tick_source.h"

namespace rzv {

void onUptimeTimer(MainWindow& window, TickSource& ticks, std::string_view separator);
void onDayUptimeTimer(MainWindow& window);
void onHourUptimeTimer(MainWindow& window, std::string_view separator);
void onMinuteUptimeTimer(MainWindow& window, std::string_view separator);
void onSecondUptimeTimer(MainWindow& window, std::string_view separator);
void onDisplayUpdateTimer(MainWindow& window);

}  // namespace rzv
