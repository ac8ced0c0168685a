// The uptime display: the four whole figures joined as "3d, 4h, 5m, 6s", character for
// character from their fields.
#include <string>

#include "uptime/uptime_timers.h"

namespace rzv {

void onDisplayUpdateTimer(MainWindow& w) {
    const std::string_view parts[] = {w.text(Field::DAYS_ROUNDED_TB),
                                      "d, ",
                                      w.text(Field::HOURS_ROUNDED_TB),
                                      "h, ",
                                      w.text(Field::MINUTES_DIFFERENCE_ROUNDED_TB),
                                      "m, ",
                                      w.text(Field::SECONDS_DIFFERENCE_ROUNDED_TB),
                                      "s"};
    // Composed in place: the figures are short, only the fields' initial names are longer.
    char buffer[160];
    std::size_t size = 0;
    for (auto part : parts) size += part.size();
    if (size > sizeof buffer) {
        std::string joined;
        for (auto part : parts) joined += part;
        w.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX, joined);
        return;
    }
    size = 0;
    for (auto part : parts) {
        part.copy(buffer + size, part.size());
        size += part.size();
    }
    w.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX, std::string_view(buffer, size));
}

}  // namespace rzv
