// The tick source: the platform's millisecond count, carried exactly as a tick value.
#pragma once

#include "core/number_text.h"
#include "platform/tick_source.h"

namespace rzv {

// The count in milliseconds, a whole number. A count past the tick value's range (some 29,000
// years) is a numeric fault.
TickValue GetTicks64(TickSource& source);

// The count in seconds with the milliseconds as the fraction (0.001 for a count of 1).
double GetTicks64Seconds(TickSource& source);

}  // namespace rzv
