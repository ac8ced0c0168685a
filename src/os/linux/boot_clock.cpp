#include "os/linux/boot_clock.h"

#include <time.h>

#include "platform/os_parts.h"

namespace rzv {

std::uint64_t BootClock::millisecondsSinceBoot() {
    return microsecondsSinceBoot() / 1000u;
}

std::uint64_t BootClock::microsecondsSinceBoot() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000u +
           static_cast<std::uint64_t>(now.tv_nsec) / 1000u;
}

std::unique_ptr<TickSource> os::makeTickSource() {
    return std::make_unique<BootClock>();
}

}  // namespace rzv
