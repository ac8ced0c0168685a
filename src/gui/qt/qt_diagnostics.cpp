#include "gui/qt/qt_diagnostics.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "core/product.h"
#include "gui/qt/text.h"

namespace rzv {

void QtDiagnostics::warn(std::string_view line) {
    std::fprintf(stderr, "%s: %.*s\n", kProductName, static_cast<int>(line.size()), line.data());
}

void QtDiagnostics::fatal(std::string_view message) {
    exitCode_ = 1;
    warn(message);
    // Owned by the active window, as on Windows: it stays above it, and the keeper leaves it be.
    QMessageBox::critical(QApplication::activeWindow(), kProductName, toQt(message));
    QCoreApplication::exit(exitCode_);
}

}  // namespace rzv
