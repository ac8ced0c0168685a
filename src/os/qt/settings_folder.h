#pragma once

#include <string>

namespace rzv {

// The folder of the user's settings files on this desktop ($XDG_CONFIG_HOME, by default
// ~/.config), where Qt's settings keep them too.
std::string userSettingsFolder();

}  // namespace rzv
