// Conversions between numbers and the texts that the value fields hold.
//
// Every figure of the uptime pipeline lives as text and is converted on every read and write, the
// same whatever the process's C locale: it is never touched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rzv {

// Decimal text: `significantDigits` significant digits (15 for the uptime figures, 7 for the
// single-precision placement values), trailing zeros and a trailing separator dropped, the
// regional separator, exponent form ("1.66666700351925E-05") for very small or very large
// magnitudes. Zero is "0". The value must be finite.
std::string decimalText(double value, std::string_view separator, int significantDigits = 15);

// Whole-number text: plain digits with a leading "-" for negatives.
std::string wholeNumberText(std::int64_t value);

// Leading-number reading: blanks, tabs and line feeds are ignored, then the longest prefix that
// forms a number is read; a text without one reads as 0. Both "." and the regional separator
// count as the decimal point, so fractions survive on desktops whose separator is ",".
// Magnitudes beyond the double range read as infinity; the checked arithmetic below then
// reports the fault.
double leadingNumber(std::string_view text, std::string_view separator);

// Strict reading: the whole text (surrounding blanks allowed) must be a number written with the
// regional separator, in a double's range. Anything else is no number.
std::optional<double> strictNumber(std::string_view text, std::string_view separator);

// Whole figure of a unit: the text is read strictly as a count of units, turned into whole
// milliseconds (`unitMilliseconds` per unit, rounded to the nearest millisecond, which removes
// the noise of the 15-digit texts) and floor-divided back into whole units, also below zero.
// No result when the text is no number or the figure leaves the 32-bit range.
std::optional<std::int32_t> wholePart(std::string_view text, std::string_view separator,
                                      double unitMilliseconds);

// A signed 64-bit fixed-point number with four implied decimal places whose arithmetic reports
// overflow instead of wrapping. The platform's millisecond count travels in it.
class TickValue {
  public:
    static constexpr std::int64_t kScale = 10000;

    // The 64 bits taken unchanged as the stored integer (so the value is bits / 10000).
    static TickValue fromStored(std::uint64_t bits) {
        return TickValue(static_cast<std::int64_t>(bits));
    }

    std::int64_t stored() const { return stored_; }
    // No result on overflow.
    std::optional<TickValue> times(std::int16_t factor) const;
    // The nearest double to stored / 10000.
    double toDouble() const { return static_cast<double>(stored_) / kScale; }
    // Whole-number text of the value's whole part (truncated toward zero).
    std::string wholeText() const { return wholeNumberText(stored_ / kScale); }

  private:
    explicit TickValue(std::int64_t stored) : stored_(stored) {}
    std::int64_t stored_;
};

}  // namespace rzv
