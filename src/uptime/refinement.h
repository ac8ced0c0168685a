// The four refinement stages of the uptime pipeline (breakdown.h): they turn the breakdown's
// figures into whole days, hours into the day, minutes into the hour and seconds into the minute.
#pragma once

#include <string_view>

#include "core/main_window.h"

namespace rzv {

void onDayUptimeTimer(MainWindow& window);
void onHourUptimeTimer(MainWindow& window, std::string_view separator);
void onMinuteUptimeTimer(MainWindow& window, std::string_view separator);
void onSecondUptimeTimer(MainWindow& window, std::string_view separator);

}  // namespace rzv
