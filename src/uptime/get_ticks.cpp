#include "uptime/get_ticks.h"

#include "core/numeric_fault.h"

namespace rzv {
namespace {
TickValue scaled(TickSource& source, std::int16_t factor) {
    // The 64 bits arrive as the stored integer, so the value is count / 10000 until scaled.
    const auto product = TickValue::fromStored(source.millisecondsSinceBoot()).times(factor);
    if (!product) throw NumericFault("the millisecond count is beyond the tick value's range");
    return *product;
}
}  // namespace

TickValue GetTicks64(TickSource& source) {
    return scaled(source, 10000);
}

double GetTicks64Seconds(TickSource& source) {
    return scaled(source, 10).toDouble();
}

}  // namespace rzv
