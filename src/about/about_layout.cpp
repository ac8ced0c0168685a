#include "about/about_layout.h"

#include "core/product.h"

namespace rzv {
namespace {

constexpr ControlLayout label(AboutLabel l, const char* name, const char* text, TwipsRect r,
                              int focus, Look look = Look::Display) {
    return {ControlKind::Label, indexOf(l), name, text, r, look, focus, false};
}

#define RZV_ABOUT_LABEL(name, ...) label(AboutLabel::name, #name, __VA_ARGS__)

}  // namespace

const std::array<ControlLayout, kAboutControlCount> kAboutControls = {{
    RZV_ABOUT_LABEL(QV_TITLE_1, "QUORVANE", {120, 120, 1815, 375}, 2),
    RZV_ABOUT_LABEL(QV_TITLE_2, "RI-ZUZERU-VAVUZA", {2040, 120, 2295, 375}, 7),
    RZV_ABOUT_LABEL(QV_TITLE_3, "QV-ZIV", {4440, 120, 1095, 375}, 6),
    RZV_ABOUT_LABEL(CREATOR_TEXTBOX, "", {120, 600, 5415, 375}, 3),
    RZV_ABOUT_LABEL(FREEWARE_TEXTBOX, "", {120, 1080, 2655, 375}, 5),
    RZV_ABOUT_LABEL(VERSION_TEXTBOX, "Version " RZV_VERSION_SHORT, {3000, 1080, 2535, 375}, 4),
    {ControlKind::Field,
     indexOf(AboutField::OUTPUT_REPORT_TEXTBOX),
     "OUTPUT_REPORT_TEXTBOX",
     "",
     {240, 1560, 5175, 1845},
     Look::Plain,
     1,
     true},
    RZV_ABOUT_LABEL(OUTPUT_LOG_LABEL, "Output Log", {240, 3480, 855, 255}, 8, Look::Plain),
    {ControlKind::Button,
     indexOf(AboutButton::OK_BUTTON),
     "OK_BUTTON",
     "OK",
     {1920, 3600, 1815, 735},
     Look::Plain,
     0,
     false},
}};

#undef RZV_ABOUT_LABEL

}  // namespace rzv
