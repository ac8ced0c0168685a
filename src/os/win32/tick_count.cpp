#include "os/win32/tick_count.h"

#include <windows.h>

#include "platform/os_parts.h"

namespace rzv {

std::uint64_t TickCount::millisecondsSinceBoot() {
    return GetTickCount64();
}

std::unique_ptr<TickSource> os::makeTickSource() {
    return std::make_unique<TickCount>();
}

}  // namespace rzv
