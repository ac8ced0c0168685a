#include "os/win32/regional_formats.h"

#include <windows.h>

#include "os/win32/wide_text.h"

namespace rzv {
namespace {

SYSTEMTIME dayOf(int year, int month, int day) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    return time;
}

SYSTEMTIME timeOfDay(int hour, int minute, int second) {
    SYSTEMTIME time = dayOf(2000, 1, 1);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    return time;
}

// Formats with a buffer that is always large enough for a date or a time; "" when the locale
// refuses.
template <typename Format>
std::string formatted(Format format) {
    wchar_t buffer[128];
    const int length = format(buffer, static_cast<int>(sizeof buffer / sizeof buffer[0]));
    return length > 1 ? narrow(std::wstring_view(buffer, static_cast<std::size_t>(length - 1)))
                      : std::string();
}

}  // namespace

Win32RegionalFormats::Win32RegionalFormats(std::wstring locale) : locale_(std::move(locale)) {
    separator_ = formatted([&](wchar_t* buffer, int size) {
        return GetLocaleInfoEx(localeName(), LOCALE_SDECIMAL, buffer, size);
    });
    if (separator_.empty()) separator_ = ".";
}

const wchar_t* Win32RegionalFormats::localeName() const {
    return locale_.empty() ? LOCALE_NAME_USER_DEFAULT : locale_.c_str();
}

std::string Win32RegionalFormats::currentDate() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return dateText(now.wYear, now.wMonth, now.wDay);
}

std::string Win32RegionalFormats::currentTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return timeText(now.wHour, now.wMinute, now.wSecond);
}

std::string Win32RegionalFormats::dateAndTimeAt(std::int64_t unixMilliseconds) {
    constexpr std::int64_t kUnixEpochInFileTimeMs = 11644473600000;  // 1601 to 1970
    const auto ticks = static_cast<ULONGLONG>(unixMilliseconds + kUnixEpochInFileTimeMs) * 10000;
    const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME universal, local;
    if (!FileTimeToSystemTime(&utc, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return {};
    return dateText(local.wYear, local.wMonth, local.wDay) + " " +
           timeText(local.wHour, local.wMinute, local.wSecond);
}

std::string Win32RegionalFormats::dateText(int year, int month, int day) const {
    const SYSTEMTIME date = dayOf(year, month, day);
    return formatted([&](wchar_t* buffer, int size) {
        return GetDateFormatEx(localeName(), DATE_SHORTDATE, &date, nullptr, buffer, size, nullptr);
    });
}

std::string Win32RegionalFormats::timeText(int hour, int minute, int second) const {
    const SYSTEMTIME time = timeOfDay(hour, minute, second);
    // No flags and no format: the user's time format, the one with seconds.
    return formatted([&](wchar_t* buffer, int size) {
        return GetTimeFormatEx(localeName(), 0, &time, nullptr, buffer, size);
    });
}

}  // namespace rzv
