// Which control each fixed caption of the main window names. A screen reader announces a field
// by the caption beside it, so every front end links these pairs in its own way (a Qt buddy, a
// Windows static placed right before its field in the tab sequence). Captions that head a
// column ("RESULT") or stand alone (the titles) name nothing.
#pragma once

#include <array>
#include <cstddef>

#include "core/layout.h"

namespace rzv {

struct CaptionLink {
    Label caption;
    ControlKind kind;  // of the control it names
    std::size_t id;
};

constexpr CaptionLink captionFor(Label caption, Field f) {
    return {caption, ControlKind::Field, indexOf(f)};
}

// Each caption names the control right of it on its row.
inline constexpr std::array<CaptionLink, 10> kCaptionLinks = {{
    {Label::STATUS_LABEL, ControlKind::Label, indexOf(Label::CURRENT_STATUS_LABEL)},
    captionFor(Label::UPTIME_TEXT_LABEL, Field::QV_UPTIME_DISPLAY_TEXTBOX),
    captionFor(Label::START_LABEL, Field::START_TB),
    captionFor(Label::Label9, Field::TOTAL_MIL_SEC),
    captionFor(Label::Label8, Field::TOTAL_MIL_MIN),
    captionFor(Label::Label7, Field::TOTAL_MIL_HOUR),
    captionFor(Label::Label6, Field::TOTAL_MIL_DAY),
    captionFor(Label::Label5, Field::TOTAL_MIL_WEEK),
    captionFor(Label::Label4, Field::TOTAL_MIL_MONTH),
    captionFor(Label::Label3, Field::TOTAL_MIL_YEAR),
}};

}  // namespace rzv
