#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace ui {

// The controls hold QString, the computation units UTF-8 std::string.
inline std::string utf8(const QString& s) {
    return s.toStdString();
}

inline QString qtext(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace ui
