#include "platform/win32/tick_count.h"

#include <windows.h>

namespace rzv {

std::uint64_t TickCount::millisecondsSinceBoot() {
    return GetTickCount64();
}

}  // namespace rzv
