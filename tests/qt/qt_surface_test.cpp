#include "qt/qt_surface.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QXmlStreamReader>

#include "draw/svg_surface.h"
#include "draw/views.h"

namespace pakkon {
namespace {

struct CountingWidget : PictureWidget {
  int paints = 0;
  void paintEvent(QPaintEvent* e) override { ++paints, PictureWidget::paintEvent(e); }
};

// The pixel at a point given in twips.
QRgb at(const QImage& img, float x, float y) {
  const qreal dpr = img.devicePixelRatio();
  return img.pixel(int(x / 15 * dpr), int(y / 15 * dpr)) & 0xFFFFFF;
}

TEST(QtSurface, DrawsWhereTheTwipsSayAndRepaintsFromItsImage) {
  PuzzleState st;
  st.G_iBox[0][0][0] = 1;
  st.G_lBoxColor[0][0][0][0] = fncRGB(255, 0, 0);
  st.G_lBoxColor[0][0][0][2] = fncRGB(192, 0, 0);
  CountingWidget w;
  w.resize(225, 209);
  w.show();
  QCoreApplication::processEvents();
  w.paints = 0;
  subBox_draw(st, w, kViewStart, kViewStart);
  QCoreApplication::processEvents();
  EXPECT_GE(w.paints, 1);
  for (const QImage& img : {w.image(), w.grab().toImage()}) {
    EXPECT_EQ(img.size(), w.size() * w.devicePixelRatioF());
    EXPECT_EQ(at(img, 1010, 770), 0xFF0000u);   // front face
    EXPECT_EQ(at(img, 1250, 700), 0xC00000u);   // right face hatch
    EXPECT_EQ(at(img, 2362, 1200), 0xC0C0C0u);  // back wall's right edge
    EXPECT_EQ(at(img, 3000, 3000), 0xFFFFFFu);
    int dark = 0;  // "↑Y" at (960, 280)
    for (float y = 280; y < 480; y += 5)
      for (float x = 960; x < 1300; x += 5) dark += qGray(at(img, x, y)) < 100;
    EXPECT_GT(dark, 0);
  }
  w.paints = 0;
  w.setPersistent(false);
  w.setPenWidth(4);
  w.line(150, 1500, 3000, 1500, 0x00FF00);
  QCoreApplication::processEvents();
  EXPECT_GE(w.paints, 1);  // with persistence off the drawing shows at once
  const QImage& img = w.image();
  const qreal dpr = img.devicePixelRatio();
  int rows = 0;
  for (int y = int(90 * dpr); y < int(110 * dpr); ++y) rows += (img.pixel(int(50 * dpr), y) & 0xFFFFFF) == 0x00FF00;
  EXPECT_NEAR(rows, 4 * dpr, 1);
  w.resize(300, 250);
  EXPECT_EQ(at(w.image(), 1010, 770), 0xFF0000u);  // kept across a resize
}

TEST(QtSurface, MouseEventsCarryButtonBitsAndTwips) {
  PictureWidget w;
  std::vector<std::vector<float>> seen;
  QObject::connect(&w, &PictureWidget::mouseDown, [&](int b, int s, float x, float y) {
    seen.push_back({1, float(b), float(s), x, y});
  });
  QObject::connect(&w, &PictureWidget::mouseMove, [&](int b, int s, float x, float y) {
    seen.push_back({0, float(b), float(s), x, y});
  });
  auto send = [&](QEvent::Type type, QPointF pos, Qt::MouseButton b, Qt::MouseButtons held, Qt::KeyboardModifiers m) {
    QMouseEvent e(type, pos, w.mapToGlobal(pos), b, held, m);
    QCoreApplication::sendEvent(&w, &e);
  };
  send(QEvent::MouseButtonPress, {16, 8}, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  send(QEvent::MouseMove, {32.5, 24}, Qt::NoButton, Qt::LeftButton | Qt::MiddleButton, Qt::ShiftModifier);
  send(QEvent::MouseButtonPress, {1, 2}, Qt::RightButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
  send(QEvent::MouseMove, {3, 4}, Qt::NoButton, Qt::NoButton, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(seen, (std::vector<std::vector<float>>{
                      {1, 1, 0, 240, 120}, {0, 5, 1, 487.5, 360}, {1, 2, 0, 15, 30}, {0, 0, 6, 45, 60}}));
}

TEST(SvgDocument, IsWellFormedXml) {
  PuzzleState st;
  subColor_set(st);
  for (int x = 0; x < 4; ++x) st.G_iPiece[7][x][x][x] = 1;
  SvgSurface svg;
  subPiece_draw(st, svg, 7);
  svg.text(0, 0, "<&\"'>");
  QXmlStreamReader xml(QByteArray::fromStdString(svg.document()));
  int elements = 0;
  while (!xml.atEnd()) elements += xml.readNext() == QXmlStreamReader::StartElement;
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GT(elements, 100);
}

}  // namespace
}  // namespace pakkon
