#pragma once
// One 4 x 4 layer-panel grid: sixteen rectangle shapes painted by one widget.
// Clicks pass through to the window, which does its own hit test as the
// shapes of the original window did.

#include <QWidget>
#include <array>

#include "draw/layer_panel.h"

namespace pakkon {

class ShapeGrid : public QWidget {
 public:
  ShapeGrid(QWidget* parent, PanelGrid grid);

  void setFills(const PanelSquares& fills);
  void setSquaresVisible(bool visible);
  bool squaresVisible() const { return visible_; }
  const PanelSquares& fills() const { return fills_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PanelGrid grid_;
  PanelSquares fills_{};
  bool visible_ = true;
  QRectF bounds_;  // window twips
};

}  // namespace pakkon
