#include "draw/layer_panel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/scripted_dialogs.h"

namespace pakkon {
namespace {

// The centre of square i, clear of any overlap.
std::pair<float, float> centre(PanelGrid g, int i) {
  const SquareRect r = fncSquare_rect(g, i);
  return {r.Left + r.Width / 2.0f, r.Top + r.Height / 2.0f};
}

TEST(LayerPanel, SquaresSitWhereTheWindowPutsThem) {
  const struct {
    PanelGrid grid;
    int index, left, top;
  } cases[] = {
      {PanelGrid::shpA, 0, 1440, 1800},   {PanelGrid::shpA, 5, 1080, 2160},   {PanelGrid::shpB, 6, 2640, 960},
      {PanelGrid::shpC, 15, 5760, 2880},  {PanelGrid::shpD, 4, 2640, 5280},   {PanelGrid::shpE, 0, 8760, 1800},
      {PanelGrid::shpF, 15, 10440, 1320}, {PanelGrid::shpG, 12, 12840, 1800}, {PanelGrid::shpH, 3, 9360, 6120},
  };
  for (const auto& c : cases) {
    const SquareRect r = fncSquare_rect(c.grid, c.index);
    EXPECT_EQ(r.Left, c.left) << c.index;
    EXPECT_EQ(r.Top, c.top) << c.index;
    EXPECT_EQ(r.Width, 375);
    EXPECT_EQ(r.Height, 375);
  }
}

TEST(LayerPanel, HitTestIsStrictAndTheLowerIndexWinsTheOverlap) {
  // shpE index 0 spans 8760..9135, index 4 spans 8400..8775.
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 8770, 1900), 0);
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 8760, 1900), 4);  // on 0's edge, inside 4
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 8775, 1900), 0);
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 9135, 1900), -1);  // outer edge
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 9000, 1800), -1);
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 9000, 1800.5f), 0);
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 9000, 2170), 0);  // rows overlap too
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 7680, 1900), -1);  // left edge of column 3
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpF, 8000, 500), -1);
  for (int g = 0; g < kPanelGrids; ++g)
    for (int i = 0; i < kPanelSquares; ++i) {
      const auto [x, y] = centre(PanelGrid(g), i);
      EXPECT_EQ(fncPanel_hit(PanelGrid(g), x, y), i);
    }
}

TEST(LayerPanel, CellFromASquare) {
  // j = 2, r = 3.
  EXPECT_EQ(fncPanel_cell(PanelGrid::shpA, 11, 1), (PanelCell{1, 3, 2}));
  EXPECT_EQ(fncPanel_cell(PanelGrid::shpG, 11, 0), (PanelCell{0, 3, 2}));
  EXPECT_EQ(fncPanel_cell(PanelGrid::shpB, 11, 1), (PanelCell{2, 1, 3}));
  EXPECT_EQ(fncPanel_cell(PanelGrid::shpH, 11, 3), (PanelCell{2, 3, 3}));
}

TEST(LayerPanel, BoxGridsShowTheirSlices) {
  PuzzleState st;
  st.G_iBox[1][2][3] = 5;
  st.G_lBoxColor[1][2][3][0] = 0x00FF00;
  st.G_lBoxColor[0][0][0][0] = 0x0000FF;  // a colour left behind in an empty cell
  LayerPanels p;
  for (auto& grid : p) grid.fill({true, 0x777777});
  subBoxPanel_draw(st, 1, 1, 2, 0, p);
  const PanelSquare on{true, 0x00FF00}, off{false, 0};
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(panel(p, PanelGrid::shpA)[i], i == 14 ? on : off) << i;  // z = 3, y = 2
    EXPECT_EQ(panel(p, PanelGrid::shpC)[i], i == 14 ? on : off) << i;
    EXPECT_EQ(panel(p, PanelGrid::shpB)[i], i == 7 ? on : off) << i;  // x = 1, z = 3
    EXPECT_EQ(panel(p, PanelGrid::shpD)[i], off) << i;
    EXPECT_EQ(panel(p, PanelGrid::shpE)[i], (PanelSquare{true, 0x777777}));  // block grids untouched
  }
  // Square 14 of shpA is the cell its hit gives back.
  const auto [x, y] = centre(PanelGrid::shpA, 14);
  EXPECT_EQ(fncPanel_cell(PanelGrid::shpA, fncPanel_hit(PanelGrid::shpA, x, y), 1), (PanelCell{1, 2, 3}));
}

TEST(LayerPanel, BlockGridsShowOnlyCellsHoldingOne) {
  PuzzleState st;
  subColor_set(st);
  st.G_iPiece[2][3][0][1] = 1;
  st.G_iPiece[2][3][0][2] = 2;
  st.G_iPiece[1][3][0][3] = 1;  // another block
  LayerPanels p{};
  subPiecePanel_draw(st, 0, 3, 0, 3, 2, p);
  const PanelSquare on{true, st.G_lColor[3][0]}, off{false, 0};
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(panel(p, PanelGrid::shpG)[i], i == 4 ? on : off) << i;   // x = 3: 4z + y
    EXPECT_EQ(panel(p, PanelGrid::shpF)[i], i == 13 ? on : off) << i;  // y = 0: 4x + z
    EXPECT_EQ(panel(p, PanelGrid::shpE)[i], off);
    EXPECT_EQ(panel(p, PanelGrid::shpH)[i], off);
  }
}

TEST(CellCount, CaptionWarningAndRemaining) {
  PieceGrids pieces = {};
  pieces[0][0][0][0] = pieces[3][1][1][1] = pieces[7][3][3][3] = 1;
  CellCount c = fncCellCount_check(pieces, 27);
  EXPECT_EQ(c.sCaption, "3 : 27");
  EXPECT_FALSE(c.bWarn);
  EXPECT_EQ(c.remaining, 24);
  c = fncCellCount_check(pieces, 2);
  EXPECT_EQ(c.sCaption, "3 : 2");
  EXPECT_TRUE(c.bWarn);
  EXPECT_EQ(c.sCaptionAfter, "2 : 2");
  EXPECT_EQ(c.remaining, -1);
  EXPECT_FALSE(fncCellCount_check(pieces, 3).bWarn);
}

class BlockMaker : public ::testing::Test {
 protected:
  void SetUp() override {
    subCellSize_set(st, 2, 2, 2);
    st.iMakeCells = 8;
    st.iPiece_Sel = 1;
  }
  // Clicks the square of shpE (x = S) that shows (y, z).
  PieceCellClick click(int y, int z, int button = 1, int S = 0) {
    const auto [x, yy] = centre(PanelGrid::shpE, 4 * z + y);
    return subPieceCell_click(st, dialogs, PanelGrid::shpE, S, button, x, yy,
                              [&](const std::string& caption) { shown.push_back(caption); });
  }
  PuzzleState st;
  ScriptedDialogs dialogs;
  std::vector<std::string> shown;
};

TEST_F(BlockMaker, LeftClicksAddAndRemoveACell) {
  PieceCellClick r = click(1, 0);
  EXPECT_TRUE(r.bRedraw);
  EXPECT_EQ(r.sCount, "1 : 8");
  EXPECT_EQ(st.G_iPiece[1][0][1][0], 1);
  EXPECT_EQ(st.G_iPieceOrg[1][0][1][0], 1);
  r = click(1, 0);
  EXPECT_EQ(r.sCount, "0 : 8");
  EXPECT_EQ(st.G_iPiece[1][0][1][0], 0);
  EXPECT_EQ(st.G_iPieceOrg[1][0][1][0], 0);
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(BlockMaker, OutsideTheBoxOrMissingNothingHappens) {
  const PuzzleState before = st;
  EXPECT_FALSE(click(2, 0).bRedraw);         // y = 2 in a box 2 high
  EXPECT_FALSE(click(0, 3).bRedraw);         // z = 3
  EXPECT_FALSE(click(0, 0, 1, 2).bRedraw);   // x = 2
  EXPECT_FALSE(subPieceCell_click(st, dialogs, PanelGrid::shpE, 0, 1, 100, 100).bRedraw);
  EXPECT_EQ(std::memcmp(st.G_iPiece, before.G_iPiece, sizeof st.G_iPiece), 0);
  EXPECT_TRUE(shown.empty());
}

TEST_F(BlockMaker, TheNinthCellIsRefusedWithAWarning) {
  for (int x = 0; x < 2; ++x)
    for (int y = 0; y < 2; ++y)
      for (int z = 0; z < 2; ++z) st.G_iPiece[0][x][y][z] = 1;
  PieceCellClick r = click(1, 1);
  EXPECT_TRUE(r.bRedraw);
  EXPECT_EQ(r.sCount, "8 : 8");
  EXPECT_EQ(shown, (std::vector<std::string>{"9 : 8", "8 : 8"}));
  ASSERT_EQ(dialogs.calls().size(), 1u);
  EXPECT_EQ(dialogs.last().text, "セル数を超過しました。");
  EXPECT_EQ(dialogs.last().title, "作りすぎっ・・・");
  EXPECT_EQ(dialogs.last().icon, MsgIcon::Exclamation);
  EXPECT_EQ(dialogs.last().buttons, MsgButtons::OK);
  EXPECT_EQ(st.G_iPiece[1][0][1][1], 0);
  EXPECT_EQ(st.G_iPieceOrg[1][0][1][1], 0);

  st.iPiece_Sel = 0;
  r = click(1, 1);  // removes block 0's (0, 1, 1)
  EXPECT_EQ(r.sCount, "7 : 8");
  EXPECT_EQ(dialogs.calls().size(), 1u);
}

TEST_F(BlockMaker, OtherButtonsOnlyRefreshTheCounter) {
  st.G_iPiece[1][0][0][0] = 1;
  const PieceCellClick r = click(0, 0, 2);
  EXPECT_TRUE(r.bRedraw);
  EXPECT_EQ(r.sCount, "1 : 8");
  EXPECT_EQ(st.G_iPiece[1][0][0][0], 1);
}

}  // namespace
}  // namespace pakkon
