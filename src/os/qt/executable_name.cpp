#include "os/qt/executable_name.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "os/qt/text.h"

namespace rzv {

std::string QtExecutableName::executableName() {
    // Qt gives no path for a file name that is not valid UTF-8 (its decoded form names no file);
    // the program's own argument, decoded the same way (QFile::decodeName), still names it, with
    // U+FFFD for the bytes that do not decode. Log file and settings section both take this name.
    QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty() && !QCoreApplication::arguments().isEmpty())
        path = QCoreApplication::arguments().constFirst();
    return toStd(QFileInfo(path).completeBaseName());
}

}  // namespace rzv
