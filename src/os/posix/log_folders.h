// The user's own folders on a freedesktop desktop, for a log that the start folder refuses.
#pragma once

#include <string>
#include <string_view>

#include "platform/log_folders.h"

namespace rzv {

// Documents: the folder that XDG_DOCUMENTS_DIR names in $XDG_CONFIG_HOME/user-dirs.dirs
// (~/.config/user-dirs.dirs) where that folder exists, else the home folder. State:
// $XDG_STATE_HOME (~/.local/state), its missing folders made for the user alone (0700).
class XdgLogFolders : public LogFolders {
  public:
    bool workingFolderIsTheSystems() override { return false; }
    std::string documentsFolder() override;
    std::string stateFolder(const std::string& name, std::string& failure) override;
};

// The folder that XDG_DOCUMENTS_DIR names in the text of a user-dirs.dirs file, without a
// trailing slash: a double-quoted "$HOME/..." or absolute path, backslash escapes undone (as
// xdg-user-dirs writes them); empty when the file names none it can read.
std::string documentsFolderIn(std::string_view userDirs, const std::string& home);

}  // namespace rzv
