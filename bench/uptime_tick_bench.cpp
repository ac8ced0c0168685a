// One tick of all six uptime handlers on the model alone, as the real timer service runs them:
// prints nanoseconds and heap allocations per tick-set in steady state.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "fakes/fake_platform.h"
#include "uptime/breakdown.h"
#include "uptime/display.h"
#include "uptime/refinement.h"

namespace {
std::size_t allocations = 0;
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

int main(int argc, char** argv) {
    const long tickSets = argc > 1 ? std::atol(argv[1]) : 2000000;
    rzv::test::FakePlatform fake;
    rzv::MainWindow window(fake.timers);
    fake.ticks.bootOffset = 3910028000;  // 45 days: long texts in every field
    const std::string separator = ".";

    auto tickSet = [&](std::uint64_t count) {
        fake.ticks.bootOffset = count;
        rzv::onUptimeTimer(window, fake.ticks, separator);
        rzv::onDayUptimeTimer(window);
        rzv::onHourUptimeTimer(window, separator);
        rzv::onMinuteUptimeTimer(window, separator);
        rzv::onSecondUptimeTimer(window, separator);
        rzv::onDisplayUpdateTimer(window);
    };
    for (std::uint64_t warm = 0; warm < 2000; ++warm) tickSet(3910028000 + warm);

    const std::size_t allocationsBefore = allocations;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < tickSets; ++i) tickSet(3910030000 + static_cast<std::uint64_t>(i));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const double ns = std::chrono::duration<double, std::nano>(elapsed).count() / tickSets;

    std::printf(
        "uptime tick-set (six handlers, model only): %.0f ns per tick-set, %.4f heap "
        "allocations per tick-set over %ld tick-sets\n",
        ns, static_cast<double>(allocations - allocationsBefore) / tickSets, tickSets);
    std::printf("display after the run: %s\n",
                window.text(rzv::Field::QV_UPTIME_DISPLAY_TEXTBOX).c_str());
    return 0;
}
