#pragma once

#include <string>

#include "platform/regional_formats.h"

namespace rzv {

// The user's own regional settings as Windows keeps them (Control Panel, Region): the decimal
// separator, the short date and the time format, which shows seconds.
class Win32RegionalFormats : public RegionalFormats {
  public:
    // `locale` names a locale ("de-DE"); empty means the user's own.
    explicit Win32RegionalFormats(std::wstring locale = {});

    // Read once: the uptime pipeline asks for it on every tick.
    std::string decimalSeparator() override { return separator_; }
    std::string currentDate() override;
    std::string currentTime() override;
    std::string dateAndTimeAt(std::int64_t unixMilliseconds) override;

    std::string dateText(int year, int month, int day) const;
    std::string timeText(int hour, int minute, int second) const;

  private:
    const wchar_t* localeName() const;

    std::wstring locale_;
    std::string separator_;
};

}  // namespace rzv
