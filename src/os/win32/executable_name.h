#pragma once

#include <string>

#include "platform/executable_name.h"

namespace rzv {

// GetModuleFileNameW, without folder and extension, in UTF-8 (a non-ASCII name names the log
// file and the settings section alike).
class Win32ExecutableName : public ExecutableName {
  public:
    std::string executableName() override;
};

// A file path's last part without its extension ("C:\\a.b\\Prog.x.exe" gives "Prog.x").
std::wstring baseNameOf(const std::wstring& path);

}  // namespace rzv
