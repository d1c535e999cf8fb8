#pragma once
// A label that reports clicks, like the design's clickable banner.

#include <QLabel>
#include <QMouseEvent>

namespace pakkon {

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(e);
  }
};

}  // namespace pakkon
