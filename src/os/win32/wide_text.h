// The logic speaks UTF-8; Windows' wide APIs speak UTF-16; the log file is 8-bit text in the
// system's code page.
#pragma once

#include <string>
#include <string_view>

namespace rzv {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);
// `utf8` in the system's default 8-bit code page (characters it lacks become its default one).
std::string toAnsiCodePage(std::string_view utf8);
// A log's text: in the system's default 8-bit code page where every character converts exactly
// (byte for byte what older versions wrote), else as UTF-8 after a byte-order mark, so that no
// character of the user's date and time formats turns into "?".
std::string asLogText(std::string_view utf8);
// The system's words for an error code, on one line, without the trailing full stop.
std::string systemMessage(unsigned long error);

}  // namespace rzv
