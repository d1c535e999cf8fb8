#include "draw/renderer.h"

#include <gtest/gtest.h>

#include "draw/recording_surface.h"
#include "draw/views.h"

namespace pakkon {
namespace {

using Kind = SurfaceCall::Kind;

SurfaceCall lineCall(float x1, float y1, float x2, float y2, int32_t colour, int pen = 1) {
  SurfaceCall c;
  c.kind = Kind::Line;
  c.x1 = x1, c.y1 = y1, c.x2 = x2, c.y2 = y2, c.colour = colour, c.pen = pen;
  return c;
}

SurfaceCall rectCall(Kind kind, float x1, float y1, float x2, float y2, int32_t colour) {
  SurfaceCall c = lineCall(x1, y1, x2, y2, colour);
  c.kind = kind;
  return c;
}

constexpr int32_t kFront = 0x0000FF, kTop = 0x8080FF, kSide = 0x000080;

class Renderer : public ::testing::Test {
 protected:
  void SetUp() override { st.sngScale = fncScale_default(); }
  void set(int x, int y, int z, int16_t value = 1) {
    st.G_iBox[x][y][z] = value;
    st.G_lBoxColor[x][y][z][0] = kFront;
    st.G_lBoxColor[x][y][z][1] = kTop;
    st.G_lBoxColor[x][y][z][2] = kSide;
  }
  RecordingSurface box(int hscDX, int vscDY) {
    RecordingSurface s;
    subBox_draw(st, s, hscDX, vscDY);
    return s;
  }
  // The calls for the cells alone: what lies between the frame and the axes.
  std::vector<SurfaceCall> cellCalls(int hscDX, int vscDY) {
    const ViewInfo view = {840, 600, static_cast<float>(-hscDX), static_cast<float>(vscDY), 350, 350};
    RecordingSurface frame, axes, all;
    subGrid_draw(frame, view, st.sngScale);
    subAxis_draw(axes, view, st.sngScale);
    subCells_draw(all, st.G_iBox, st.G_lBoxColor, view, st.sngScale);
    const auto& c = all.calls();
    return {c.begin() + static_cast<long>(frame.calls().size()),
            c.end() - static_cast<long>(axes.calls().size())};
  }
  PuzzleState st;
};

TEST(DepthStep, FollowsOnlyTheDirectionAndCollapsesWhenDxIsZero) {
  const float scale = fncScale_default();
  EXPECT_FLOAT_EQ(scale, 169.70563f);
  auto step = [&](float dx, float dy) { return fncDepth_step({840, 600, dx, dy, 350, 350}, scale); };
  for (float k : {1.0f, 10.0f / 3, 20.0f / 3}) {
    const DepthStep d = step(-120 * k, 120 * k);
    EXPECT_EQ(d.Ox, -120.0f);
    EXPECT_EQ(d.Oy, 120.0f);
  }
  EXPECT_EQ(step(120, 120).Ox, 120.0f);
  EXPECT_EQ(step(120, -120).Oy, -120.0f);
  EXPECT_EQ(step(-120, 0).Ox, -scale);
  for (float dy : {-800.0f, 0.0f, 120.0f}) {
    EXPECT_EQ(step(0, dy).Ox, 0.0f);
    EXPECT_EQ(step(0, dy).Oy, 0.0f);
  }
}

TEST_F(Renderer, StartUpFrameAndCaptionsMatchTheWorkedExample) {
  const RecordingSurface s = box(120, 120);
  const auto& c = s.calls();
  ASSERT_GE(c.size(), 2u);
  EXPECT_EQ(c.front().kind, Kind::Persistent);
  EXPECT_FALSE(c.front().on);
  EXPECT_EQ(c[1].kind, Kind::Clear);
  EXPECT_EQ(c.back().kind, Kind::Persistent);
  EXPECT_TRUE(c.back().on);

  const auto lines = s.calls(Kind::Line);
  // Back wall, (960, 480) to (2360, 1880).
  EXPECT_EQ(lines[0], lineCall(960, 480, 960, 1880, 0xC0C0C0));
  EXPECT_EQ(lines[3], lineCall(2010, 480, 2010, 1880, 0xE0E0E0));
  EXPECT_EQ(lines[4], lineCall(2360, 480, 2360, 1880, 0xC0C0C0));
  EXPECT_EQ(lines[5], lineCall(2360, 480, 960, 480, 0xE0E0E0));
  EXPECT_EQ(lines[9], lineCall(2360, 1880, 960, 1880, 0xC0C0C0));
  // Left wall, nearest darkest and widest.
  for (int k = 1; k <= 4; ++k)
    EXPECT_EQ(lines[9 + k], lineCall(960 - 120 * k, 480 + 120 * k, 960 - 120 * k, 1880 + 120 * k, kFrameGrey[k], k));
  for (int k = 1; k <= 3; ++k)
    EXPECT_EQ(lines[13 + k], lineCall(960, 480 + 350 * k, 480, 960 + 350 * k, 0xE0E0E0));
  // Floor.
  for (int k = 1; k <= 4; ++k)
    EXPECT_EQ(lines[16 + k], lineCall(960 - 120 * k, 1880 + 120 * k, 2360 - 120 * k, 1880 + 120 * k, kFrameGrey[k], k));
  // Fans: 5 x 5 lines ending at y = 2360, dark at the floor's two ends.
  const float d[5] = {0, -20, -10, 10, 20};
  for (int k = 0; k <= 4; ++k)
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(lines[21 + 5 * k + i], lineCall(960 + 350 * k, 1880, 480 + 350 * k + d[i], 2360,
                                                k == 0 || k == 4 ? 0xC0C0C0 : 0xE0E0E0));
  // Axes.
  ASSERT_EQ(lines.size(), 48u);
  EXPECT_EQ(lines[46], lineCall(960, 480, 480, 960, 0xC0C0C0));
  EXPECT_EQ(lines[47], lineCall(960, 480, 2360, 480, 0xC0C0C0));
  const auto texts = s.calls(Kind::Text);
  ASSERT_EQ(texts.size(), 4u);
  const struct {
    const char* text;
    float x, y;
  } captions[] = {{"↑Y", 960, 280}, {"・", 280, 1110}, {"Z", 280, 1260}, {"→X", 2560, 480}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(texts[i].text, captions[i].text);
    EXPECT_EQ(texts[i].x1, captions[i].x);
    EXPECT_EQ(texts[i].y1, captions[i].y);
  }
  EXPECT_EQ(s.penWidth(), 1);
}

TEST_F(Renderer, LoneCellMatchesTheWorkedExample) {
  set(0, 0, 0);
  const auto c = cellCalls(120, 120);
  ASSERT_EQ(c.size(), 2u + 34 + 3 + 32 + 2);
  EXPECT_EQ(c[0], rectCall(Kind::FillRectangle, 840, 600, 1180, 940, kFront));
  EXPECT_EQ(c[1], rectCall(Kind::Rectangle, 840, 600, 1180, 940, 0xFFFFFF));
  for (int i = 0; i < 34; ++i) EXPECT_EQ(c[2 + i], lineCall(860 + 10 * i, 590, 980 + 10 * i, 480, kTop));
  EXPECT_EQ(c[35], lineCall(1190, 590, 1310, 480, kTop));
  EXPECT_EQ(c[36], lineCall(840, 600, 960, 480, 0xFFFFFF));
  EXPECT_EQ(c[37], lineCall(1190, 600, 1310, 480, 0xFFFFFF));
  EXPECT_EQ(c[38], lineCall(960, 480, 1310, 480, 0xFFFFFF));
  for (int i = 0; i < 32; ++i) EXPECT_EQ(c[39 + i], lineCall(1190, 620 + 10 * i, 1310, 500 + 10 * i, kSide));
  EXPECT_EQ(c[70], lineCall(1190, 930, 1310, 810, kSide));
  EXPECT_EQ(c[71], lineCall(1310, 480, 1310, 830, 0xFFFFFF));
  EXPECT_EQ(c[72], lineCall(1190, 940, 1310, 820, 0xFFFFFF));
}

TEST_F(Renderer, FrameKeepsTheLeftoverPenForTheBackWallAndEndsWithOne) {
  RecordingSurface s;
  s.setPenWidth(3);
  subGrid_draw(s, kPieceView, st.sngScale);
  const auto lines = s.calls(Kind::Line);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(lines[i].pen, 3) << i;
  EXPECT_EQ(lines[10].pen, 1);
  EXPECT_EQ(s.penWidth(), 1);
}

TEST_F(Renderer, ZeroDxCollapsesDepthAndDrawsBottomAndLeftFacesFromTheRight) {
  set(0, 0, 0);
  set(3, 0, 0);
  const auto c = cellCalls(0, 120);
  // Each cell: front (2), bottom (34 + 3), left (32 + 2); x = 3 first.
  ASSERT_EQ(c.size(), 2u * 73);
  EXPECT_EQ(c[0], rectCall(Kind::FillRectangle, 1890, 600, 2230, 940, kFront));
  EXPECT_EQ(c[73], rectCall(Kind::FillRectangle, 840, 600, 1180, 940, kFront));
  EXPECT_EQ(c[75], lineCall(860, 940, 860, 950, kTop));  // bottom hatch: (t, Y+H-10)-(t, Y+H)
  EXPECT_EQ(c[75 + 37], lineCall(840, 620, 840, 620, kSide));  // left hatch, zero length

  const RecordingSurface s = box(0, -300);
  const auto texts = s.calls(Kind::Text);
  EXPECT_EQ(texts[0].text, "↓Y");
  EXPECT_EQ(texts[0].y1, 600 + 1400 + 200);
  EXPECT_EQ(texts[1].x1, 840 + 1400 + 200);  // depth axis on the right, caption right of its end
  EXPECT_EQ(texts[3].text, "X←");
  EXPECT_EQ(texts[3].x1, 2240 - 200);
}

TEST_F(Renderer, NegativeDxShowsLeftFacesAndTheRightWall) {
  set(1, 1, 3);
  const auto c = cellCalls(-120, 120);  // sngDX = 120: depth recedes up and left
  ASSERT_EQ(c.size(), 73u);
  // Front at (1190, 950) + 3 * (120, 120).
  EXPECT_EQ(c[0], rectCall(Kind::FillRectangle, 1550, 1310, 1890, 1650, kFront));
  EXPECT_EQ(c[2], lineCall(1570, 1300, 1450, 1190, kTop));
  EXPECT_EQ(c[39], lineCall(1550, 1330, 1430, 1210, kSide));
  const auto lines = box(-120, 120).calls(Kind::Line);
  EXPECT_EQ(lines[10], lineCall(720 + 1400 + 120, 600, 720 + 1400 + 120, 2000, kFrameGrey[1], 1));
}

TEST_F(Renderer, OnlyTheDirectionMatters) {
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 4; ++y) set(x, y, (x + y) % 4);
  EXPECT_EQ(box(120, 120).calls(), box(800, 800).calls());
  EXPECT_EQ(box(-120, 120).calls(), box(-800, 800).calls());
  EXPECT_EQ(box(300, -100).calls(), box(600, -200).calls());
  EXPECT_NE(box(120, 120).calls(), box(-120, 120).calls());
}

TEST_F(Renderer, BottomFacesWhenDepthRecedesDownward) {
  set(2, 3, 3);
  const auto c = cellCalls(120, -120);
  ASSERT_EQ(c.size(), 73u);
  // Front at (1540, 1650) + 3 * (-120, -120) = (1180, 1290).
  EXPECT_EQ(c[2], lineCall(1200, 1630, 1320, 1760, kTop));
  EXPECT_EQ(c[35], lineCall(1530, 1630, 1650, 1760, kTop));
}

TEST_F(Renderer, AHiddenCellDrawsNothingAndOuterCellsShowThreeFaces) {
  set(1, 1, 3);
  set(1, 0, 2);
  set(2, 1, 2);
  const auto without = cellCalls(120, 120);
  set(1, 1, 2);
  EXPECT_EQ(cellCalls(120, 120), without);

  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 4; ++y)
      for (int z = 0; z < 4; ++z) set(x, y, z, static_cast<int16_t>(1 + x));  // any non-zero value
  st.G_lBoxColor[3][0][3][0] = 0x123456;
  const auto full = cellCalls(120, 120);
  int fills = 0, tops = 0, sides = 0;
  for (const SurfaceCall& c : full) {
    fills += c.kind == Kind::FillRectangle;
    tops += c.kind == Kind::Line && c.colour == kTop;
    sides += c.kind == Kind::Line && c.colour == kSide;
  }
  EXPECT_EQ(fills, 16);
  EXPECT_EQ(tops, 16 * 34);
  EXPECT_EQ(sides, 16 * 32);
  // (3, 0, 3) shows all three faces; below it, (3, 1..3, 3) show front and side only.
  EXPECT_EQ(full[full.size() - 3 * 36 - 73], rectCall(Kind::FillRectangle, 1530, 960, 1870, 1300, 0x123456));
}

}  // namespace
}  // namespace pakkon
