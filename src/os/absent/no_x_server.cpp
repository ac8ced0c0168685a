#include "platform/os_parts.h"

namespace rzv {

bool os::xServerAnswers() {
    return false;
}

}  // namespace rzv
