// The program's icon from its resources.
#pragma once

#include <QIcon>

namespace rzv {

QIcon programIcon();

}  // namespace rzv
