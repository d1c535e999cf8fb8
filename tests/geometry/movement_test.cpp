#include "geometry/movement.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "support/state_compare.h"

namespace pakkon {
namespace {

struct Xyz {
  int x, y, z;
};
const Grid& cells(Grid& g, std::initializer_list<Xyz> cs, Xyz d = {0, 0, 0}) {
  std::memset(g, 0, sizeof(Grid));
  for (const Xyz& c : cs) g[c.x + d.x][c.y + d.y][c.z + d.z] = 1;
  return g;
}

TEST(BlockMoves, ShiftOneCellIgnoringTheBoxOrStopAtTheWallUntouched) {
  const struct {
    int16_t (*fn)(PuzzleState&, int);
    Xyz d;
  } moves[] = {{fncPiece_xInc, {1, 0, 0}},  {fncPiece_xDec, {-1, 0, 0}}, {fncPiece_yInc, {0, 1, 0}},
               {fncPiece_yDec, {0, -1, 0}}, {fncPiece_zInc, {0, 0, 1}},  {fncPiece_zDec, {0, 0, -1}}};
  // Two cells at 1 and two at 2 on every axis.
  const std::initializer_list<Xyz> shape = {{1, 1, 1}, {2, 2, 1}, {2, 1, 2}, {1, 2, 2}};
  for (const auto& m : moves) {
    PuzzleState st = test::busyState();
    for (int i = 0; i < 64; ++i) st.G_iBox[i / 16][i / 4 % 4][i % 4] = 1;  // no obstacle
    subCellSize_set(st, 2, 2, 2);                                          // nor this
    cells(st.G_iPiece[4], shape);
    PuzzleState want = st;
    std::memcpy(want.G_iBoxWork, cells(want.G_iPiece[4], shape, m.d), sizeof(Grid));
    EXPECT_EQ(m.fn(st, 4), 0);
    EXPECT_EQ(test::firstDifference(st, want), "");
    const PuzzleState before = st;  // now two cells stand in the leading layer
    EXPECT_EQ(m.fn(st, 4), 2);
    EXPECT_EQ(test::firstDifference(st, before), "");
  }
}

TEST(BlockOrigin, PushesFromEveryPositionAlongOneOrAllAxes) {
  const std::initializer_list<Xyz> shape = {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {1, 1, 0}};
  Grid want;
  for (int i = 0; i < 27; ++i) {
    PuzzleState st;
    cells(st.G_iPiece[6], shape, {i / 9, i / 3 % 3, i % 3});
    subPiece_origin(st, 6);
    EXPECT_EQ(std::memcmp(st.G_iPiece[6], cells(want, shape), sizeof want), 0) << i;
  }
  PuzzleState st;
  cells(st.G_iPiece[0], shape, {2, 1, 2});
  subPiece_originX(st, 0);
  subPiece_originY(st, 0);
  EXPECT_EQ(std::memcmp(st.G_iPiece[0], cells(want, shape, {0, 0, 2}), sizeof want), 0);

  st = test::busyState();  // an empty grid is never blocked: must return at once
  std::memset(st.G_iPiece[5], 0, sizeof(Grid));
  const PuzzleState before = st;
  subPiece_origin(st, 5);
  EXPECT_EQ(test::firstDifference(st, before), "");
}

TEST(BoxContentMoves, CarryNumbersAndColoursToTheCorner) {
  PuzzleState st;
  st.G_iPiece[1][3][3][3] = st.G_iPieceUsed[1] = 1;
  const Xyz from[] = {{1, 2, 1}, {3, 3, 2}, {2, 2, 3}};
  for (const Xyz& c : from) {
    st.G_iBox[c.x][c.y][c.z] = static_cast<int16_t>(c.x == 1 ? 2 : 1);  // the maker's 2 travels too
    st.G_iBoxPiece[c.x][c.y][c.z] = static_cast<int16_t>(c.y * 4 + c.z);
    st.G_lBoxColor[c.x][c.y][c.z][2] = c.y * 4 + c.z;
  }
  EXPECT_EQ(fncPuzzle_xDec(st), 0);
  EXPECT_EQ(fncPuzzle_xDec(st), 2);
  EXPECT_EQ(std::memcmp(st.G_iBoxWork, st.G_iBox, sizeof(Grid)), 0);
  subPuzzle_origin(st);
  const Xyz to[] = {{0, 0, 0}, {2, 1, 1}, {1, 0, 2}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(st.G_iBox[to[i].x][to[i].y][to[i].z], from[i].x == 1 ? 2 : 1);
    EXPECT_EQ(st.G_iBoxPiece[to[i].x][to[i].y][to[i].z], from[i].y * 4 + from[i].z);
    EXPECT_EQ(st.G_lBoxColor[to[i].x][to[i].y][to[i].z][2], from[i].y * 4 + from[i].z);
  }
  EXPECT_EQ(fncBox_countValue(st.G_iBox, 0), 61);
  EXPECT_EQ(st.G_iPiece[1][3][3][3], 1);  // blocks are not box content
  EXPECT_EQ(st.G_iPieceUsed[1], 1);

  std::memset(st.G_iBox, 0, sizeof st.G_iBox);  // numbers and colours left, nothing filled
  const PuzzleState before = st;
  subPuzzle_origin(st);
  EXPECT_EQ(test::firstDifference(st, before), "");
}

TEST(Counts, OneCellMakesABlockUsed) {
  PuzzleState st;
  st.G_iPiece[0][0][0][0] = st.G_iPiece[0][1][2][3] = st.G_iPiece[7][2][2][2] = 1;
  EXPECT_EQ(fncPieces_count(st), 3);
  EXPECT_EQ(fncPieces_used(st), 2);
  st.G_iBox[3][0][0] = st.G_iBox[3][0][1] = 2;
  EXPECT_EQ(fncBox_count(st.G_iBox), 4);
  EXPECT_EQ(fncBox_countValue(st.G_iBox, 2), 2);
}

}  // namespace
}  // namespace pakkon
