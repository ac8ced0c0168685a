// For systems whose front end waits with timers of its own (Windows: waitable timers).
#include "platform/os_parts.h"

namespace rzv {

std::unique_ptr<WakeAlarm> os::makeWakeAlarm() {
    return std::make_unique<NoWakeAlarm>();
}

}  // namespace rzv
