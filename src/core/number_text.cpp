#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace rzv {
namespace {

// Exponent form takes over below 1E-04 and from 10^digits on, where a positional text would need
// leading or trailing zeros that carry no information.
constexpr int kSmallestPositionalExponent = -4;

void appendExponent(std::string& out, int exponent) {
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    char digits[8];
    auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    if (end - digits < 2) out += '0';
    out += std::string_view(digits, static_cast<std::size_t>(end - digits));
}

// Converts a normalized text; magnitudes beyond the double range become infinity, below it zero.
double parseNormalized(std::string_view text) {
    double value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc()) return value;
    long double wide = 0;
    auto wideResult = std::from_chars(first, last, wide);
    const bool negative = text.front() == '-';
    const bool overflow =
        wideResult.ec == std::errc()
            ? std::fabs(wide) > std::numeric_limits<double>::max()
            : text.find("e-") == std::string_view::npos;  // beyond even a long double
    if (overflow) return negative ? -HUGE_VAL : HUGE_VAL;
    return wideResult.ec == std::errc() ? static_cast<double>(wide) : (negative ? -0.0 : 0.0);
}

// Walks a text for the leading-number reading: blanks, tabs and line feeds are invisible to it.
class LenientCursor {
  public:
    LenientCursor(std::string_view text) : text_(text) { skipBlanks(); }
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    bool startsWith(std::string_view s) const {
        return !s.empty() && text_.substr(pos_, s.size()) == s;
    }
    void advance(std::size_t n = 1) {
        pos_ += n;
        skipBlanks();
    }
    std::size_t position() const { return pos_; }
    void rewind(std::size_t pos) { pos_ = pos; }

  private:
    void skipBlanks() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n'))
            ++pos_;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string decimalText(double value, std::string_view separator, int significantDigits) {
    if (value == 0) return "0";
    std::string out;
    char buf[48];
    auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                             significantDigits - 1)
                   .ptr;
    std::string_view text(buf, static_cast<std::size_t>(end - buf));
    if (text.front() == '-') {
        out += '-';
        text.remove_prefix(1);
    }
    const auto e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    char digits[24];
    std::size_t count = 0;
    for (char c : text.substr(0, e))
        if (isDigit(c)) digits[count++] = c;
    while (count > 1 && digits[count - 1] == '0') --count;
    const std::string_view all(digits, count);

    if (exponent < kSmallestPositionalExponent || exponent >= significantDigits) {
        out += all[0];
        if (count > 1) {
            out += separator;
            out += all.substr(1);
        }
        appendExponent(out, exponent);
    } else if (exponent >= 0) {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        for (std::size_t i = 0; i < whole; ++i) out += i < count ? all[i] : '0';
        if (count > whole) {
            out += separator;
            out += all.substr(whole);
        }
    } else {
        out += '0';
        out += separator;
        for (int i = -1; i > exponent; --i) out += '0';
        out += all;
    }
    return out;
}

std::string wholeNumberText(std::int64_t value) {
    return std::to_string(value);
}

double leadingNumber(std::string_view text, std::string_view separator) {
    LenientCursor at(text);
    std::string number;  // normalized: "-12.5e-3"
    if (at.peek() == '-' || at.peek() == '+') {
        if (at.peek() == '-') number.push_back('-');
        at.advance();
    }
    bool digitSeen = false;
    bool pointSeen = false;
    for (;;) {
        if (isDigit(at.peek())) {
            number.push_back(at.peek());
            digitSeen = true;
            at.advance();
        } else if (!pointSeen && (at.peek() == '.' || at.startsWith(separator))) {
            number.push_back('.');
            pointSeen = true;
            at.advance(at.peek() == '.' ? 1 : separator.size());
        } else {
            break;
        }
    }
    if (!digitSeen) return 0;
    if (at.peek() == 'E' || at.peek() == 'e') {
        // The exponent belongs to the number only when at least one digit follows it.
        const auto mark = at.position();
        const auto kept = number.size();
        number.push_back('e');
        at.advance();
        if (at.peek() == '-' || at.peek() == '+') {
            if (at.peek() == '-') number.push_back('-');
            at.advance();
        }
        bool exponentDigit = false;
        while (isDigit(at.peek())) {
            number.push_back(at.peek());
            exponentDigit = true;
            at.advance();
        }
        if (!exponentDigit) {
            number.resize(kept);
            at.rewind(mark);
        }
    }
    return parseNormalized(number);
}

std::optional<double> strictNumber(std::string_view text, std::string_view separator) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);

    std::string number;  // normalized: "-12.5e-3"
    std::size_t i = 0;
    auto digitsFrom = [&](std::size_t& pos) {
        const auto start = pos;
        while (pos < text.size() && isDigit(text[pos])) number.push_back(text[pos++]);
        return pos > start;
    };
    if (text[i] == '-' || text[i] == '+') {
        if (text[i] == '-') number.push_back('-');
        ++i;
    }
    bool digits = digitsFrom(i);
    if (!separator.empty() && text.substr(i, separator.size()) == separator) {
        number.push_back('.');
        i += separator.size();
        digits = digitsFrom(i) || digits;
    }
    if (!digits) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        number.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            if (text[i] == '-') number.push_back('-');
            ++i;
        }
        if (!digitsFrom(i)) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    const double value = parseNormalized(number);
    if (std::isinf(value)) return std::nullopt;
    return value;
}

std::optional<std::int32_t> wholePart(std::string_view text, std::string_view separator,
                                      double unitMilliseconds) {
    const auto value = strictNumber(text, separator);
    if (!value) return std::nullopt;
    constexpr double kInt64Limit = 9.2e18;
    if (!(unitMilliseconds >= 1 && unitMilliseconds < kInt64Limit) ||
        unitMilliseconds != std::floor(unitMilliseconds))
        return std::nullopt;
    const double milliseconds = std::nearbyint(*value * unitMilliseconds);
    if (!(std::fabs(milliseconds) < kInt64Limit)) return std::nullopt;

    const auto ms = static_cast<std::int64_t>(milliseconds);
    const auto unit = static_cast<std::int64_t>(unitMilliseconds);
    std::int64_t whole = ms / unit;
    if (ms % unit != 0 && ms < 0) --whole;
    if (whole < std::numeric_limits<std::int32_t>::min() ||
        whole > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

std::optional<TickValue> TickValue::times(std::int16_t factor) const {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    const std::int64_t f = factor;
    // Checked before multiplying: a signed product that overflows is already undefined.
    const bool overflows = f > 0     ? stored_ > kMax / f || stored_ < kMin / f
                           : f == -1 ? stored_ == kMin
                           : f < 0   ? stored_ < kMax / f || stored_ > kMin / f
                                     : false;
    if (overflows) return std::nullopt;
    return TickValue(stored_ * f);
}

}  // namespace rzv
