#include "core/control_characters.h"

#include <cstdio>

namespace rzv {
namespace {

// The length of the control character at the start of `text`, 0 when there is none. C1 controls
// are two bytes in UTF-8: C2 80 to C2 9F.
std::size_t controlLength(std::string_view text) {
    const auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x20 || first == 0x7f) return 1;
    if (first == 0xc2 && text.size() > 1) {
        const auto second = static_cast<unsigned char>(text[1]);
        if (second >= 0x80 && second <= 0x9f) return 2;
    }
    return 0;
}

std::string escapeOf(std::string_view control) {
    switch (control[0]) {
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        case '\\':
            return "\\\\";
        default:
            break;
    }
    char escaped[8];
    if (control.size() == 2)
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(control[1]));
    else
        std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(control[0]));
    return escaped;
}

// `text` with each control character, and each backslash when asked, replaced.
template <typename Replace>
std::string withControls(std::string_view text, bool backslashesToo, Replace replace) {
    std::string result;
    result.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = backslashesToo && text[0] == '\\' ? 1 : controlLength(text);
        if (length == 0) {
            result += text[0];
            text.remove_prefix(1);
            continue;
        }
        result += replace(text.substr(0, length));
        text.remove_prefix(length);
    }
    return result;
}

}  // namespace

std::string withControlsReplaced(std::string_view text) {
    return withControls(text, false,
                        [](std::string_view) { return std::string(1, kControlStandIn); });
}

std::string withControlsEscaped(std::string_view text) {
    return withControls(text, true, escapeOf);
}

}  // namespace rzv
