#pragma once

#include <string>

#include "platform/log_folders.h"

namespace rzv {

// The Windows folder (GetSystemWindowsDirectoryW) takes no log; the user's Documents and
// %LOCALAPPDATA% are the user's own (SHGetKnownFolderPath), a folder made there inherits the
// profile's rights: the user's alone.
class Win32LogFolders : public LogFolders {
  public:
    bool workingFolderIsTheSystems() override;
    std::string documentsFolder() override;
    std::string stateFolder(const std::string& name, std::string& failure) override;
};

// Whether `folder` is `top` or a folder below it, the names compared as Windows compares them
// (whatever the case); a trailing separator on either counts for nothing.
bool isAtOrBelow(std::wstring folder, std::wstring top);

}  // namespace rzv
