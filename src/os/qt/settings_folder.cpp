#include "os/qt/settings_folder.h"

#include <QStandardPaths>

#include "os/qt/text.h"

namespace rzv {

std::string userSettingsFolder() {
    return toStd(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

}  // namespace rzv
