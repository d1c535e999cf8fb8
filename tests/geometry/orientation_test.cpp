#include "geometry/orientation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "geometry/movement.h"
#include "support/state_compare.h"

namespace pakkon {
namespace {

struct Xyz {
  int x, y, z;
};
const Grid& cells(Grid& g, std::initializer_list<Xyz> cs) {
  std::memset(g, 0, sizeof(Grid));
  for (const Xyz& c : cs) g[c.x][c.y][c.z] = 1;
  return g;
}
bool same(const Grid& a, const Grid& b) { return std::memcmp(a, b, sizeof(Grid)) == 0; }
// A hub with arms of 3, 2 and 1 cells along +X, +Y, +Z: no turn maps it onto itself.
void arms(Grid& g) { cells(g, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {0, 1, 0}, {0, 2, 0}, {0, 0, 1}}); }

TEST(BlockTurns, FollowTheirMapsThroughTheScratchGridAndCloseAfterFour) {
  struct Case {
    void (*turn)(PuzzleState&, int);
    Xyz corner, other;  // where (0,0,0) and (0,1,2) go
  } const cases[] = {{subPiece_turnZ, {3, 0, 0}, {2, 0, 2}},
                     {subPiece_turnX, {0, 0, 3}, {0, 2, 2}},
                     {subPiece_turnY, {0, 0, 3}, {2, 1, 3}}};
  for (const Case& c : cases) {
    PuzzleState st;
    Grid start, want;
    std::memcpy(st.G_iPiece[3], cells(start, {{0, 0, 0}, {0, 1, 2}}), sizeof(Grid));
    c.turn(st, 3);
    EXPECT_TRUE(same(st.G_iPiece[3], cells(want, {c.corner, c.other})));
    EXPECT_TRUE(same(st.G_iBoxWork, want));
    for (int i = 2; i <= 4; ++i) c.turn(st, 3);
    EXPECT_TRUE(same(st.G_iPiece[3], start));
  }
}

TEST(BlockFaces, TurnTheShapeAsMadeAndWithZTurnsReachAll24Orientations) {
  // Where the +X, +Y and +Z arms point after each face. turnX takes +Y to -Z
  // and +Z to +Y; turnY takes +X to -Z and +Z to +X. The arm now pointing to
  // +Z names the side that faces the viewer.
  const Xyz dir[6][3] = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
                         {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}, {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
                         {{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}}, {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}}};
  const int len[3] = {3, 2, 1};
  PuzzleState st;
  arms(st.G_iPieceOrg[5]);
  uint64_t seen[24];
  for (int face = 0; face < 6; ++face) {
    Xyz hub{0, 0, 0};  // pushed to the origin: arms pointing back move the hub out
    for (int a = 0; a < 3; ++a) {
      hub.x -= std::min(dir[face][a].x, 0) * len[a];
      hub.y -= std::min(dir[face][a].y, 0) * len[a];
      hub.z -= std::min(dir[face][a].z, 0) * len[a];
    }
    Grid want = {};
    want[hub.x][hub.y][hub.z] = 1;
    for (int a = 0; a < 3; ++a)
      for (int i = 1; i <= len[a]; ++i)
        want[hub.x + i * dir[face][a].x][hub.y + i * dir[face][a].y][hub.z + i * dir[face][a].z] = 1;
    subPiece_setFace(st, 5, face);
    EXPECT_TRUE(same(st.G_iPiece[5], want)) << face;
    for (int k = 0; k < 4; ++k) {
      subPiece_setFace(st, 5, face);
      for (int i = 0; i < k; ++i) subPiece_turnZ(st, 5);
      subPiece_origin(st, 5);
      uint64_t& m = seen[face * 4 + k] = 0;
      for (int i = 0; i < 64; ++i) m |= uint64_t{st.G_iPiece[5][i / 16][i / 4 % 4][i % 4] != 0} << i;
      for (int j = 0; j < face * 4 + k; ++j) EXPECT_NE(seen[j], m) << face << k;
    }
  }
}

TEST(BlockFaces, StartFromTheShapeAsMadeAndIgnoreUnknownFaces) {
  PuzzleState st;
  cells(st.G_iPieceOrg[1], {{1, 1, 2}, {2, 1, 2}, {2, 2, 2}, {2, 2, 3}});
  cells(st.G_iPiece[1], {{3, 3, 3}});
  subPiece_setFace(st, 1, 0);
  Grid want;
  EXPECT_TRUE(same(st.G_iPiece[1], cells(want, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1}})));
  const PuzzleState before = st;
  subPiece_setFace(st, 1, 6);
  subPiece_setFace(st, 1, -1);
  EXPECT_EQ(test::firstDifference(st, before), "");
}

TEST(BoxContentTurns, CarryNumbersAndColoursAndClipNothing) {
  PuzzleState st;
  for (int n = 0; n < 27; ++n) {  // 3 x 3 x 3 content; numbers name the first cell
    const int x = n / 9, y = n / 3 % 3, z = n % 3;
    st.G_iBox[x][y][z] = 1;
    st.G_iBoxPiece[x][y][z] = static_cast<int16_t>(n + 1);
    for (int k = 0; k < kShades; ++k) st.G_lBoxColor[x][y][z][k] = n * 10 + k;
  }
  subPuzzle_turnZ(st);
  for (int n = 0; n < 27; ++n) {
    const int x = 3 - n / 3 % 3, y = n / 9, z = n % 3;  // cells 0..2 go to 1..3 along X
    EXPECT_EQ(st.G_iBox[x][y][z], 1);
    EXPECT_EQ(st.G_iBoxPiece[x][y][z], n + 1);
    for (int k = 0; k < kShades; ++k) EXPECT_EQ(st.G_lBoxColor[x][y][z][k], n * 10 + k);
  }
}

TEST(Shuffle, DrawsFaceThenZXYBlockAfterBlockAndEndsAtTheOrigin) {
  double script[32];
  for (int b = 0; b < kPieces; ++b) {
    script[b * 4] = (b % 6 + 0.5) / 6;
    for (int k = 1; k < 4; ++k) script[b * 4 + k] = ((b + k) % 4 + 0.5) / 4;  // (b + k) % 4 + 1 turns
  }
  int drawn = 0;
  const UnitRandom scripted = [&] { return drawn < 32 ? script[drawn++] : (++drawn, 0.0); };
  PuzzleState st = test::busyState();  // block 8 is loaded
  arms(st.G_iPieceOrg[1]);
  PuzzleState want = st;
  subPieces_shuffle(st, scripted);
  EXPECT_EQ(drawn, 32);
  for (int b = 0; b < kPieces; ++b) {
    subPiece_setFace(want, b, b % 6);
    for (int i = 0; i <= (b + 1) % 4; ++i) subPiece_turnZ(want, b);
    for (int i = 0; i <= (b + 2) % 4; ++i) subPiece_turnX(want, b);
    for (int i = 0; i <= (b + 3) % 4; ++i) subPiece_turnY(want, b);
    subPiece_origin(want, b);
  }
  EXPECT_EQ(test::firstDifference(st, want), "");
}

}  // namespace
}  // namespace pakkon
