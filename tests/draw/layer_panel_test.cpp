#include "draw/layer_panel.h"

#include <gtest/gtest.h>

#include "platform/scripted_dialogs.h"

namespace pakkon {
namespace {

std::pair<float, float> centre(PanelGrid g, int i) {
  const SquareRect r = fncSquare_rect(g, i);
  return {r.Left + r.Width / 2.0f, r.Top + r.Height / 2.0f};
}

TEST(LayerPanel, SquaresHitsAndCells) {
  const SquareRect a5 = fncSquare_rect(PanelGrid::shpA, 5), h3 = fncSquare_rect(PanelGrid::shpH, 3);
  EXPECT_EQ(std::vector<int>({a5.Left, a5.Top, a5.Width, a5.Height, h3.Left, h3.Top}),
            std::vector<int>({1080, 2160, 375, 375, 9360, 6120}));
  EXPECT_EQ(fncSquare_rect(PanelGrid::shpG, 12).Left, 12840);
  // shpE index 0 spans 8760..9135 and 1800..2175; index 4 spans 8400..8775.
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 8770, 1900), 0);  // overlap: the lower index wins
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 8760, 1900), 4);  // on 0's edge, inside 4
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 9135, 1900), -1);
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 9000, 1800), -1);
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 7680, 1900), -1);
  for (int g = 0; g < kPanelGrids; ++g)
    for (int i = 0; i < kPanelSquares; ++i) {
      const auto [x, y] = centre(PanelGrid(g), i);
      EXPECT_EQ(fncPanel_hit(PanelGrid(g), x, y), i);
    }
  EXPECT_EQ(fncPanel_cell(PanelGrid::shpA, 11, 1), (PanelCell{1, 3, 2}));  // j = 2, r = 3
  EXPECT_EQ(fncPanel_cell(PanelGrid::shpH, 11, 0), (PanelCell{2, 0, 3}));
}

TEST(LayerPanel, GridsShowTheirSlices) {
  PuzzleState st;
  subColor_set(st);
  st.G_iBox[1][2][3] = 5;
  st.G_lBoxColor[1][2][3][0] = 0x00FF00;
  st.G_lBoxColor[0][0][0][0] = 0x0000FF;  // left behind in an empty cell
  st.G_iPiece[2][3][0][1] = 1;
  st.G_iPiece[2][3][0][2] = 2;
  LayerPanels p;
  for (auto& grid : p) grid.fill({true, 0x777777});
  subBoxPanel_draw(st, 1, 1, 2, 0, p);
  subPiecePanel_draw(st, 0, 3, 0, 3, 2, p);
  const PanelSquare on{true, 0x00FF00}, off{}, red{true, st.G_lColor[3][0]};
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(panel(p, PanelGrid::shpA)[i], i == 14 ? on : off) << i;  // 4z + y
    EXPECT_EQ(panel(p, PanelGrid::shpC)[i], panel(p, PanelGrid::shpA)[i]);
    EXPECT_EQ(panel(p, PanelGrid::shpB)[i], i == 7 ? on : off) << i;  // 4x + z
    EXPECT_EQ(panel(p, PanelGrid::shpD)[i], off);
    EXPECT_EQ(panel(p, PanelGrid::shpG)[i], i == 4 ? red : off) << i;
    EXPECT_EQ(panel(p, PanelGrid::shpF)[i], i == 13 ? red : off) << i;
    EXPECT_EQ(panel(p, PanelGrid::shpE)[i], off);
  }
  const auto [x, y] = centre(PanelGrid::shpA, 14);
  EXPECT_EQ(fncPanel_cell(PanelGrid::shpA, fncPanel_hit(PanelGrid::shpA, x, y), 1), (PanelCell{1, 2, 3}));
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
    const PanelCell c = fncPanel_cell(PanelGrid::shpE, fncPanel_hit(PanelGrid::shpE, x, yy), S);
    return subPieceCell_edit(
        st, c.x, c.y, c.z, button,
        [this] {
          dialogs.messageBox(fncText(kCellCountWarning), fncText(kCellCountTitle), MsgIcon::Exclamation,
                             MsgButtons::OK);
        },
        [&](const std::string& caption) { shown.push_back(caption); });
  }
  PuzzleState st;
  ScriptedDialogs dialogs;
  std::vector<std::string> shown;
};

TEST_F(BlockMaker, ClicksAddAndRemoveCellsInsideTheBox) {
  EXPECT_EQ(click(1, 0).sCount, "1 : 8");
  EXPECT_EQ(st.G_iPiece[1][0][1][0] + st.G_iPieceOrg[1][0][1][0], 2);
  PieceCellClick r = click(1, 0, 2);  // another button: counter only
  EXPECT_TRUE(r.bRedraw);
  EXPECT_EQ(r.sCount, "1 : 8");
  EXPECT_EQ(click(1, 0).sCount, "0 : 8");
  EXPECT_EQ(st.G_iPiece[1][0][1][0] + st.G_iPieceOrg[1][0][1][0], 0);
  shown.clear();
  EXPECT_FALSE(click(2, 0).bRedraw);        // y = 2 in a box 2 high
  EXPECT_FALSE(click(0, 3).bRedraw);        // z = 3
  EXPECT_FALSE(click(0, 0, 1, 2).bRedraw);  // x = 2
  EXPECT_EQ(fncPanel_hit(PanelGrid::shpE, 100, 100), -1);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(st.G_iPiece[1][0][0][0] + st.G_iPiece[1][0][2][0], 0);
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(BlockMaker, TheNinthCellIsRefusedWithAWarning) {
  for (int i = 0; i < 8; ++i) st.G_iPiece[0][i / 4][i / 2 % 2][i % 2] = 1;
  PieceCellClick r = click(1, 1);
  EXPECT_EQ(shown, (std::vector<std::string>{"9 : 8", "8 : 8"}));
  EXPECT_EQ(r.sCount, "8 : 8");
  ASSERT_EQ(dialogs.calls().size(), 1u);
  EXPECT_EQ(dialogs.last().text + dialogs.last().title, "セル数を超過しました。作りすぎっ・・・");
  EXPECT_EQ(dialogs.last().icon, MsgIcon::Exclamation);
  EXPECT_EQ(st.G_iPiece[1][0][1][1] + st.G_iPieceOrg[1][0][1][1], 0);
  st.iPiece_Sel = 0;
  EXPECT_EQ(click(1, 1).sCount, "7 : 8");
  EXPECT_EQ(fncCellCount_check(st.G_iPiece, 8).remaining, 1);
}

}  // namespace
}  // namespace pakkon
