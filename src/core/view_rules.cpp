#include "core/view_rules.h"

#include <cmath>

namespace rzv {

bool isInView(const PixelRect& control, int clientWidth, int clientHeight) {
    const int right = clientWidth - kUsefulPixels, bottom = clientHeight - kUsefulPixels;
    return control.left < control.right && control.top < control.bottom && control.left < right &&
           control.right > 0 && control.top < bottom && control.bottom > 0 && right > 0 &&
           bottom > 0;
}

bool DeferredFields::showNow(Field f, bool inView) {
    waiting_.set(indexOf(f), !inView);
    return inView;
}

void DeferredFields::catchUp(const std::function<bool(Field)>& inView,
                             const std::function<void(Field)>& show) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        if (waiting_.test(i) && inView(f)) {
            waiting_.reset(i);
            show(f);
        }
    }
}

bool valueFieldsInView(const std::function<bool(Field)>& inView) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        if (f != Field::QV_UPTIME_DISPLAY_TEXTBOX && inView(f)) return true;
    }
    return false;
}

int framePeriodMsAt(double hertz) {
    if (!(hertz > 1) || !std::isfinite(hertz)) return 0;
    return static_cast<int>(std::lround(1000 / hertz));
}

}  // namespace rzv
