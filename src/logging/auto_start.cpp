#include "logging/auto_start.h"

namespace rzv {

void onAutoStartChanged(MainWindow& window) {
    if (window.value(Tickbox::AUTOSTART_TICKBOX) == kTicked) {
        window.setEnabled(Tickbox::AUTOCLOSE_TICKBOX, true);
        return;
    }
    window.setEnabled(Tickbox::AUTOCLOSE_TICKBOX, false);
    window.setValue(Tickbox::AUTOCLOSE_TICKBOX, kUnticked);
}

}  // namespace rzv
