// The leading-number reading of any text: never fails, and what it reads survives a round trip
// through decimal text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::string_view separator : {".", ",", "\xd9\xab"}) {
        const double value = rzv::leadingNumber(text, separator);
        if (std::isnan(value)) std::abort();
        if (!std::isfinite(value)) continue;
        const auto written = rzv::decimalText(value, separator);
        const double again = rzv::leadingNumber(written, separator);
        if (rzv::decimalText(again, separator) != written) std::abort();
    }
    return 0;
}
