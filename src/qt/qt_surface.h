#pragma once
// A picture surface on a widget. Everything is drawn into an off-screen image
// at the screen's pixel density; the widget repaints from that image.

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QWidget>

#include "draw/surface.h"

namespace pakkon {

class PictureWidget : public QWidget, public PictureSurface {
  Q_OBJECT

 public:
  explicit PictureWidget(QWidget* parent = nullptr);
  ~PictureWidget() override;

  void clear() override;
  void line(float x1, float y1, float x2, float y2, int32_t colour) override;
  void rectangle(float x1, float y1, float x2, float y2, int32_t colour) override;
  void fillRectangle(float x1, float y1, float x2, float y2, int32_t colour) override;
  void setPenWidth(int pixels) override;
  int penWidth() const override { return penWidth_; }
  void text(float x, float y, const std::string& caption) override;
  void setPersistent(bool on) override;

  bool persistent() const { return persistent_; }
  // What has been drawn so far, finished; device pixels, devicePixelRatio set.
  const QImage& image();

 signals:
  // Button: the button that went down (1 left, 2 right, 4 middle);
  // Shift: 1 Shift, 2 Ctrl, 4 Alt; X, Y in twips of the surface.
  void mouseDown(int Button, int Shift, float X, float Y);
  // Button: every button held, as the same bit set (0 for none).
  void mouseMove(int Button, int Shift, float X, float Y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QPainter& painter();
  void usePen(int32_t colour);
  void endPainting();
  void fitImage();
  void drawn();

  QImage image_;
  // One painter stays open across a redraw; opening one per call costs more
  // than the drawing.
  QPainter painter_;
  QPen pen_;
  int32_t penColour_ = -1;  // colour of pen_, -1 before first use
  int penWidth_ = 1;
  bool persistent_ = true;
  bool repaintPending_ = false;
  float ascent_ = 0;
};

}  // namespace pakkon
