#include "gui/qt/program_icon.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include "core/product.h"

namespace rzv {

QIcon programIcon() {
    QIcon builtIn;
    builtIn.addFile(QStringLiteral(":/icons/rzv-16.png"), QSize(16, 16));
    builtIn.addFile(QStringLiteral(":/icons/rzv-24.png"), QSize(24, 24));
    return QIcon::fromTheme(QStringLiteral(RZV_ICON_NAME), builtIn);
}

void nameTheDesktopEntry() {
    QGuiApplication::setDesktopFileName(QStringLiteral(RZV_DESKTOP_ID));
    // The class of WM_CLASS, which the entry's StartupWMClass names.
    QCoreApplication::setApplicationName(QString::fromUtf8(kProductName));
}

}  // namespace rzv
