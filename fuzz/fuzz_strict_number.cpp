// The strict reading of any text: a number it accepts reads the same by the leading-number
// reading, and its decimal text reads back strictly to the same text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::string_view separator : {".", ","}) {
        const auto value = rzv::strictNumber(text, separator);
        if (!value) continue;
        if (!std::isfinite(*value)) std::abort();
        if (rzv::leadingNumber(text, separator) != *value) std::abort();
        const auto written = rzv::decimalText(*value, separator);
        const auto again = rzv::strictNumber(written, separator);
        if (!again || rzv::decimalText(*again, separator) != written) std::abort();
    }
    return 0;
}
