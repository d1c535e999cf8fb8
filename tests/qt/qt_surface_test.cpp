#include "platform/qt/qt_surface.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QXmlStreamReader>

#include "draw/svg_surface.h"
#include "draw/views.h"

namespace pakkon {
namespace {

class CountingWidget : public PictureWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent* e) override {
    ++paints;
    PictureWidget::paintEvent(e);
  }
};

class QtSurface : public ::testing::Test {
 protected:
  void SetUp() override {
    w.resize(225, 209);
    st.sngScale = fncScale_default();
    st.G_iBox[0][0][0] = 1;
    st.G_lBoxColor[0][0][0][0] = fncRGB(255, 0, 0);
    st.G_lBoxColor[0][0][0][1] = fncRGB(255, 192, 192);
    st.G_lBoxColor[0][0][0][2] = fncRGB(192, 0, 0);
  }
  // The pixel at a point given in twips.
  QRgb at(const QImage& img, float x, float y) {
    const qreal dpr = img.devicePixelRatio();
    return img.pixel(int(x / 15 * dpr), int(y / 15 * dpr)) & 0xFFFFFF;
  }
  bool anyDark(const QImage& img, float x1, float y1, float x2, float y2) {
    for (float y = y1; y < y2; y += 7)
      for (float x = x1; x < x2; x += 7)
        if (qGray(at(img, x, y)) < 100) return true;
    return false;
  }
  CountingWidget w;
  PuzzleState st;
};

TEST_F(QtSurface, DrawsTheBoxViewWhereTheTwipsSay) {
  subBox_draw(st, w, kViewStart, kViewStart);
  const QImage& img = w.image();
  EXPECT_EQ(img.size(), (w.size() * w.devicePixelRatioF()));
  EXPECT_EQ(img.devicePixelRatio(), w.devicePixelRatioF());
  EXPECT_EQ(at(img, 1010, 770), 0xFF0000u);  // front face centre
  EXPECT_EQ(at(img, 1250, 700), 0xC00000u);  // right face, hatched dark red
  EXPECT_EQ(at(img, 3000, 3000), 0xFFFFFFu);
  EXPECT_EQ(at(img, 2362, 1200), 0xC0C0C0u);  // back wall's right edge
  EXPECT_TRUE(anyDark(img, 960, 280, 1300, 480));  // "↑Y"
  EXPECT_FALSE(anyDark(img, 1500, 2600, 3300, 3100));
  EXPECT_TRUE(w.persistent());

  w.clear();
  EXPECT_EQ(at(w.image(), 1010, 770), 0xFFFFFFu);
}

TEST_F(QtSurface, PenWidthIsInPixels) {
  w.clear();
  w.setPenWidth(4);
  EXPECT_EQ(w.penWidth(), 4);
  w.line(150, 1500, 3000, 1500, 0x00FF00);
  w.setPenWidth(1);
  w.line(150, 2250, 3000, 2250, 0x00FF00);
  const QImage& img = w.image();
  const int x = int(1500 / 15 * img.devicePixelRatio());
  auto rows = [&](int y0) {
    int n = 0;
    for (int y = y0 - 8; y <= y0 + 8; ++y) n += (img.pixel(x, y) & 0xFFFFFF) == 0x00FF00;
    return n;
  };
  const qreal dpr = img.devicePixelRatio();
  EXPECT_NEAR(rows(int(100 * dpr)), 4 * dpr, 1);
  EXPECT_NEAR(rows(int(150 * dpr)), 1 * dpr, 1);
}

TEST_F(QtSurface, RepaintsFromItsImage) {
  w.show();
  QCoreApplication::processEvents();
  w.paints = 0;
  QCoreApplication::processEvents();
  EXPECT_EQ(w.paints, 0);

  w.setPersistent(false);
  w.fillRectangle(0, 0, 1500, 1500, 0x0000FF);
  QCoreApplication::processEvents();
  EXPECT_GE(w.paints, 1);  // drawing with persistence off shows at once

  subBox_draw(st, w, kViewStart, kViewStart);
  w.paints = 0;
  QCoreApplication::processEvents();
  EXPECT_GE(w.paints, 1);
  const QImage screen = w.grab().toImage();
  EXPECT_EQ(at(screen, 1010, 770), 0xFF0000u);
  EXPECT_EQ(at(screen, 3000, 3000), 0xFFFFFFu);

  w.resize(300, 250);  // a bigger surface keeps what was drawn
  EXPECT_EQ(at(w.image(), 1010, 770), 0xFF0000u);
  EXPECT_EQ(at(w.image(), 4000, 3500), 0xFFFFFFu);
}

TEST_F(QtSurface, MouseEventsCarryButtonBitsAndTwips) {
  struct Event {
    bool down;
    int button, shift;
    float x, y;
  };
  std::vector<Event> seen;
  QObject::connect(&w, &PictureWidget::mouseDown,
                   [&](int b, int s, float x, float y) { seen.push_back({true, b, s, x, y}); });
  QObject::connect(&w, &PictureWidget::mouseMove,
                   [&](int b, int s, float x, float y) { seen.push_back({false, b, s, x, y}); });
  auto send = [&](QEvent::Type type, QPointF pos, Qt::MouseButton b, Qt::MouseButtons held,
                  Qt::KeyboardModifiers m = Qt::NoModifier) {
    QMouseEvent e(type, pos, w.mapToGlobal(pos), b, held, m);
    QCoreApplication::sendEvent(&w, &e);
  };
  send(QEvent::MouseButtonPress, {16, 8}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, {32.5, 24}, Qt::NoButton, Qt::LeftButton | Qt::MiddleButton);
  send(QEvent::MouseButtonPress, {1, 2}, Qt::RightButton, Qt::LeftButton | Qt::RightButton, Qt::ShiftModifier);
  send(QEvent::MouseMove, {3, 4}, Qt::NoButton, Qt::NoButton, Qt::ControlModifier | Qt::AltModifier);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_TRUE(seen[0].down);
  EXPECT_EQ(seen[0].button, 1);
  EXPECT_EQ(seen[0].x, 240.0f);
  EXPECT_EQ(seen[0].y, 120.0f);
  EXPECT_FALSE(seen[1].down);
  EXPECT_EQ(seen[1].button, 5);
  EXPECT_EQ(seen[1].x, 487.5f);
  EXPECT_EQ(seen[2].button, 2);  // the button that went down
  EXPECT_EQ(seen[2].shift, 1);
  EXPECT_EQ(seen[3].button, 0);
  EXPECT_EQ(seen[3].shift, 6);
}

TEST(SvgDocument, IsWellFormedXml) {
  PuzzleState st;
  subColor_set(st);
  st.sngScale = fncScale_default();
  for (int x = 0; x < 4; ++x) st.G_iPiece[7][x][x][x] = 1;
  SvgSurface svg;
  subPiece_draw(st, svg, 7);
  svg.text(0, 0, "<&\"'>");
  QXmlStreamReader xml(QByteArray::fromStdString(svg.document()));
  int elements = 0;
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement) ++elements;
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GT(elements, 100);
}

}  // namespace
}  // namespace pakkon
