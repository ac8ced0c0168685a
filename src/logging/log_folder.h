// Which folder takes the log: the one the program was started from, as always, unless that
// folder refuses it for want of rights (Program Files, a read-only share) or is the Windows
// folder, where a log-on task starts in; then the user's own.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_output.h"
#include "platform/log_folders.h"

namespace rzv {

struct LogWrite {
    std::string path;          // the absolute name of the file written; if none, `startLog`
    std::string startLog;      // the log's absolute name in the start folder
    std::string startFailure;  // why the start folder did not take it, if it did not
    std::string failure;       // if no folder took it: every folder's reason, on one line
    bool written() const { return failure.empty(); }
};

// Writes `text` to `fileName` in the working folder. Where that folder refuses it for want of
// rights, or is the Windows folder, the user's documents folder takes it; where that fails too
// for any reason but a full disk, the program's own state folder. A full disk, a failing disk,
// a file held by another program or a refused link in the working folder fail at once: the
// record is not scattered over folders for a passing trouble.
LogWrite writeLog(FileOutput& files, LogFolders& folders, const std::string& fileName,
                  std::string_view text);

}  // namespace rzv
