#include "draw/renderer.h"

#include <gtest/gtest.h>

#include "draw/recording_surface.h"
#include "draw/views.h"

namespace pakkon {
namespace {

using Kind = SurfaceCall::Kind;
constexpr int32_t kFront = 0x0000FF, kTop = 0x8080FF, kSide = 0x000080, kWhite = 0xFFFFFF;

SurfaceCall call(Kind kind, float x1, float y1, float x2, float y2, int32_t colour, int pen = 1) {
  SurfaceCall c;
  c.kind = kind, c.x1 = x1, c.y1 = y1, c.x2 = x2, c.y2 = y2, c.colour = colour, c.pen = pen;
  return c;
}
SurfaceCall line(float x1, float y1, float x2, float y2, int32_t colour, int pen = 1) {
  return call(Kind::Line, x1, y1, x2, y2, colour, pen);
}

class Renderer : public ::testing::Test {
 protected:
  void set(int x, int y, int z, int16_t value = 1) {
    st.G_iBox[x][y][z] = value;
    for (int s = 0; s < 3; ++s) st.G_lBoxColor[x][y][z][s] = (s == 0 ? kFront : s == 1 ? kTop : kSide);
  }
  RecordingSurface box(int hscDX, int vscDY) {
    RecordingSurface s;
    subBox_draw(st, s, hscDX, vscDY);
    return s;
  }
  // The cells' calls alone: what lies between the frame and the axes.
  std::vector<SurfaceCall> cells(int hscDX, int vscDY) {
    const ViewInfo view = {840, 600, float(-hscDX), float(vscDY), 350, 350};
    RecordingSurface frame, axes, all;
    subGrid_draw(frame, view, fncScale_default());
    subAxis_draw(axes, view, fncScale_default());
    subCells_draw(all, st.G_iBox, st.G_lBoxColor, view, fncScale_default());
    return {all.calls().begin() + long(frame.calls().size()), all.calls().end() - long(axes.calls().size())};
  }
  PuzzleState st;
};

TEST_F(Renderer, FrameAndCaptionsAtTheStartDirection) {
  EXPECT_EQ(fncDepth_step(kPieceView, fncScale_default()).Ox, -120.0f);
  const RecordingSurface s = box(120, 120);
  EXPECT_FALSE(s.calls().front().on);  // persistence off, clear, ..., persistence on
  EXPECT_EQ(s.calls()[1].kind, Kind::Clear);
  EXPECT_TRUE(s.calls().back().on);
  const auto l = s.calls(Kind::Line);
  ASSERT_EQ(l.size(), 48u);
  EXPECT_EQ(l[0], line(960, 480, 960, 1880, 0xC0C0C0));  // back wall (960, 480)-(2360, 1880)
  EXPECT_EQ(l[9], line(2360, 1880, 960, 1880, 0xC0C0C0));
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(l[9 + k], line(960 - 120 * k, 480 + 120 * k, 960 - 120 * k, 1880 + 120 * k, kFrameGrey[k], k));
    EXPECT_EQ(l[16 + k], line(960 - 120 * k, 1880 + 120 * k, 2360 - 120 * k, 1880 + 120 * k, kFrameGrey[k], k));
  }
  const float d[5] = {0, -20, -10, 10, 20};
  for (int k = 0; k <= 4; ++k)
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(l[21 + 5 * k + i], line(960 + 350 * k, 1880, 480 + 350 * k + d[i], 2360, k % 4 ? 0xE0E0E0 : 0xC0C0C0));
  EXPECT_EQ(l[46], line(960, 480, 480, 960, 0xC0C0C0));  // depth axis
  const auto t = s.calls(Kind::Text);
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0].text + t[1].text + t[2].text + t[3].text, "↑Y・Z→X");
  EXPECT_EQ(std::vector<float>({t[0].x1, t[0].y1, t[1].x1, t[1].y1, t[2].x1, t[2].y1, t[3].x1, t[3].y1}),
            std::vector<float>({960, 280, 280, 1110, 280, 1260, 2560, 480}));
}

TEST_F(Renderer, SeenFromBelowTheCeilingFanIsLightButAtItsFarEnd) {
  const auto l = box(120, -120).calls(Kind::Line);
  ASSERT_EQ(l.size(), 48u);
  for (int k = 0; k <= 4; ++k)
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(l[21 + 5 * k + i].y1, 720) << k;  // the ceiling, at the back wall's top
      EXPECT_EQ(l[21 + 5 * k + i].colour, k == 4 ? 0xC0C0C0 : 0xE0E0E0) << k;
    }
}

TEST_F(Renderer, LoneCellAtTheStartDirection) {
  set(0, 0, 0);
  const auto c = cells(120, 120);
  ASSERT_EQ(c.size(), 2u + 34 + 3 + 32 + 2);
  EXPECT_EQ(c[0], call(Kind::FillRectangle, 840, 600, 1180, 940, kFront));
  EXPECT_EQ(c[1], call(Kind::Rectangle, 840, 600, 1180, 940, kWhite));
  EXPECT_EQ(c[2], line(860, 590, 980, 480, kTop));
  EXPECT_EQ(c[35], line(1190, 590, 1310, 480, kTop));
  EXPECT_EQ(c[36], line(840, 600, 960, 480, kWhite));
  EXPECT_EQ(c[37], line(1190, 600, 1310, 480, kWhite));
  EXPECT_EQ(c[38], line(960, 480, 1310, 480, kWhite));
  EXPECT_EQ(c[39], line(1190, 620, 1310, 500, kSide));
  EXPECT_EQ(c[70], line(1190, 930, 1310, 810, kSide));
  EXPECT_EQ(c[71], line(1310, 480, 1310, 830, kWhite));
  EXPECT_EQ(c[72], line(1190, 940, 1310, 820, kWhite));
}

TEST_F(Renderer, ZeroDxDrawsBottomAndLeftFacesFromTheRight) {
  set(0, 0, 0);
  set(3, 0, 0);
  const auto c = cells(0, 120);
  ASSERT_EQ(c.size(), 2u * 73);
  EXPECT_EQ(c[0].x1, 1890);                            // x = 3 first
  EXPECT_EQ(c[75], line(860, 940, 860, 950, kTop));    // bottom hatch
  EXPECT_EQ(c[112], line(840, 620, 840, 620, kSide));  // left hatch, zero length
  const auto t = box(0, -300).calls(Kind::Text);
  EXPECT_EQ(t[0].text + t[3].text, "↓YX←");
  EXPECT_EQ(t[0].y1, 2200);
  EXPECT_EQ(t[3].x1, 2040);
}

TEST_F(Renderer, NegativeDxShowsLeftFacesAndOnlyTheDirectionMatters) {
  set(1, 1, 3);
  const auto c = cells(-120, 120);
  ASSERT_EQ(c.size(), 73u);
  EXPECT_EQ(c[0].x1, 1550);
  EXPECT_EQ(c[39], line(1550, 1330, 1430, 1210, kSide));                                        // left face hatch
  EXPECT_EQ(box(-120, 120).calls(Kind::Line)[10], line(2240, 600, 2240, 2000, kFrameGrey[1]));  // right wall
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 4; ++y) set(x, y, (x + y) % 4, int16_t(x + 2));
  EXPECT_EQ(box(120, 120).calls(), box(800, 800).calls());
  EXPECT_EQ(box(-120, 120).calls(), box(-800, 800).calls());
  EXPECT_EQ(box(300, -100).calls(), box(600, -200).calls());
}

TEST_F(Renderer, HiddenCellsDrawNothingAndOuterCellsThreeFaces) {
  set(1, 1, 3), set(1, 0, 2), set(2, 1, 2);
  const auto without = cells(120, 120);
  set(1, 1, 2);
  EXPECT_EQ(cells(120, 120), without);

  for (int i = 0; i < 64; ++i) set(i / 16, i / 4 % 4, i % 4);
  int fills = 0, tops = 0, sides = 0;
  for (const SurfaceCall& c : cells(120, 120)) {
    fills += c.kind == Kind::FillRectangle;
    tops += c.colour == kTop;
    sides += c.colour == kSide;
  }
  EXPECT_EQ(fills, 16);
  EXPECT_EQ(tops, 16 * 34);
  EXPECT_EQ(sides, 16 * 32);
}

}  // namespace
}  // namespace pakkon
