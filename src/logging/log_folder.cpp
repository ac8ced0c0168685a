#include "logging/log_folder.h"

#include "core/product.h"

namespace rzv {

LogWrite writeLog(FileOutput& files, LogFolders& folders, const std::string& fileName,
                  std::string_view text) {
    const std::string startLog = files.absoluteName(fileName);
    const FileWrite start =
        folders.workingFolderIsTheSystems()
            ? FileWrite{"no program's log belongs in the Windows folder", WriteRefusal::Rights}
            : files.replace(fileName, text);
    LogWrite outcome{startLog, startLog, start.failure, start.failure};
    if (start.written() || start.refusal != WriteRefusal::Rights) return outcome;
    // The documents folder first; the state folder, made only when it is needed, next.
    for (const bool state : {false, true}) {
        std::string why;
        const std::string folder =
            state ? folders.stateFolder(kProductName, why) : folders.documentsFolder();
        if (folder.empty()) {
            if (state) outcome.failure += "; nor in a folder of its own: " + why;
            continue;
        }
        const FileWrite write = files.replace(folder + fileName, text);
        if (write.written()) return {folder + fileName, startLog, start.failure, ""};
        outcome.failure += "; nor in " + folder + ": " + write.failure;
        if (write.refusal == WriteRefusal::FullDisk) break;
    }
    return outcome;
}

}  // namespace rzv
