// The program's icon from its resources.
#pragma once

#include <windows.h>

namespace rzv {

HICON programIcon(int size);

}  // namespace rzv
