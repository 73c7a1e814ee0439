// QString ↔ the UTF-8 std::string of the Qt-free layers.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace platform {

inline QString QS(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string SS(const QString &s) { return s.toStdString(); }

}  // namespace platform
