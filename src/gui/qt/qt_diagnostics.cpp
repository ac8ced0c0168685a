#include "gui/qt/qt_diagnostics.h"

#include <QCoreApplication>
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
    QMessageBox::critical(nullptr, kProductName, toQt(message));
    QCoreApplication::exit(exitCode_);
}

}  // namespace rzv
