// Texts from outside (the environment, the settings store) may hold control characters: in a
// record they would add lines, on stderr they would cut or split one.
#pragma once

#include <string>
#include <string_view>

namespace rzv {

// What stands for each control character in a shown or logged text: plain ASCII, so it looks
// the same in the window, in the record and in any 8-bit code page.
inline constexpr char kControlStandIn = '?';

// `text` (UTF-8) with each C0 control (U+0000 to U+001F), DEL and C1 control (U+0080 to U+009F)
// replaced by the stand-in: a one-line text that shows where the controls were.
std::string withControlsReplaced(std::string_view text);

// `text` on one line with its controls and backslashes escaped: "\n", "\r", "\t", "\\", and
// "\x1b" or "\u0085" for the others.
std::string withControlsEscaped(std::string_view text);

}  // namespace rzv
