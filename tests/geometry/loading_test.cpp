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

void setCells(Grid& g, std::initializer_list<Xyz> cells) {
  std::memset(g, 0, sizeof(Grid));
  for (const Xyz& c : cells) g[c.x][c.y][c.z] = 1;
}

void fillAll(Grid& g, int16_t v) {
  for (auto& plane : g)
    for (auto& row : plane)
      for (int16_t& c : row) c = v;
}

// An empty 3 x 3 x 3 puzzle with colours, ready for loading.
PuzzleState emptyPuzzle() {
  PuzzleState st;
  subColor_set(st);
  subCellSize_set(st, 3, 3, 3);
  return st;
}

TEST(DeadCell, CountsGridWallsButNotBoxFaces) {
  Grid g = {};
  EXPECT_FALSE(fncBox_deadCell(g));

  setCells(g, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  EXPECT_TRUE(fncBox_deadCell(g));  // corner: three walls, three filled
  g[0][1][0] = 0;
  EXPECT_FALSE(fncBox_deadCell(g));

  fillAll(g, 1);
  g[1][2][1] = 0;
  EXPECT_TRUE(fncBox_deadCell(g));  // fully enclosed

  // Box 3 wide along X, full but for (2,1,1): its neighbour beyond the box
  // at x = 3 is empty, so it is open; so is every empty cell beyond.
  std::memset(g, 0, sizeof g);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 4; ++y)
      for (int z = 0; z < 4; ++z) g[x][y][z] = 1;
  g[2][1][1] = 0;
  EXPECT_FALSE(fncBox_deadCell(g));
  g[3][1][1] = 1;
  EXPECT_TRUE(fncBox_deadCell(g));
}

TEST(RotateCheck, NeedsEveryDigitOneToEight) {
  EXPECT_TRUE(fncRotate_check(12345678));
  EXPECT_TRUE(fncRotate_check(87654321));
  EXPECT_FALSE(fncRotate_check(12345677));
  EXPECT_TRUE(fncRotate_check(102345678));
  EXPECT_TRUE(fncRotate_check(123456789));
  EXPECT_FALSE(fncRotate_check(0));
  EXPECT_FALSE(fncRotate_check(1234567));
}

TEST(PlacementTest, RefusesOverlapAndCellsBeyondTheBox) {
  PuzzleState st = emptyPuzzle();
  st.G_iBox[0][0][0] = 1;
  setCells(st.G_iPiece[3], {{0, 0, 0}, {1, 0, 0}});
  EXPECT_FALSE(fncPlacement_test(st, 3));
  EXPECT_EQ(st.G_iBoxWork[0][0][0], 2);  // scratch holds the sum even when refused
  EXPECT_EQ(st.G_iBoxWork[1][0][0], 1);

  st.G_iBox[0][0][0] = 0;
  for (Xyz c : {Xyz{3, 0, 0}, Xyz{0, 3, 0}, Xyz{0, 0, 3}}) {
    setCells(st.G_iPiece[3], {{1, 1, 1}, c});
    EXPECT_FALSE(fncPlacement_test(st, 3)) << c.x << c.y << c.z;
  }
  setCells(st.G_iPiece[3], {{2, 2, 2}, {1, 2, 2}});
  EXPECT_TRUE(fncPlacement_test(st, 3));

  subCellSize_set(st, 4, 4, 4);
  setCells(st.G_iPiece[3], {{3, 3, 3}});
  EXPECT_TRUE(fncPlacement_test(st, 3));
}

TEST(Load, BeyondTheBoxIsRefusedUntilMovedBack) {
  PuzzleState st = emptyPuzzle();
  setCells(st.G_iPiece[0], {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
  PuzzleState before = st;
  EXPECT_EQ(fncPiece_load(st, 0), LoadRefusal::NoRoom);
  std::memcpy(before.G_iBoxWork, st.G_iBoxWork, sizeof(Grid));  // the only change allowed
  EXPECT_EQ(test::firstDifference(st, before), "");

  EXPECT_EQ(fncPiece_xDec(st, 0), 0);
  EXPECT_EQ(fncPiece_load(st, 0), LoadRefusal::None);
  EXPECT_EQ(fncBox_count(st.G_iBox), 3);
  EXPECT_EQ(st.G_iPieceUsed[0], 1);
  EXPECT_EQ(st.G_iBoxPiece[0][0][0], 1);
  EXPECT_EQ(st.G_lBoxColor[2][0][0][2], st.G_lColor[1][2]);

  before = st;
  EXPECT_EQ(fncPiece_load(st, 0), LoadRefusal::AlreadyUsed);
  EXPECT_EQ(test::firstDifference(st, before), "");  // scratch untouched too

  setCells(st.G_iPiece[1], {{1, 0, 0}, {1, 1, 0}});
  before = st;
  EXPECT_EQ(fncPiece_load(st, 1), LoadRefusal::NoRoom);  // overlaps block 1
  std::memcpy(before.G_iBoxWork, st.G_iBoxWork, sizeof(Grid));
  EXPECT_EQ(test::firstDifference(st, before), "");
}

TEST(Load, CellsKeepTheColoursOfTheirFirstFiller) {
  PuzzleState st = emptyPuzzle();
  setCells(st.G_iPiece[2], {{0, 0, 0}, {0, 1, 0}});
  setCells(st.G_iPiece[5], {{1, 0, 0}, {1, 1, 0}, {2, 2, 2}});
  // An empty cell still coloured keeps its colour and number when filled.
  st.G_iBoxPiece[2][2][2] = 8;
  st.G_lBoxColor[2][2][2][0] = 0x123456;
  ASSERT_EQ(fncPiece_load(st, 2), LoadRefusal::None);
  ASSERT_EQ(fncPiece_load(st, 5), LoadRefusal::None);
  for (int k = 0; k < kShades; ++k) {
    EXPECT_EQ(st.G_lBoxColor[0][1][0][k], st.G_lColor[3][k]);
    EXPECT_EQ(st.G_lBoxColor[1][1][0][k], st.G_lColor[6][k]);
  }
  EXPECT_EQ(st.G_iBoxPiece[0][0][0], 3);
  EXPECT_EQ(st.G_iBoxPiece[1][0][0], 6);
  EXPECT_EQ(st.G_iBox[2][2][2], 1);
  EXPECT_EQ(st.G_iBoxPiece[2][2][2], 8);
  EXPECT_EQ(st.G_lBoxColor[2][2][2][0], 0x123456);
  EXPECT_EQ(st.G_lBoxColor[2][2][2][1], 0);
  EXPECT_EQ(fncBox_count(st.G_iBox), 5);
}

TEST(Unload, FindsTheCellsByNumberAfterTheBlockMoved) {
  PuzzleState st = emptyPuzzle();
  setCells(st.G_iPiece[4], {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
  setCells(st.G_iPiece[6], {{2, 2, 2}, {2, 2, 1}});
  ASSERT_EQ(fncPiece_load(st, 4), LoadRefusal::None);
  ASSERT_EQ(fncPiece_load(st, 6), LoadRefusal::None);
  subPiece_turnY(st, 4);
  fncPiece_yInc(st, 4);

  subPiece_unload(st, 4);
  EXPECT_EQ(st.G_iPieceUsed[4], 0);
  EXPECT_EQ(st.G_iPieceUsed[6], 1);
  EXPECT_EQ(fncBox_count(st.G_iBox), 2);
  EXPECT_EQ(st.G_iBox[2][2][1], 1);
  EXPECT_EQ(st.G_iBox[1][1][0], 0);
  EXPECT_EQ(st.G_lBoxColor[1][1][0][0], 0);
  EXPECT_EQ(st.G_lBoxColor[1][1][0][2], 0);
  EXPECT_EQ(st.G_iBoxPiece[1][1][0], 5);  // number stays until refilled
}

TEST(Unload, ClearShapeEmptiesWhateverLiesUnderTheCurrentGrid) {
  PuzzleState st = emptyPuzzle();
  setCells(st.G_iPiece[0], {{0, 0, 0}, {0, 0, 1}});
  setCells(st.G_iPiece[1], {{1, 0, 0}, {1, 0, 1}});
  ASSERT_EQ(fncPiece_load(st, 0), LoadRefusal::None);
  ASSERT_EQ(fncPiece_load(st, 1), LoadRefusal::None);
  fncPiece_xInc(st, 0);  // block 1 now lies over block 2's cells
  subBox_clearShape(st, 0);
  EXPECT_EQ(st.G_iBox[0][0][0], 1);
  EXPECT_EQ(st.G_iBox[1][0][0], 0);
  EXPECT_EQ(st.G_lBoxColor[1][0][1][1], 0);
  EXPECT_EQ(st.G_iPieceUsed[0], 1);  // the auto loader keeps its own books
}

TEST(ClearBox, EmptiesEveryBoxGridAndKeepsTheBlocks) {
  PuzzleState st = test::busyState();
  st.G_iBoxWork[1][1][1] = 3;
  st.G_iPieceUsed[2] = 1;
  PuzzleState want = st;
  subBox_clear(st);
  std::memset(want.G_iBox, 0, sizeof want.G_iBox);
  std::memset(want.G_iBoxWork, 0, sizeof want.G_iBoxWork);
  std::memset(want.G_iBoxPiece, 0, sizeof want.G_iBoxPiece);
  std::memset(want.G_lBoxColor, 0, sizeof want.G_lBoxColor);
  std::memset(want.G_iPieceUsed, 0, sizeof want.G_iPieceUsed);
  EXPECT_EQ(test::firstDifference(st, want), "");
}

}  // namespace
}  // namespace pakkon
