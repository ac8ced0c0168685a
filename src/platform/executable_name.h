#pragma once

#include <string>
#include <string_view>

namespace rzv {

class ExecutableName {
  public:
    virtual ~ExecutableName() = default;
    // The running executable's file name without folder and extension.
    virtual std::string executableName() = 0;
};

// The file name in `path` without folder (after the last '/' or '\') and without extension
// (from the last '.', unless the name starts there): how every implementation of
// executableName() names the program from its path. Works on UTF-8 bytes, in which neither
// separator nor '.' occurs inside another character.
inline std::string fileStemOf(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name);
}

}  // namespace rzv
