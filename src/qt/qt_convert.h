#pragma once
// The conversions at the Qt boundary: text held as UTF-8, colours held as
// &H00BBGGRR Longs (red in the lowest byte), places held in twips.

#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>

namespace pakkon {

inline constexpr int kTwipsPerPixel = 15;

// A control at its design place, given in twips.
inline void subTwips_place(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel);
}

inline QString fncQString(const std::string& s) { return QString::fromStdString(s); }

inline QColor fncQColor(int32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

}  // namespace pakkon
