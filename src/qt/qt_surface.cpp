#include "qt/qt_surface.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QResizeEvent>
#include <algorithm>

#include "qt/qt_convert.h"

namespace pakkon {
namespace {

QPointF px(float x, float y) { return {qreal(x) / kTwipsPerPixel, qreal(y) / kTwipsPerPixel}; }

int buttonBits(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

int shiftBits(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

}  // namespace

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);         // moves without a button arrive too, with Button 0
  pen_.setCapStyle(Qt::FlatCap);  // wide lines take the raster engine's fast path
  pen_.setWidth(penWidth_);
}

PictureWidget::~PictureWidget() { endPainting(); }

void PictureWidget::fitImage() {
  const qreal dpr = devicePixelRatioF();
  const QSize want(std::max(1, qRound(width() * dpr)), std::max(1, qRound(height() * dpr)));
  if (image_.size() == want && image_.devicePixelRatio() == dpr) return;
  endPainting();
  QImage next(want, QImage::Format_RGB32);
  next.setDevicePixelRatio(dpr);
  next.fill(Qt::white);
  if (!image_.isNull()) {
    QPainter p(&next);
    p.drawImage(QPointF(0, 0), image_);
  }
  image_ = std::move(next);
}

QPainter& PictureWidget::painter() {
  if (!painter_.isActive()) {
    fitImage();
    painter_.begin(&image_);
    painter_.setFont(font());
    ascent_ = static_cast<float>(QFontMetricsF(font(), &image_).ascent());
    penColour_ = -1;
  }
  return painter_;
}

void PictureWidget::endPainting() {
  if (painter_.isActive()) painter_.end();
}

void PictureWidget::usePen(int32_t colour) {
  QPainter& p = painter();
  if (colour == penColour_) return;
  pen_.setColor(fncQColor(colour));
  penColour_ = colour;
  p.setPen(pen_);
}

void PictureWidget::drawn() {
  if (repaintPending_) return;
  repaintPending_ = true;
  update();
}

void PictureWidget::clear() {
  painter().fillRect(QRectF(QPointF(0, 0), image_.deviceIndependentSize()), Qt::white);
  drawn();
}

void PictureWidget::line(float x1, float y1, float x2, float y2, int32_t colour) {
  usePen(colour);
  painter_.drawLine(px(x1, y1), px(x2, y2));
  drawn();
}

void PictureWidget::rectangle(float x1, float y1, float x2, float y2, int32_t colour) {
  usePen(colour);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(px(x1, y1), px(x2, y2)).normalized());
  drawn();
}

void PictureWidget::fillRectangle(float x1, float y1, float x2, float y2, int32_t colour) {
  painter().fillRect(QRectF(px(x1, y1), px(x2, y2)).normalized(), fncQColor(colour));
  drawn();
}

void PictureWidget::setPenWidth(int pixels) {
  penWidth_ = pixels;
  pen_.setWidth(pixels);
  penColour_ = -1;  // the painter's pen is stale now
}

void PictureWidget::text(float x, float y, const std::string& caption) {
  QPainter& p = painter();
  p.setPen(Qt::black);
  penColour_ = -1;
  const QPointF at = px(x, y);
  p.drawText(QPointF(at.x(), at.y() + ascent_), QString::fromStdString(caption));
  drawn();
}

void PictureWidget::setPersistent(bool on) {
  persistent_ = on;
  if (!on) return;
  // The redraw is complete: close the painter and show the image.
  endPainting();
  repaintPending_ = true;
  update();
}

const QImage& PictureWidget::image() {
  endPainting();
  fitImage();
  return image_;
}

void PictureWidget::paintEvent(QPaintEvent* event) {
  repaintPending_ = false;
  endPainting();
  fitImage();
  QPainter p(this);
  const QRectF r = event->rect();
  const qreal dpr = image_.devicePixelRatio();
  p.drawImage(r, image_, QRectF(r.topLeft() * dpr, r.size() * dpr));
}

void PictureWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  fitImage();
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  emit mouseDown(buttonBits(event->button()), shiftBits(event->modifiers()), static_cast<float>(p.x() * kTwipsPerPixel),
                 static_cast<float>(p.y() * kTwipsPerPixel));
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  emit mouseMove(buttonBits(event->buttons()), shiftBits(event->modifiers()),
                 static_cast<float>(p.x() * kTwipsPerPixel), static_cast<float>(p.y() * kTwipsPerPixel));
}

}  // namespace pakkon
