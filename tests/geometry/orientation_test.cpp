#include "geometry/orientation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "geometry/movement.h"
#include "model/builtin.h"
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

uint64_t bits(const Grid& g) {
  uint64_t m = 0;
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z)
        if (g[x][y][z]) m |= uint64_t{1} << (x * 16 + y * 4 + z);
  return m;
}

bool sameGrid(const Grid& a, const Grid& b) { return std::memcmp(a, b, sizeof(Grid)) == 0; }

// A hub at the origin with arms of three cells along +X, two along +Y and
// one along +Z: no turn maps it onto itself, and each arm names its side.
void setArms(Grid& g) { setCells(g, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {0, 1, 0}, {0, 2, 0}, {0, 0, 1}}); }

// Touches x = 0, y = 0 and z = 0.
bool atOrigin(const Grid& g) {
  const uint64_t m = bits(g);
  return (m & 0x000000000000FFFFull) && (m & 0x000F000F000F000Full) && (m & 0x1111111111111111ull);
}

bool filled(const Grid& g, int x, int y, int z) {
  return x >= 0 && x < kCells && y >= 0 && y < kCells && z >= 0 && z < kCells && g[x][y][z] != 0;
}

// Length of the arm leaving the hub toward +Z (dz = 1) or -Z (dz = -1).
int armAlongZ(const Grid& g, int dz) {
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z) {
        if (!g[x][y][z]) continue;
        const int around = filled(g, x - 1, y, z) + filled(g, x + 1, y, z) + filled(g, x, y - 1, z) +
                           filled(g, x, y + 1, z) + filled(g, x, y, z - 1) + filled(g, x, y, z + 1);
        if (around != 3) continue;
        int n = 0;
        while (filled(g, x, y, z + dz * (n + 1))) ++n;
        return n;
      }
  return -1;
}

TEST(BlockTurns, FollowTheirMapsThroughTheScratchGrid) {
  struct Case {
    void (*turn)(PuzzleState&, int);
    Xyz corner, other;  // where (0,0,0) and (0,1,2) end up
  };
  const Case cases[] = {
      {subPiece_turnZ, {3, 0, 0}, {2, 0, 2}},
      {subPiece_turnX, {0, 0, 3}, {0, 2, 2}},
      {subPiece_turnY, {0, 0, 3}, {2, 1, 3}},
  };
  for (const Case& c : cases) {
    PuzzleState st;
    setCells(st.G_iPiece[3], {{0, 0, 0}, {0, 1, 2}});
    setArms(st.G_iPiece[4]);
    c.turn(st, 3);
    Grid want;
    setCells(want, {c.corner, c.other});
    EXPECT_TRUE(sameGrid(st.G_iPiece[3], want));
    EXPECT_TRUE(sameGrid(st.G_iBoxWork, want));
    Grid arms;
    setArms(arms);
    EXPECT_TRUE(sameGrid(st.G_iPiece[4], arms));
  }
}

TEST(BlockTurns, FourQuarterTurnsGiveTheGridBack) {
  for (auto turn : {subPiece_turnZ, subPiece_turnX, subPiece_turnY}) {
    PuzzleState st;
    setCells(st.G_iPiece[0], {{1, 2, 1}, {2, 2, 1}, {1, 3, 1}, {1, 2, 3}});
    Grid before;
    std::memcpy(before, st.G_iPiece[0], sizeof before);
    for (int i = 1; i <= 4; ++i) {
      turn(st, 0);
      EXPECT_EQ(sameGrid(st.G_iPiece[0], before), i == 4) << i;
    }
  }
}

TEST(BlockFaces, EachFaceShowsItsSideToTheViewer) {
  // Arm lengths toward +Z and -Z: the arm of the side that faces the viewer.
  const int toward[6][2] = {{1, 0}, {2, 0}, {0, 3}, {0, 2}, {3, 0}, {0, 1}};
  PuzzleState st;
  setArms(st.G_iPieceOrg[5]);
  for (int face = 0; face < 6; ++face) {
    subPiece_setFace(st, 5, face);
    EXPECT_EQ(armAlongZ(st.G_iPiece[5], 1), toward[face][0]) << face;
    EXPECT_EQ(armAlongZ(st.G_iPiece[5], -1), toward[face][1]) << face;
    EXPECT_TRUE(atOrigin(st.G_iPiece[5])) << face;
  }
}

TEST(BlockFaces, FacesTimesZTurnsGiveAll24Orientations) {
  PuzzleState st;
  setArms(st.G_iPieceOrg[2]);
  uint64_t seen[24] = {};
  for (int face = 0; face < 6; ++face)
    for (int k = 0; k < 4; ++k) {
      subPiece_setFace(st, 2, face);
      for (int i = 0; i < k; ++i) subPiece_turnZ(st, 2);
      subPiece_origin(st, 2);
      seen[face * 4 + k] = bits(st.G_iPiece[2]);
      for (int j = 0; j < face * 4 + k; ++j) EXPECT_NE(seen[j], seen[face * 4 + k]) << face << "," << k;
    }
}

TEST(BlockFaces, StartFromTheShapeAsMadeAndIgnoreUnknownFaces) {
  PuzzleState st;
  setCells(st.G_iPieceOrg[1], {{1, 1, 2}, {2, 1, 2}, {2, 2, 2}, {2, 2, 3}});
  setCells(st.G_iPiece[1], {{3, 3, 3}});
  subPiece_setFace(st, 1, 0);
  Grid madeAtOrigin;
  setCells(madeAtOrigin, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1}});
  EXPECT_TRUE(sameGrid(st.G_iPiece[1], madeAtOrigin));

  subPiece_setFace(st, 1, 4);
  Grid first;
  std::memcpy(first, st.G_iPiece[1], sizeof first);
  subPiece_turnY(st, 1);
  fncPiece_zInc(st, 1);
  subPiece_setFace(st, 1, 4);
  EXPECT_TRUE(sameGrid(st.G_iPiece[1], first));

  const PuzzleState before = st;
  subPiece_setFace(st, 1, 6);
  subPiece_setFace(st, 1, -1);
  EXPECT_EQ(test::firstDifference(st, before), "");
}

TEST(BoxContentTurns, CarryNumbersAndColoursAndClipNothing) {
  struct Case {
    void (*puzzleTurn)(PuzzleState&);
    void (*pieceTurn)(PuzzleState&, int);
    int movedAxis;  // the axis on which cells 0..2 become 1..3
  };
  const Case cases[] = {{subPuzzle_turnZ, subPiece_turnZ, 0},
                        {subPuzzle_turnX, subPiece_turnX, 2},
                        {subPuzzle_turnY, subPiece_turnY, 2}};
  for (const Case& c : cases) {
    PuzzleState st;
    subSamplePuzzle_set(st);
    st.G_iPieceUsed[4] = 1;
    // Each cell's number encodes where it started; its colours repeat it.
    for (int x = 0; x < 3; ++x)
      for (int y = 0; y < 3; ++y)
        for (int z = 0; z < 3; ++z) {
          st.G_iBox[x][y][z] = 1;
          st.G_iBoxPiece[x][y][z] = static_cast<int16_t>(1 + x * 9 + y * 3 + z);
          for (int k = 0; k < kShades; ++k) st.G_lBoxColor[x][y][z][k] = st.G_iBoxPiece[x][y][z] * 10 + k;
        }
    const PuzzleState before = st;
    c.puzzleTurn(st);
    EXPECT_EQ(fncBox_count(st.G_iBox), 27);
    EXPECT_TRUE(sameGrid(st.G_iBoxWork, st.G_iBox));
    for (int x = 0; x < kCells; ++x)
      for (int y = 0; y < kCells; ++y)
        for (int z = 0; z < kCells; ++z) {
          if (!st.G_iBox[x][y][z]) continue;
          const int along[3] = {x, y, z};
          EXPECT_GE(along[c.movedAxis], 1);
          const int n = st.G_iBoxPiece[x][y][z] - 1;
          for (int k = 0; k < kShades; ++k) EXPECT_EQ(st.G_lBoxColor[x][y][z][k], (n + 1) * 10 + k);
          // The cell came from where the block turn would have taken it.
          PuzzleState probe;
          probe.G_iPiece[0][n / 9][n / 3 % 3][n % 3] = 1;
          c.pieceTurn(probe, 0);
          EXPECT_EQ(probe.G_iPiece[0][x][y][z], 1);
        }
    EXPECT_EQ(std::memcmp(st.G_iPiece, before.G_iPiece, sizeof st.G_iPiece), 0);
    EXPECT_EQ(std::memcmp(st.G_iPieceUsed, before.G_iPieceUsed, sizeof st.G_iPieceUsed), 0);
  }
}

TEST(ResetAndShuffle, ResetReturnsEveryBlockAndLeavesTheBox) {
  PuzzleState st = test::busyState();
  subPiece_turnX(st, 7);  // block 8 is loaded in this state
  fncPiece_yInc(st, 3);
  const PuzzleState before = st;
  subPieces_reset(st);
  EXPECT_EQ(std::memcmp(st.G_iPiece, st.G_iPieceOrg, sizeof st.G_iPiece), 0);
  std::memcpy(st.G_iPiece, before.G_iPiece, sizeof st.G_iPiece);
  EXPECT_EQ(test::firstDifference(st, before), "");
}

TEST(ResetAndShuffle, ShuffleDrawsFaceThenZXYBlockAfterBlock) {
  double script[kPieces * 4];
  for (int b = 0; b < kPieces; ++b) {
    script[b * 4 + 0] = (b % 6 + 0.5) / 6;  // face b % 6
    script[b * 4 + 1] = (b % 4 + 0.5) / 4;  // Z count b % 4, so b % 4 + 1 turns
    script[b * 4 + 2] = ((b + 1) % 4 + 0.5) / 4;
    script[b * 4 + 3] = ((b + 2) % 4 + 0.5) / 4;
  }
  int drawn = 0;
  const UnitRandom scripted = [&] { return drawn < kPieces * 4 ? script[drawn++] : (++drawn, 0.0); };

  PuzzleState st = test::busyState();
  setArms(st.G_iPieceOrg[1]);
  st.G_iPieceUsed[1] = 1;
  PuzzleState want = st;
  subPieces_shuffle(st, scripted);
  EXPECT_EQ(drawn, kPieces * 4);

  for (int b = 0; b < kPieces; ++b) {
    subPiece_setFace(want, b, b % 6);
    for (int i = 0; i <= b % 4; ++i) subPiece_turnZ(want, b);
    for (int i = 0; i <= (b + 1) % 4; ++i) subPiece_turnX(want, b);
    for (int i = 0; i <= (b + 2) % 4; ++i) subPiece_turnY(want, b);
    subPiece_origin(want, b);
  }
  EXPECT_EQ(test::firstDifference(st, want), "");
  for (int b = 0; b < kPieces; ++b) EXPECT_TRUE(atOrigin(st.G_iPiece[b])) << b;
}

TEST(ResetAndShuffle, ClockSourceStaysInTheUnitInterval) {
  const UnitRandom r = fncClockRandom();
  double lo = 1, hi = 0;
  for (int i = 0; i < 2000; ++i) {
    const double v = r();
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
    lo = v < lo ? v : lo;
    hi = v > hi ? v : hi;
  }
  EXPECT_LT(lo, 0.1);
  EXPECT_GT(hi, 0.9);
}

}  // namespace
}  // namespace pakkon
