#include "gui/qt/qt_platform.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTime>
#include <algorithm>
#include <cstdio>

namespace rzv {
namespace {

QString toQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toStd(const QString& text) {
    return text.toUtf8().toStdString();
}

constexpr const char* kProgram = "RI-ZUZERU-VAVUZA";

}  // namespace

std::string QtEnvironment::computerName() {
    if (qEnvironmentVariableIsSet("COMPUTERNAME"))
        return toStd(qEnvironmentVariable("COMPUTERNAME"));
    return toStd(QSysInfo::machineHostName());
}

std::string userSettingsFolder() {
    return toStd(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

std::string QtExecutableName::executableName() {
    // Qt gives no path for a file name that is not valid UTF-8 (its decoded form names no file);
    // the program's own argument, decoded the same way (QFile::decodeName), still names it, with
    // U+FFFD for the bytes that do not decode. Log file and settings section both take this name.
    QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty() && !QCoreApplication::arguments().isEmpty())
        path = QCoreApplication::arguments().constFirst();
    return toStd(QFileInfo(path).completeBaseName());
}

QtRegionalFormats::QtRegionalFormats() : separator_(toStd(QLocale::system().decimalPoint())) {}

std::string QtRegionalFormats::currentDate() {
    return toStd(dateText(QLocale::system(), QDate::currentDate()));
}

std::string QtRegionalFormats::currentTime() {
    return toStd(timeText(QLocale::system(), QTime::currentTime()));
}

QString dateText(const QLocale& locale, QDate date) {
    return locale.toString(date, QLocale::ShortFormat);
}

QString timeText(const QLocale& locale, QTime time) {
    // Short time formats lack seconds in most locales; the long one has them and a time zone.
    return locale.toString(time, withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}

QString withoutTimeZone(const QString& format) {
    QString kept;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') quoted = !quoted;
        if (quoted || c != u't') {
            kept += c;
            continue;
        }
        while (i + 1 < format.size() && format[i + 1] == u't') ++i;
        // "(t)" or "[t]": the brackets go with it.
        if ((kept.endsWith(u'(') || kept.endsWith(u'[')) && i + 1 < format.size() &&
            (format[i + 1] == u')' || format[i + 1] == u']')) {
            kept.chop(1);
            ++i;
        }
    }
    kept = kept.simplified();
    while (kept.endsWith(u',') || kept.endsWith(u' ')) kept.chop(1);
    while (kept.startsWith(u',') || kept.startsWith(u' ')) kept.remove(0, 1);
    return kept;
}

void QtDiagnostics::warn(std::string_view line) {
    std::fprintf(stderr, "%s: %.*s\n", kProgram, static_cast<int>(line.size()), line.data());
}

void QtDiagnostics::fatal(std::string_view message) {
    exitCode_ = 1;
    warn(message);
    QMessageBox::critical(nullptr, kProgram, toQt(message));
    QCoreApplication::exit(exitCode_);
}

}  // namespace rzv
