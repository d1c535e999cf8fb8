#include "draw/views.h"

#include <gtest/gtest.h>

#include <cstring>

#include "draw/recording_surface.h"

namespace pakkon {
namespace {

using Kind = SurfaceCall::Kind;

class PieceView : public ::testing::Test {
 protected:
  void SetUp() override {
    subColor_set(st);
    st.sngScale = fncScale_default();
  }
  RecordingSurface draw(int piece) {
    RecordingSurface s;
    subPiece_draw(st, s, piece);
    return s;
  }
  PuzzleState st;
};

TEST_F(PieceView, UsesTheBlocksColourRowAndLeavesPersistenceAlone) {
  st.G_iPiece[0][0][0][0] = 1;
  st.G_iPiece[7][2][1][3] = 1;
  for (int piece : {0, 7}) {
    const RecordingSurface s = draw(piece);
    EXPECT_EQ(s.calls().front().kind, Kind::Clear);
    EXPECT_TRUE(s.calls(Kind::Persistent).empty());
    const auto fills = s.calls(Kind::FillRectangle);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].colour, st.G_lColor[piece + 1][0]);
  }
  EXPECT_EQ(draw(0).calls(Kind::FillRectangle)[0].colour, fncRGB(192, 192, 192));
  const RecordingSurface magenta = draw(7);
  EXPECT_EQ(magenta.calls(Kind::FillRectangle)[0].colour, fncRGB(255, 0, 255));
  bool light = false, dark = false;
  for (const SurfaceCall& c : magenta.calls(Kind::Line)) {
    light |= c.colour == fncRGB(255, 192, 255);
    dark |= c.colour == fncRGB(128, 0, 128);
  }
  EXPECT_TRUE(light && dark);
}

TEST_F(PieceView, IsTheBoxViewAtTheStartDirection) {
  st.G_iPiece[3][1][2][1] = 1;
  st.G_iPiece[3][1][1][1] = 1;
  PuzzleState box = st;
  std::memcpy(box.G_iBox, st.G_iPiece[3], sizeof box.G_iBox);
  subPieceColors_get(3, st.G_iPiece, box.G_lBoxColor, st.G_lColor);
  RecordingSurface boxView;
  subBox_draw(box, boxView, kViewStart, kViewStart);
  auto expected = boxView.calls();
  expected.erase(expected.begin());  // persistence off
  expected.pop_back();               // persistence on
  EXPECT_EQ(draw(3).calls(), expected);
}

TEST_F(PieceView, AnEmptyBlockDrawsFrameAndAxesOnly) {
  const RecordingSurface s = draw(5);
  RecordingSurface frame;
  frame.clear();
  subGrid_draw(frame, kPieceView, st.sngScale);
  subAxis_draw(frame, kPieceView, st.sngScale);
  EXPECT_EQ(s.calls(), frame.calls());
}

TEST_F(PieceView, LeavesNoTraceOfThePreviousBlock) {
  for (int x = 0; x < 4; ++x) st.G_iPiece[7][x][0][0] = st.G_iPiece[7][x][3][3] = 1;
  st.G_iPiece[2][1][1][1] = 1;
  PuzzleState fresh = st;
  RecordingSurface s;
  subPiece_draw(st, s, 7);
  s.forget();
  subPiece_draw(st, s, 2);
  RecordingSurface direct;
  subPiece_draw(fresh, direct, 2);
  EXPECT_EQ(s.calls(), direct.calls());
  for (int x = 0; x < 4; ++x) EXPECT_EQ(st.G_iBoxWork[x][3][3], 0);
  EXPECT_EQ(st.G_iBoxWork[1][1][1], 1);
}

TEST(PieceColours, OnlyCellsHoldingOneTakeTheRow) {
  PuzzleState st;
  subColor_set(st);
  st.G_iPiece[4][0][0][0] = 1;
  st.G_iPiece[4][1][0][0] = 2;
  ColourGrid colours = {};
  colours[2][0][0][1] = 77;
  subPieceColors_get(4, st.G_iPiece, colours, st.G_lColor);
  for (int s = 0; s < kShades; ++s) EXPECT_EQ(colours[0][0][0][s], st.G_lColor[5][s]);
  EXPECT_EQ(colours[1][0][0][0], 0);
  EXPECT_EQ(colours[2][0][0][1], 77);
  Grid cells;
  subPieceCells_get(4, st.G_iPiece, cells);
  EXPECT_EQ(cells[1][0][0], 2);
}

TEST(Drag, DependsOnlyOnTheOffsetFromThePress) {
  auto drag = [](float dx, float dy) { return fncDrag_view(1000, 1500, 1000 + dx, 1500 + dy); };
  DragView v = drag(240, 240);
  EXPECT_TRUE(v.bSetDX && v.bSetDY);
  EXPECT_EQ(v.hscDX, -120);
  EXPECT_EQ(v.vscDY, 120);

  v = drag(-300, 0);  // sideways only: depth recedes horizontally
  EXPECT_EQ(v.hscDX, 150);
  EXPECT_TRUE(v.bSetDY);
  EXPECT_EQ(v.vscDY, 0);

  v = drag(1601, 90);
  EXPECT_FALSE(v.bSetDX);
  EXPECT_TRUE(v.bSetDY);
  EXPECT_EQ(v.vscDY, 45);
  EXPECT_TRUE(drag(-1600, 0).bSetDX);  // the limits themselves are allowed
  EXPECT_EQ(drag(-1600, 0).hscDX, 800);
  EXPECT_FALSE(drag(0, -1602).bSetDY);

  // Halves go to the even neighbour.
  EXPECT_EQ(drag(1, 1).hscDX, 0);
  EXPECT_EQ(drag(3, 3).hscDX, -2);
  EXPECT_EQ(drag(5, 5).hscDX, -2);
  EXPECT_EQ(drag(1, 1).vscDY, 0);
  EXPECT_EQ(drag(3, 3).vscDY, 2);
  EXPECT_EQ(drag(5, 5).vscDY, 2);
}

}  // namespace
}  // namespace pakkon
