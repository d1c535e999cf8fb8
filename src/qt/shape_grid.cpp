#include "qt/shape_grid.h"

#include <QPainter>

#include "qt/qt_convert.h"

namespace pakkon {
namespace {

QRectF squareTwips(PanelGrid grid, int i) {
  const SquareRect r = fncSquare_rect(grid, i);
  return QRectF(r.Left, r.Top, r.Width, r.Height);
}

}  // namespace

ShapeGrid::ShapeGrid(QWidget* parent, PanelGrid grid) : QWidget(parent), grid_(grid) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  for (int i = 0; i < kPanelSquares; ++i) bounds_ = bounds_.united(squareTwips(grid, i));
  setGeometry(QRectF(bounds_.topLeft() / kTwipsPerPixel, bounds_.size() / kTwipsPerPixel).toAlignedRect());
}

void ShapeGrid::setFills(const PanelSquares& fills) {
  fills_ = fills;
  update();
}

void ShapeGrid::setSquaresVisible(bool visible) {
  visible_ = visible;
  setVisible(visible);
}

void ShapeGrid::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPointF origin = QPointF(x(), y()) * kTwipsPerPixel;
  for (int i = 0; i < kPanelSquares; ++i) {
    const QRectF t = squareTwips(grid_, i);
    const QRectF r((t.topLeft() - origin) / kTwipsPerPixel, t.size() / kTwipsPerPixel);
    // The design's white is the square's ground; a transparent fill shows it.
    p.fillRect(r, Qt::white);
    if (fills_[i].bFilled) {
      const int32_t c = fills_[i].lFillColor;
      p.fillRect(r, fncQColor(c));
    }
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
}

}  // namespace pakkon
