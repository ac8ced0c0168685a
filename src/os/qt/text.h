// Texts of the logic, which are UTF-8, as Qt's.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace rzv {

inline QString toQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toStd(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace rzv
