// Preloaded into the real program by the end-to-end tests: CLOCK_BOOTTIME then reports the
// uptime in RZV_FAKE_UPTIME_MS at its first reading, advancing with real time from there.
// Every other clock, and every program without that variable, is left alone.
#include <dlfcn.h>
#include <time.h>

#include <cstdlib>

namespace {

using ClockGettime = int (*)(clockid_t, timespec*);

ClockGettime realClockGettime() {
    static const auto real = reinterpret_cast<ClockGettime>(dlsym(RTLD_NEXT, "clock_gettime"));
    return real;
}

long long milliseconds(const timespec& t) {
    return t.tv_sec * 1000LL + t.tv_nsec / 1000000;
}

}  // namespace

extern "C" int clock_gettime(clockid_t clock, timespec* result) {
    const char* chosen = std::getenv("RZV_FAKE_UPTIME_MS");
    if (clock != CLOCK_BOOTTIME || !chosen) return realClockGettime()(clock, result);
    timespec now{};
    realClockGettime()(CLOCK_MONOTONIC, &now);
    static const long long first = milliseconds(now);
    const long long uptime = std::atoll(chosen) + milliseconds(now) - first;
    result->tv_sec = uptime / 1000;
    result->tv_nsec = (uptime % 1000) * 1000000;
    return 0;
}
