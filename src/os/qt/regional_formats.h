#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include "platform/regional_formats.h"

namespace rzv {

// The system locale's formats. The separator is read once: the uptime pipeline asks for it on
// every tick.
class QtRegionalFormats : public RegionalFormats {
  public:
    QtRegionalFormats();
    std::string decimalSeparator() override { return separator_; }
    std::string currentDate() override;
    std::string currentTime() override;
    std::string dateAndTimeAt(std::int64_t unixMilliseconds) override;

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
