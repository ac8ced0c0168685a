// For systems whose front end waits with timers of its own (Windows: waitable timers).
#include "platform/os_parts.h"

namespace rzv {
namespace {

class NoWakeAlarm : public WakeAlarm {
  public:
    int wakeDescriptor() const override { return -1; }
    bool ringIn(std::int64_t) override { return false; }
    void silence() override {}
    void takeRing() override {}
};

}  // namespace

std::unique_ptr<WakeAlarm> os::makeWakeAlarm() {
    return std::make_unique<NoWakeAlarm>();
}

}  // namespace rzv
