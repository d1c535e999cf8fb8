#pragma once
// The conversions at the Qt boundary: text held as UTF-8, colours held as
// &H00BBGGRR Longs (red in the lowest byte), places held in twips.

#include <QColor>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>
#include <utility>

#include "platform/jobs.h"

namespace pakkon {

inline constexpr int kTwipsPerPixel = 15;

// A control at its design place, given in twips.
inline void subTwips_place(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel);
}

inline QString fncQString(const std::string& s) { return QString::fromStdString(s); }

// Jobs' calls come back as queued calls on the owner's thread; Qt drops
// them when the owner has gone.
inline JobPost fncQt_poster(QObject* owner) {
  return [owner](std::function<void()> f) { QMetaObject::invokeMethod(owner, std::move(f), Qt::QueuedConnection); };
}

inline QColor fncQColor(int32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

}  // namespace pakkon
