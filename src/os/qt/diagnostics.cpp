#include "os/qt/diagnostics.h"

#include <QApplication>
#include <QMessageBox>

#include "os/qt/text.h"

namespace rzv {

void QtDiagnostics::showFatal(std::string_view message, int exitCode) {
    // Owned by the active window, as on Windows: it stays above it, and the keeper leaves it be.
    QMessageBox::critical(QApplication::activeWindow(), toQt(program()), toQt(message));
    QCoreApplication::exit(exitCode);
}

}  // namespace rzv
