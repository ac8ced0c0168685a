#include "os/qt/regional_formats.h"

#include <QDateTime>

#include "os/qt/text.h"

namespace rzv {

QtRegionalFormats::QtRegionalFormats() : separator_(toStd(QLocale::system().decimalPoint())) {}

std::string QtRegionalFormats::currentDate() {
    return toStd(dateText(QLocale::system(), QDate::currentDate()));
}

std::string QtRegionalFormats::currentTime() {
    return toStd(timeText(QLocale::system(), QTime::currentTime()));
}

std::string QtRegionalFormats::dateAndTimeAt(std::int64_t unixMilliseconds) {
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(unixMilliseconds).toLocalTime();
    const QLocale locale = QLocale::system();
    return toStd(dateText(locale, moment.date()) + u' ' + timeText(locale, moment.time()));
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

}  // namespace rzv
