#pragma once

#include <string>

namespace rzv {

// Where the log may go when the folder the program was started from does not take it: a
// start from Program Files, the Windows folder or a read-only share, as the log-on of a
// whole fleet makes it. Folder names end with the system's separator, ready for a file name.
class LogFolders {
  public:
    virtual ~LogFolders() = default;
    // Whether the working folder is one where no program's log belongs, whatever the rights
    // (the Windows folder or a folder below it).
    virtual bool workingFolderIsTheSystems() = 0;
    // The user's own folder for documents; empty where the user has none.
    virtual std::string documentsFolder() = 0;
    // The folder `name` in the user's own place for programs' state, made for the user alone
    // where it is missing; empty, with `failure` saying why, where it cannot be had.
    virtual std::string stateFolder(const std::string& name, std::string& failure) = 0;
};

}  // namespace rzv
