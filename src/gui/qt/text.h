// Texts of the logic, which are UTF-8, as Qt's.
#pragma once

#include <QString>
#include <string>

namespace rzv {

inline QString toQt(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace rzv
