// The name the program goes by in its help, its refusals and its log file's name.
#pragma once

#include <string>
#include <string_view>

namespace rzv {

// The file name without folder or extension of the path the program was started by; the
// product's name where that leaves nothing.
std::string programNameFrom(std::string_view path);

}  // namespace rzv
