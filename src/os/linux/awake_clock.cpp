#include "os/linux/awake_clock.h"

#include <time.h>

#include "platform/os_parts.h"

namespace rzv {
namespace {

std::int64_t millisecondsOf(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

std::uint64_t AwakeClock::awakeMilliseconds() {
    return static_cast<std::uint64_t>(millisecondsOf(CLOCK_MONOTONIC));
}

std::int64_t AwakeClock::wallClockMilliseconds() {
    return millisecondsOf(CLOCK_REALTIME);
}

std::unique_ptr<BootClocks> os::makeBootClocks() {
    return std::make_unique<AwakeClock>();
}

}  // namespace rzv
