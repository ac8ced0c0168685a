// Preloaded into the real program by the end-to-end tests: CLOCK_BOOTTIME then reports the
// uptime in RZV_FAKE_UPTIME_MS at its first reading, and CLOCK_MONOTONIC the time awake in
// RZV_FAKE_AWAKE_MS, each advancing with real time from there. Every other clock, and every
// program without those variables, is left alone.
#include <dlfcn.h>
#include <time.h>

#include <cstdlib>

namespace {

using ClockGettime = int (*)(clockid_t, timespec*);

ClockGettime realClockGettime() {
    static const auto real = reinterpret_cast<ClockGettime>(dlsym(RTLD_NEXT, "clock_gettime"));
    return real;
}

long long nanoseconds(const timespec& t) {
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

const char* chosenFor(clockid_t clock) {
    if (clock == CLOCK_BOOTTIME) return std::getenv("RZV_FAKE_UPTIME_MS");
    if (clock == CLOCK_MONOTONIC) return std::getenv("RZV_FAKE_AWAKE_MS");
    return nullptr;
}

}  // namespace

extern "C" int clock_gettime(clockid_t clock, timespec* result) {
    const char* chosen = chosenFor(clock);
    if (!chosen) return realClockGettime()(clock, result);
    timespec now{};
    realClockGettime()(CLOCK_MONOTONIC, &now);
    static const long long first = nanoseconds(now);
    // In milliseconds and what remains, so that a count near the end of the range stays whole.
    const long long elapsed = nanoseconds(now) - first;
    const long long milliseconds = std::atoll(chosen) + elapsed / 1000000;
    result->tv_sec = milliseconds / 1000;
    result->tv_nsec = (milliseconds % 1000) * 1000000 + elapsed % 1000000;
    return 0;
}
