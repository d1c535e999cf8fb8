#pragma once
// The conversions at the Qt boundary: text held as UTF-8, colours held as
// &H00BBGGRR Longs (red in the lowest byte), places held in twips.

#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
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

// Jobs' calls come back on the owner's thread through a queue of our own
// under a mutex, an empty event waking that thread: ThreadSanitizer then
// sees the hand-over, which Qt's own queue (not built with it) hides. The
// inbox is the owner's child, so it goes with the owner and Qt drops its
// pending events; a Jobs member of the owner has joined its threads by then.
class JobInbox final : public QObject {
 public:
  explicit JobInbox(QObject* owner) : QObject(owner) {}
  void post(std::function<void()> f) {
    {
      const std::lock_guard lock(m_);
      calls_.push_back(std::move(f));
    }
    QCoreApplication::postEvent(this, new QEvent(QEvent::User));
  }

 protected:
  // Only the wake-ups come here; the event itself is not read, as it was
  // made on the job's thread.
  bool event(QEvent* /*wake*/) override {
    std::deque<std::function<void()>> due;
    {
      const std::lock_guard lock(m_);
      due.swap(calls_);
    }
    for (std::function<void()>& f : due) f();
    return true;
  }

 private:
  std::mutex m_;
  std::deque<std::function<void()>> calls_;
};

inline JobPost fncQt_poster(QObject* owner) {
  auto* inbox = new JobInbox(owner);
  return [inbox](std::function<void()> f) { inbox->post(std::move(f)); };
}

inline QColor fncQColor(int32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

}  // namespace pakkon
