// The real platform parts on Qt; the timers have a file of their own.
#pragma once

#include <QDate>
#include <QLocale>
#include <QObject>
#include <QTime>
#include <cstdint>

#include "gui/qt/qt_timer_service.h"
#include "platform/diagnostics.h"
#include "platform/environment.h"
#include "platform/executable_name.h"
#include "platform/regional_formats.h"

namespace rzv {

class QtEnvironment : public Environment {
  public:
    std::string computerName() override;
};

class QtDiagnostics : public Diagnostics {
  public:
    void warn(std::string_view line) override;
    void fatal(std::string_view message) override;
    // Non-zero once a fatal fault was reported.
    int exitCode() const { return exitCode_; }

  private:
    int exitCode_ = 0;
};

// The folder of the user's settings files on this desktop ($XDG_CONFIG_HOME, by default
// ~/.config), where Qt's settings keep them too.
std::string userSettingsFolder();

class QtExecutableName : public ExecutableName {
  public:
    std::string executableName() override;
};

// The system locale's formats. The separator is read once: the uptime pipeline asks for it on
// every tick.
class QtRegionalFormats : public RegionalFormats {
  public:
    QtRegionalFormats();
    std::string decimalSeparator() override { return separator_; }
    std::string currentDate() override;
    std::string currentTime() override;

  private:
    std::string separator_;
};

// A date in the locale's short format; a time of day with seconds and without a time zone.
QString dateText(const QLocale& locale, QDate date);
QString timeText(const QLocale& locale, QTime time);

// A time format without its time-zone part: the unquoted "t" run with its brackets, and the
// spaces or comma it leaves dangling ("h:mm:ss AP t" gives "h:mm:ss AP").
QString withoutTimeZone(const QString& format);

}  // namespace rzv
