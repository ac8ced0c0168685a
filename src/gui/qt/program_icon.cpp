#include "gui/qt/program_icon.h"

namespace rzv {

QIcon programIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/rzv-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/rzv-24.png"), QSize(24, 24));
    return icon;
}

}  // namespace rzv
