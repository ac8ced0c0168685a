// The whole figure of any text in each unit: present exactly when the text is a number whose
// figure fits 32 bits, and never more than a unit away from the value read.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (double unit : {1000.0, 60000.0, 3600000.0, 86400000.0}) {
        const auto whole = rzv::wholePart(text, ".", unit);
        const auto value = rzv::strictNumber(text, ".");
        if (whole && !value) std::abort();
        if (!whole) continue;
        const double halfMillisecond = 0.5 / unit;
        if (*whole > *value + halfMillisecond + 1e-9 * std::fabs(*value)) std::abort();
        if (*whole + 1 < *value - halfMillisecond - 1e-9 * std::fabs(*value)) std::abort();
    }
    return 0;
}
