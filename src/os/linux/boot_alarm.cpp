#include "os/linux/boot_alarm.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "platform/os_parts.h"

namespace rzv {

BootAlarm::BootAlarm() : descriptor_(timerfd_create(CLOCK_BOOTTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {}

BootAlarm::~BootAlarm() {
    if (descriptor_ >= 0) close(descriptor_);
}

bool BootAlarm::ringIn(std::int64_t microseconds) {
    if (descriptor_ < 0) return false;
    // A relative wait: the boot clock's own reading, not ours, decides when it ends. An
    // all-zero setting would disarm it, so "now" is the next nanosecond.
    const std::int64_t ns = std::max<std::int64_t>(microseconds * 1000, 1);
    itimerspec setting{};
    setting.it_value.tv_sec = static_cast<time_t>(ns / 1000000000);
    setting.it_value.tv_nsec = static_cast<long>(ns % 1000000000);
    return timerfd_settime(descriptor_, 0, &setting, nullptr) == 0;
}

void BootAlarm::silence() {
    if (descriptor_ < 0) return;
    const itimerspec off{};
    timerfd_settime(descriptor_, 0, &off, nullptr);  // disarming a valid timerfd cannot fail
    takeRing();
}

void BootAlarm::takeRing() {
    std::uint64_t rings = 0;
    // Non-blocking: nothing to take (EAGAIN) is as good as taken.
    if (descriptor_ >= 0 && read(descriptor_, &rings, sizeof rings) < 0) rings = 0;
}

std::unique_ptr<WakeAlarm> os::makeWakeAlarm() {
    return std::make_unique<BootAlarm>();
}

}  // namespace rzv
