// The designed colours and fonts of the windows' controls.
#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

#include "core/layout.h"

namespace rzv {

// A colour number, 0x00BBGGRR.
QColor colourOf(unsigned number);

// The windows' own font, used by tickboxes, buttons and value fields.
QFont windowFont();
void applyLook(QWidget* widget, Look look);

}  // namespace rzv
