// The product's name and version, from the build's one version number.
#pragma once

#include "product_version.h"

namespace rzv {

inline constexpr const char* kProductName = RZV_PRODUCT_NAME;
inline constexpr const char* kProductVersion = RZV_VERSION;  // "1.0.0"

}  // namespace rzv
