#include "draw/views.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "draw/recording_surface.h"

namespace pakkon {
namespace {

using Kind = SurfaceCall::Kind;

TEST(LandingPreview, OutlinesInTheBlocksColourOrInRedWithCrosses) {
  PuzzleState st;
  subColor_set(st);
  subCellSize_set(st, 3, 3, 3);
  st.G_iPiece[3][0][0][0] = st.G_iPiece[3][1][0][0] = 1;  // block 4, two cells side by side
  st.G_iBox[2][2][2] = 1;
  auto draw = [&](const LandingPreview& p) {
    RecordingSurface s;
    subBox_draw(st, s, kViewStart, kViewStart, {}, p);
    return s;
  };
  const RecordingSurface plain = draw({});
  EXPECT_EQ(fncLanding_preview(st, 3).fits, true);
  const RecordingSurface fits = draw(fncLanding_preview(st, 3));
  // The plain picture, then the outline in block 4's dark shade with pen 2.
  ASSERT_GT(fits.calls().size(), plain.calls().size());
  EXPECT_TRUE(std::equal(plain.calls().begin(), plain.calls().end() - 1, fits.calls().begin()));
  const auto outline = fits.calls(Kind::Rectangle);
  EXPECT_EQ(outline.back().colour, fncRGB(192, 192, 0));
  EXPECT_EQ(outline.back().pen, kPreviewPen);
  const size_t plainLines = plain.calls(Kind::Line).size();
  EXPECT_EQ(fits.calls(Kind::Line).size(), plainLines + 8);  // the edges two cubes show together

  st.G_iBox[1][0][0] = 1;  // overlap
  EXPECT_FALSE(fncLanding_preview(st, 3).fits);
  const RecordingSurface refused = draw(fncLanding_preview(st, 3));
  // Crossed, on a rim that sets it apart from every block's colour.
  const auto faces = refused.calls(Kind::Rectangle);
  EXPECT_EQ(faces.back().colour, kPreviewRefused);
  EXPECT_TRUE(std::any_of(faces.begin(), faces.end(),
                          [](const auto& f) { return f.colour == kPreviewRefusedRim && f.pen > kPreviewPen; }));
  EXPECT_EQ(refused.calls(Kind::Line).size(), draw({}).calls(Kind::Line).size() + 2 * (8 + 4));
  for (int b = 0; b < kPieces; ++b)
    for (int shade = 0; shade < 3; ++shade) EXPECT_NE(st.G_lColor[b + 1][shade], kPreviewRefused) << "block " << b + 1;
  st.G_iBox[1][0][0] = 0;
  st.G_iPiece[3][0][0][0] = 0, st.G_iPiece[3][3][0][0] = 1;  // beyond the box (x = 3)
  EXPECT_FALSE(fncLanding_preview(st, 3).fits);
  st.G_iPiece[3][3][0][0] = 0, st.G_iPiece[3][2][0][0] = 1;  // cells 1 and 2: inside again
  EXPECT_TRUE(fncLanding_preview(st, 3).fits);
  st.G_iPiece[3][2][0][0] = 0, st.G_iPiece[3][1][3][0] = 1;  // y = 3
  EXPECT_FALSE(fncLanding_preview(st, 3).fits);
}

TEST(PieceView, DrawsTheBlockInItsRowAndLeavesNoTrace) {
  PuzzleState st;
  subColor_set(st);
  st.G_iPiece[0][0][0][0] = 1;
  for (int x = 0; x < 4; ++x) st.G_iPiece[7][x][3][3] = 1;
  st.G_iPiece[7][0][0][0] = 2;  // drawn, but not coloured
  const PuzzleState fresh = st;
  RecordingSurface s;
  subPiece_draw(st, s, 7);
  EXPECT_EQ(s.calls().front().kind, Kind::Clear);
  EXPECT_TRUE(s.calls(Kind::Persistent).empty());
  const auto fills = s.calls(Kind::FillRectangle);
  ASSERT_EQ(fills.size(), 5u);
  EXPECT_EQ(fills[0].colour, 0);
  EXPECT_EQ(fills[1].colour, fncRGB(255, 0, 255));  // block 8: magenta

  s.forget();
  subPiece_draw(st, s, 0);
  EXPECT_EQ(s.calls(Kind::FillRectangle)[0].colour, fncRGB(192, 192, 192));  // block 1: grey
  RecordingSurface direct;
  PuzzleState other = fresh;
  subPiece_draw(other, direct, 0);
  EXPECT_EQ(s.calls(), direct.calls());
  EXPECT_EQ(st.G_iBoxWork[3][3][3], 0);

  s.forget();
  subPiece_draw(st, s, 5);  // an empty block: frame and axes only
  EXPECT_TRUE(s.calls(Kind::FillRectangle).empty());
  EXPECT_EQ(s.calls(Kind::Line).size(), 48u);
}

TEST(Drag, DependsOnlyOnTheOffsetFromThePress) {
  auto drag = [](float dx, float dy) { return fncDrag_view(1000, 1500, 1000 + dx, 1500 + dy); };
  const DragView v = drag(240, 240);
  EXPECT_TRUE(v.bSetDX && v.bSetDY);
  EXPECT_EQ(v.hscDX * 1000 + v.vscDY, -120 * 1000 + 120);
  EXPECT_EQ(drag(-300, 0).vscDY, 0);
  EXPECT_TRUE(drag(-300, 0).bSetDY);
  EXPECT_FALSE(drag(1601, 90).bSetDX);
  EXPECT_EQ(drag(1601, 90).vscDY, 45);
  EXPECT_EQ(drag(-1600, 0).hscDX, 800);  // the limit itself is allowed
  EXPECT_FALSE(drag(0, -1602).bSetDY);
  for (int d : {1, 3, 5}) {  // halves to even: 0.5, 1.5, 2.5
    EXPECT_EQ(drag(float(d), float(d)).hscDX, d == 1 ? 0 : -2);
    EXPECT_EQ(drag(float(d), float(d)).vscDY, d == 1 ? 0 : 2);
  }
}

}  // namespace
}  // namespace pakkon
