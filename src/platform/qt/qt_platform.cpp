#include "platform/qt/qt_platform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QSysInfo>
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

std::string QtSettingsStore::read(std::string_view application, std::string_view section,
                                  std::string_view key, std::string_view fallback) {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, toQt(application));
    store.beginGroup(toQt(section));
    const QVariant value = store.value(toQt(key));
    if (!value.isValid()) return std::string(fallback);
    // A hand-written "1,5" comes back from an INI file as a list: give back the text as written.
    if (value.typeId() == QMetaType::QStringList) return toStd(value.toStringList().join(','));
    return toStd(value.toString());
}

void QtSettingsStore::write(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view text) {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, toQt(application));
    store.beginGroup(toQt(section));
    store.setValue(toQt(key), toQt(text));
    store.sync();
    if (store.status() != QSettings::NoError)
        std::fprintf(stderr, "%s: cannot save setting %s to %s\n", kProgram,
                     std::string(key).c_str(), qPrintable(store.fileName()));
}

std::string QtExecutableName::executableName() {
    return toStd(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

std::string QtRegionalFormats::decimalSeparator() {
    return toStd(QLocale::system().decimalPoint());
}

QTimer& QtTimerService::timerFor(std::size_t timer) {
    if (timer >= timers_.size()) timers_.resize(timer + 1);
    auto& slot = timers_[timer];
    if (!slot) {
        slot = std::make_unique<QTimer>();
        QObject::connect(slot.get(), &QTimer::timeout, [this, timer] {
            if (handler_) handler_(timer);
        });
    }
    return *slot;
}

void QtTimerService::start(std::size_t timer, int intervalMs) {
    auto& t = timerFor(timer);
    // Coarse timers would stretch a 1 ms period; long periods need no precision.
    t.setTimerType(intervalMs <= 20 ? Qt::PreciseTimer : Qt::CoarseTimer);
    t.start(intervalMs);
}

void QtTimerService::stop(std::size_t timer) {
    if (timer < timers_.size() && timers_[timer]) timers_[timer]->stop();
}

void QtTimerService::stopAll() {
    for (auto& t : timers_)
        if (t) t->stop();
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
