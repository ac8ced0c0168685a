#include "core/control_characters.h"

#include <gtest/gtest.h>

#include <string>

namespace rzv {
namespace {

struct ControlCase {
    std::string text, replaced, escaped;
};

TEST(ControlCharacters, areReplacedForShowingAndEscapedForStderr) {
    using namespace std::string_literals;
    const ControlCase cases[] = {
        {"OFFICE-PC", "OFFICE-PC", "OFFICE-PC"},
        {"a\r\nb", "a??b", "a\\r\\nb"},
        {"tab\there", "tab?here", "tab\\there"},
        {"nul\0cut"s, "nul?cut", "nul\\x00cut"},
        {"esc\x1b[2J del\x7f", "esc?[2J del?", "esc\\x1b[2J del\\x7f"},
        {"c1 \xc2\x85 \xc2\x9f", "c1 ? ?", "c1 \\u0085 \\u009f"},
        // Letters that share the lead byte of the C1 controls stay, and so do other scripts.
        {"\xc2\xa0\xc2\xb5 Zoë \xe6\x9d\xb1", "\xc2\xa0\xc2\xb5 Zoë \xe6\x9d\xb1",
         "\xc2\xa0\xc2\xb5 Zoë \xe6\x9d\xb1"},
        {"C:\\logs", "C:\\logs", "C:\\\\logs"},
        {"cut lead \xc2", "cut lead \xc2", "cut lead \xc2"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withControlsReplaced(c.text), c.replaced) << c.escaped;
        EXPECT_EQ(withControlsEscaped(c.text), c.escaped);
    }
}

}  // namespace
}  // namespace rzv
