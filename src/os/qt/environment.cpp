#include "os/qt/environment.h"

#include <QSysInfo>

#include "os/qt/text.h"

namespace rzv {

std::string QtEnvironment::computerName() {
    if (qEnvironmentVariableIsSet("COMPUTERNAME"))
        return toStd(qEnvironmentVariable("COMPUTERNAME"));
    return toStd(QSysInfo::machineHostName());
}

}  // namespace rzv
