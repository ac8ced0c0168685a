#include "app/program_name.h"

#include "core/product.h"
#include "platform/executable_name.h"

namespace rzv {

std::string programNameFrom(std::string_view path) {
    std::string name = fileStemOf(path);
    return name.empty() ? kProductName : name;
}

}  // namespace rzv
