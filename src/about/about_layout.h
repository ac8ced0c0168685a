// The About window's controls as designed: their names, texts, places and tab order.
#pragma once

#include <array>
#include <cstddef>

#include "core/layout.h"

namespace rzv {

enum class AboutLabel {
    QV_TITLE_1,
    QV_TITLE_2,
    QV_TITLE_3,
    CREATOR_TEXTBOX,
    FREEWARE_TEXTBOX,
    VERSION_TEXTBOX,
    OUTPUT_LOG_LABEL,
};
constexpr std::size_t kAboutLabelCount = static_cast<std::size_t>(AboutLabel::OUTPUT_LOG_LABEL) + 1;
enum class AboutField { OUTPUT_REPORT_TEXTBOX };
constexpr std::size_t kAboutFieldCount =
    static_cast<std::size_t>(AboutField::OUTPUT_REPORT_TEXTBOX) + 1;
enum class AboutButton { OK_BUTTON };
constexpr std::size_t kAboutButtonCount = static_cast<std::size_t>(AboutButton::OK_BUTTON) + 1;
constexpr std::size_t kAboutControlCount = kAboutLabelCount + kAboutFieldCount + kAboutButtonCount;

inline constexpr const char* kAboutWindowName = "QV_ZIV_ABOUT";
inline constexpr const char* kAboutCaption = "RI-ZUZERU-VAVUZA - ABOUT";
// What the credit line shows when double-clicked.
inline constexpr const char* kCreatorContact = "uptime-tool@example.org";

extern const std::array<ControlLayout, kAboutControlCount> kAboutControls;

}  // namespace rzv
