#include "uptime/display.h"

#include <string>

namespace rzv {

void onDisplayUpdateTimer(MainWindow& w) {
    w.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX,
              w.text(Field::DAYS_ROUNDED_TB) + "d, " + w.text(Field::HOURS_ROUNDED_TB) + "h, " +
                  w.text(Field::MINUTES_DIFFERENCE_ROUNDED_TB) + "m, " +
                  w.text(Field::SECONDS_DIFFERENCE_ROUNDED_TB) + "s");
}

}  // namespace rzv
