#include "geometry/loading.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "support/state_compare.h"

namespace pakkon {
namespace {

struct Xyz {
  int x, y, z;
};
void cells(Grid& g, std::initializer_list<Xyz> cs) {
  std::memset(g, 0, sizeof(Grid));
  for (const Xyz& c : cs) g[c.x][c.y][c.z] = 1;
}
PuzzleState emptyPuzzle() {  // 3 x 3 x 3, with colours
  PuzzleState st;
  subColor_set(st);
  subCellSize_set(st, 3, 3, 3);
  return st;
}

TEST(DeadCell, CountsGridWallsButNotBoxFaces) {
  Grid g;
  cells(g, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  EXPECT_TRUE(fncBox_deadCell(g));  // corner: three walls, three filled
  g[0][1][0] = 0;
  EXPECT_FALSE(fncBox_deadCell(g));
  for (int i = 0; i < 64; ++i) g[i / 16][i / 4 % 4][i % 4] = i != 25;  // all but (1,2,1)
  EXPECT_TRUE(fncBox_deadCell(g));
  // A box 3 wide, full but for (2,1,1): open toward the empty x = 3 beyond.
  for (int i = 0; i < 64; ++i) g[i / 16][i / 4 % 4][i % 4] = i / 16 < 3 && i != 37;
  EXPECT_FALSE(fncBox_deadCell(g));
  g[3][1][1] = 1;
  EXPECT_TRUE(fncBox_deadCell(g));
}

TEST(RotateCheck, NeedsEveryDigitOneToEight) {
  EXPECT_TRUE(fncRotate_check(12345678));
  EXPECT_TRUE(fncRotate_check(87654321));
  EXPECT_FALSE(fncRotate_check(12345677));
  EXPECT_TRUE(fncRotate_check(102345678));
}

TEST(Load, RefusalsChangeNothingButTheScratchGrid) {
  PuzzleState st = emptyPuzzle();
  cells(st.G_iPiece[0], {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}});  // beyond X
  cells(st.G_iPiece[1], {{0, 0, 0}, {0, 3, 0}});             // beyond Y
  cells(st.G_iPiece[2], {{0, 1, 0}, {0, 1, 3}});             // beyond Z
  cells(st.G_iPiece[3], {{1, 1, 1}, {1, 0, 0}});             // onto block 1 once it is in
  for (int b : {0, 1, 2}) {
    PuzzleState before = st;
    EXPECT_EQ(fncPiece_load(st, b), LoadRefusal::NoRoom) << b;
    EXPECT_EQ(std::memcmp(st.G_iBoxWork, st.G_iPiece[b], sizeof(Grid)), 0);  // piece + empty box
    std::memcpy(before.G_iBoxWork, st.G_iBoxWork, sizeof(Grid));
    EXPECT_EQ(test::firstDifference(st, before), "");
  }
  fncPiece_xDec(st, 0);
  ASSERT_EQ(fncPiece_load(st, 0), LoadRefusal::None);
  PuzzleState before = st;
  EXPECT_EQ(fncPiece_load(st, 0), LoadRefusal::AlreadyUsed);
  EXPECT_EQ(test::firstDifference(st, before), "");
  EXPECT_EQ(fncPiece_load(st, 3), LoadRefusal::NoRoom);
  EXPECT_EQ(st.G_iBoxWork[1][0][0], 2);
  std::memcpy(before.G_iBoxWork, st.G_iBoxWork, sizeof(Grid));
  EXPECT_EQ(test::firstDifference(st, before), "");
}

TEST(Load, CellsKeepTheNumberAndColoursOfTheirFirstFiller) {
  PuzzleState st = emptyPuzzle();
  cells(st.G_iPiece[2], {{0, 0, 0}, {0, 1, 0}});
  cells(st.G_iPiece[5], {{1, 0, 0}, {2, 2, 2}});
  st.G_iBoxPiece[2][2][2] = 8;  // empty, but still coloured
  st.G_lBoxColor[2][2][2][0] = 0x123456;
  ASSERT_EQ(fncPiece_load(st, 2), LoadRefusal::None);
  ASSERT_EQ(fncPiece_load(st, 5), LoadRefusal::None);
  EXPECT_EQ(st.G_iPieceUsed[2] + st.G_iPieceUsed[5], 2);
  EXPECT_EQ(std::memcmp(st.G_lBoxColor[0][1][0], st.G_lColor[3], sizeof st.G_lColor[3]), 0);
  EXPECT_EQ(std::memcmp(st.G_lBoxColor[1][0][0], st.G_lColor[6], sizeof st.G_lColor[6]), 0);
  EXPECT_EQ(st.G_iBoxPiece[0][0][0], 3);
  EXPECT_EQ(st.G_iBoxPiece[1][0][0], 6);
  EXPECT_EQ(st.G_iBox[2][2][2], 1);
  EXPECT_EQ(st.G_iBoxPiece[2][2][2], 8);
  EXPECT_EQ(st.G_lBoxColor[2][2][2][0], 0x123456);
  EXPECT_EQ(st.G_lBoxColor[2][2][2][1], 0);
}

TEST(Unload, FindsTheCellsByNumberAfterTheBlockMoved) {
  PuzzleState st = emptyPuzzle();
  cells(st.G_iPiece[4], {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
  cells(st.G_iPiece[6], {{2, 2, 2}, {2, 2, 1}});
  ASSERT_EQ(fncPiece_load(st, 4), LoadRefusal::None);
  ASSERT_EQ(fncPiece_load(st, 6), LoadRefusal::None);
  subPiece_turnY(st, 4);
  fncPiece_yInc(st, 4);
  subPiece_unload(st, 4);
  EXPECT_EQ(st.G_iPieceUsed[4], 0);
  EXPECT_EQ(st.G_iPieceUsed[6], 1);
  EXPECT_EQ(fncBox_count(st.G_iBox), 2);
  EXPECT_EQ(st.G_iBox[2][2][1], 1);
  EXPECT_EQ(st.G_lBoxColor[1][1][0][0], 0);
  EXPECT_EQ(st.G_lBoxColor[1][1][0][2], 0);
  EXPECT_EQ(st.G_iBoxPiece[1][1][0], 5);  // kept until the cell is filled again
}

}  // namespace
}  // namespace pakkon
