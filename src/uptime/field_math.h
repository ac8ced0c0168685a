// Arithmetic on value fields: every operand is read from its field's text and every result is
// written back as text, with the faults a reaction must not pass over.
#pragma once

#include <cmath>
#include <cstdint>
#include <string_view>

#include "core/main_window.h"
#include "core/number_text.h"
#include "core/numeric_fault.h"

namespace rzv {

inline double readLeading(const MainWindow& w, Field f, std::string_view separator) {
    return leadingNumber(w.text(f), separator);
}

// A result that left the double range (or is no number at all) ends the reaction.
inline double checked(double result) {
    if (std::isnan(result)) throw NumericFault("invalid floating-point operation");
    if (std::isinf(result)) throw NumericFault("floating-point overflow");
    return result;
}

inline double checkedQuotient(double dividend, double divisor) {
    if (divisor == 0) throw NumericFault("division by zero");
    return checked(dividend / divisor);
}

inline void writeDecimal(MainWindow& w, Field f, double value, std::string_view separator) {
    w.setText(f, decimalText(checked(value), separator));
}

inline void writeWhole(MainWindow& w, Field f, std::int64_t value) {
    w.setText(f, wholeNumberText(value));
}

// The whole figure of `text` in the unit whose length in milliseconds `unitField` holds.
inline std::int32_t wholeFigure(const MainWindow& w, Field text, Field unitField,
                                std::string_view separator) {
    const auto figure = wholePart(w.text(text), separator, readLeading(w, unitField, separator));
    if (!figure) throw NumericFault("a figure is not a number or beyond the 32-bit range");
    return *figure;
}

}  // namespace rzv
