#pragma once
// The two conversions at the Qt boundary: text held as UTF-8, colours held
// as &H00BBGGRR Longs (red in the lowest byte).

#include <QColor>
#include <QString>
#include <cstdint>
#include <string>

namespace pakkon {

inline QString fncQString(const std::string& s) { return QString::fromStdString(s); }

inline QColor fncQColor(int32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

}  // namespace pakkon
