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

void setCells(Grid& g, std::initializer_list<Xyz> cells) {
  std::memset(g, 0, sizeof(Grid));
  for (const Xyz& c : cells) g[c.x][c.y][c.z] = 1;
}

void setCellsAt(Grid& g, std::initializer_list<Xyz> cells, Xyz d) {
  std::memset(g, 0, sizeof(Grid));
  for (const Xyz& c : cells) g[c.x + d.x][c.y + d.y][c.z + d.z] = 1;
}

bool sameGrid(const Grid& a, const Grid& b) { return std::memcmp(a, b, sizeof(Grid)) == 0; }

struct Move {
  int16_t (*fn)(PuzzleState&, int);
  Xyz d;
};
const Move kMoves[] = {
    {fncPiece_xInc, {1, 0, 0}},  {fncPiece_xDec, {-1, 0, 0}}, {fncPiece_yInc, {0, 1, 0}},
    {fncPiece_yDec, {0, -1, 0}}, {fncPiece_zInc, {0, 0, 1}},  {fncPiece_zDec, {0, 0, -1}},
};

TEST(BlockMoves, ShiftOneCellIgnoringBoxAndItsSize) {
  for (const Move& m : kMoves) {
    PuzzleState st = test::busyState();
    std::memset(st.G_iBox, 0, sizeof st.G_iBox);
    for (auto& plane : st.G_iBox)
      for (auto& row : plane)
        for (int16_t& v : row) v = 1;
    subCellSize_set(st, 2, 2, 2);
    setCells(st.G_iPiece[4], {{1, 1, 1}, {2, 1, 2}, {1, 2, 1}});
    const PuzzleState before = st;
    EXPECT_EQ(m.fn(st, 4), 0);
    Grid want;
    setCellsAt(want, {{1, 1, 1}, {2, 1, 2}, {1, 2, 1}}, m.d);
    EXPECT_TRUE(sameGrid(st.G_iPiece[4], want));
    EXPECT_TRUE(sameGrid(st.G_iBoxWork, want));
    std::memcpy(st.G_iPiece[4], before.G_iPiece[4], sizeof(Grid));
    std::memcpy(st.G_iBoxWork, before.G_iBoxWork, sizeof(Grid));
    EXPECT_EQ(test::firstDifference(st, before), "");
  }
}

TEST(BlockMoves, BlockedAtTheWallReportLeadingLayerAndChangeNothing) {
  for (const Move& m : kMoves) {
    PuzzleState st = test::busyState();
    st.G_iBoxWork[2][1][3] = 7;
    // Two cells in the leading layer, one further in.
    auto at = [&](int lead, int a, int b) {
      const int layer = (m.d.x + m.d.y + m.d.z) > 0 ? 3 : 0;
      if (m.d.x) return Xyz{lead ? layer : 1, a, b};
      if (m.d.y) return Xyz{a, lead ? layer : 2, b};
      return Xyz{a, b, lead ? layer : 1};
    };
    setCells(st.G_iPiece[2], {at(1, 0, 0), at(1, 3, 2), at(0, 1, 1)});
    const PuzzleState before = st;
    EXPECT_EQ(m.fn(st, 2), 2);
    EXPECT_EQ(test::firstDifference(st, before), "");
  }
}

TEST(BlockOrigin, PushesToTheCornerFromEveryPosition) {
  const std::initializer_list<Xyz> shape = {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {1, 1, 0}};
  Grid corner;
  setCells(corner, shape);
  for (int dx = 0; dx < 3; ++dx)
    for (int dy = 0; dy < 3; ++dy)
      for (int dz = 0; dz < 3; ++dz) {
        PuzzleState st;
        setCellsAt(st.G_iPiece[6], shape, {dx, dy, dz});
        subPiece_origin(st, 6);
        EXPECT_TRUE(sameGrid(st.G_iPiece[6], corner)) << dx << dy << dz;
      }
}

TEST(BlockOrigin, SingleAxisPushesAndEmptyBlocks) {
  PuzzleState st;
  setCells(st.G_iPiece[0], {{2, 1, 2}, {3, 2, 2}});
  subPiece_originX(st, 0);
  Grid want;
  setCells(want, {{0, 1, 2}, {1, 2, 2}});
  EXPECT_TRUE(sameGrid(st.G_iPiece[0], want));
  subPiece_originY(st, 0);
  setCells(want, {{0, 0, 2}, {1, 1, 2}});
  EXPECT_TRUE(sameGrid(st.G_iPiece[0], want));

  // An empty grid is never blocked: these must return at once, untouched.
  PuzzleState empty = test::busyState();
  std::memset(empty.G_iPiece[5], 0, sizeof(Grid));
  const PuzzleState before = empty;
  subPiece_origin(empty, 5);
  subPiece_originX(empty, 5);
  subPiece_originY(empty, 5);
  EXPECT_EQ(test::firstDifference(empty, before), "");
}

// Box content whose number and colours all name the cell it started in.
void tagCell(PuzzleState& st, Xyz c, int16_t value) {
  st.G_iBox[c.x][c.y][c.z] = value;
  st.G_iBoxPiece[c.x][c.y][c.z] = static_cast<int16_t>(1 + c.x * 16 + c.y * 4 + c.z);
  for (int k = 0; k < kShades; ++k) st.G_lBoxColor[c.x][c.y][c.z][k] = st.G_iBoxPiece[c.x][c.y][c.z] * 10 + k;
}

void expectTag(const PuzzleState& st, Xyz now, Xyz from, int16_t value) {
  const int n = 1 + from.x * 16 + from.y * 4 + from.z;
  EXPECT_EQ(st.G_iBox[now.x][now.y][now.z], value);
  EXPECT_EQ(st.G_iBoxPiece[now.x][now.y][now.z], n);
  for (int k = 0; k < kShades; ++k) EXPECT_EQ(st.G_lBoxColor[now.x][now.y][now.z][k], n * 10 + k);
}

TEST(BoxContentMoves, CarryNumbersAndColoursAndStopAtTheWall) {
  PuzzleState st;
  setCells(st.G_iPiece[1], {{3, 3, 3}});
  st.G_iPieceUsed[1] = 1;
  tagCell(st, {1, 0, 0}, 1);
  tagCell(st, {3, 2, 1}, 1);
  tagCell(st, {2, 3, 3}, 2);  // the maker's "picked" value travels too
  EXPECT_EQ(fncPuzzle_xDec(st), 0);
  expectTag(st, {0, 0, 0}, {1, 0, 0}, 1);
  expectTag(st, {2, 2, 1}, {3, 2, 1}, 1);
  expectTag(st, {1, 3, 3}, {2, 3, 3}, 2);
  EXPECT_EQ(fncBox_countValue(st.G_iBox, 0), 61);
  EXPECT_TRUE(sameGrid(st.G_iBoxWork, st.G_iBox));

  const PuzzleState before = st;
  EXPECT_EQ(fncPuzzle_xDec(st), 1);
  EXPECT_EQ(test::firstDifference(st, before), "");
  EXPECT_EQ(st.G_iPiece[1][3][3][3], 1);
  EXPECT_EQ(st.G_iPieceUsed[1], 1);
}

TEST(BoxContentMoves, OriginPushesTheWholeContentToTheCorner) {
  PuzzleState st;
  tagCell(st, {1, 2, 1}, 1);
  tagCell(st, {3, 3, 2}, 1);
  tagCell(st, {2, 2, 3}, 2);
  subPuzzle_origin(st);
  expectTag(st, {0, 0, 0}, {1, 2, 1}, 1);
  expectTag(st, {2, 1, 1}, {3, 3, 2}, 1);
  expectTag(st, {1, 0, 2}, {2, 2, 3}, 2);
  EXPECT_EQ(fncBox_count(st.G_iBox), 4);

  PuzzleState empty = test::busyState();
  std::memset(empty.G_iBox, 0, sizeof empty.G_iBox);
  const PuzzleState before = empty;
  subPuzzle_origin(empty);
  EXPECT_EQ(test::firstDifference(empty, before), "");
}

TEST(Counts, CellsBlocksAndValues) {
  PuzzleState st;
  setCells(st.G_iPiece[0], {{0, 0, 0}, {3, 3, 3}, {1, 2, 3}});
  setCells(st.G_iPiece[7], {{2, 2, 2}});  // one cell is enough to count as used
  EXPECT_EQ(fncPiece_count(st, 0), 3);
  EXPECT_EQ(fncPiece_count(st, 3), 0);
  EXPECT_EQ(fncPieces_count(st), 4);
  EXPECT_EQ(fncPieces_used(st), 2);
  st.G_iBox[0][1][2] = 1;
  st.G_iBox[3][0][0] = 2;
  st.G_iBox[3][0][1] = 2;
  EXPECT_EQ(fncBox_count(st.G_iBox), 5);
  EXPECT_EQ(fncBox_countValue(st.G_iBox, 2), 2);
  EXPECT_EQ(fncBox_countValue(st.G_iBox, 0), 61);
}

}  // namespace
}  // namespace pakkon
