#include "geometry/mask.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>

#include "geometry/movement.h"
#include "geometry/orientation.h"

namespace pakkon {
namespace {

uint64_t cells(std::initializer_list<MaskCell> cs) {
  uint64_t m = 0;
  for (const MaskCell& c : cs) m |= fncCell_bit(c.x, c.y, c.z);
  return m;
}
// A hub with arms of 3, 2 and 1 cells along +X, +Y, +Z: no turn maps it
// onto itself, and its mirror image is no turn of it.
const uint64_t kArms = cells({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {0, 1, 0}, {0, 2, 0}, {0, 0, 1}});
const uint64_t kMirror = cells({{3, 0, 0}, {2, 0, 0}, {1, 0, 0}, {0, 0, 0}, {3, 1, 0}, {3, 2, 0}, {3, 0, 1}});

TEST(Mask, GridRoundTripKeepsTheAxes) {
  Grid g = {};
  g[1][2][3] = 1, g[3][0][0] = 1;
  EXPECT_EQ(fncGrid_mask(g), cells({{1, 2, 3}, {3, 0, 0}}));
  g[2][2][2] = 2;
  EXPECT_FALSE(fncGrid_binary(g));
  EXPECT_TRUE(fncGrid_mask(g) & fncCell_bit(2, 2, 2));
  for (uint64_t m : {uint64_t{0}, ~uint64_t{0}, uint64_t{0x0123456789ABCDEF}}) {
    subMask_grid(m, g);
    EXPECT_EQ(fncGrid_mask(g), m);
    EXPECT_TRUE(fncGrid_binary(g));
  }
}

TEST(Mask, OrientationsAreTheGamesFacesAndTurnsAllDistinct) {
  PuzzleState st;
  subMask_grid(kArms, st.G_iPieceOrg[2]);
  const auto all = fncMask_orientations(kArms);
  for (int g = 0; g < kOrientations; ++g) {
    subPiece_setFace(st, 2, g / 4);
    for (int t = 0; t < g % 4; ++t) subPiece_turnZ(st, 2);
    subPiece_origin(st, 2);
    EXPECT_EQ(all[g], fncGrid_mask(st.G_iPiece[2])) << g;
  }
  EXPECT_EQ(std::set<uint64_t>(all.begin(), all.end()).size(), 24u);

  const uint64_t away = kArms << 20;  // off the origin corner by (0, 1, 1)
  for (uint64_t (*turn)(uint64_t) : {fncMask_turnZ, fncMask_turnX, fncMask_turnY})
    EXPECT_EQ(turn(turn(turn(turn(away)))), away);
  int dx, dy, dz;
  uint64_t shape;
  subMask_origin(away, dx, dy, dz, shape);
  EXPECT_TRUE(dx == 0 && dy == 1 && dz == 1 && shape == kArms);

  EXPECT_TRUE(fncMask_isTurnOf(fncMask_origin(fncMask_turnY(fncMask_turnX(kArms))) << 4, kArms));
  EXPECT_FALSE(fncMask_isTurnOf(kMirror, kArms));
}

TEST(Mask, ConnectedMeansFaceToFace) {
  const struct {
    uint64_t m;
    bool connected;
  } cases[] = {
      {0, true},
      {kArms, true},
      {cells({{1, 1, 1}, {1, 1, 2}, {1, 2, 2}}), true},
      {cells({{0, 0, 0}, {1, 1, 0}}), false},  // edge to edge only
      {cells({{3, 0, 0}, {0, 1, 0}}), false},  // neighbours in bit order, not in space
      {cells({{3, 3, 0}, {0, 0, 1}}), false},
      {kArms | cells({{3, 3, 3}}), false},
  };
  for (const auto& c : cases) EXPECT_EQ(fncMask_connected(c.m), c.connected) << std::hex << c.m;
  EXPECT_EQ(std::popcount(fncMask_neighbours(cells({{0, 3, 0}}))), 3);
  EXPECT_EQ(std::popcount(fncMask_neighbours(cells({{1, 2, 1}}))), 6);
}

TEST(Mask, BoxSelfMapsCountIdentityFirst) {
  const struct {
    int x, y, z;
    size_t maps;
  } cases[] = {{4, 4, 4, 24}, {2, 2, 2, 24}, {3, 3, 2, 8}, {2, 4, 2, 8},
               {4, 3, 3, 8},  {2, 3, 4, 4},  {4, 4, 1, 8}, {0, 2, 2, 0}};
  for (const auto& c : cases) {
    const std::vector<BoxMap> maps = fncBox_selfMaps(c.x, c.y, c.z);
    ASSERT_EQ(maps.size(), c.maps) << c.x << c.y << c.z;
    const uint64_t box = fncBox_mask(c.x, c.y, c.z);
    for (const BoxMap& m : maps) EXPECT_EQ(fncBoxMap_apply(m, box), box);
    if (!maps.empty()) {
      EXPECT_TRUE(maps[0].orientation == 0 && maps[0].shift == 0);
    }
  }
}

// One made block is enough to take every block as made (an empty one
// stays empty); with none made, the blocks as they stand.
TEST(Mask, BlocksAsMadeWhenAnyElseAsTheyStand) {
  PuzzleState st;
  subMask_grid(0x3, st.G_iPiece[0]);
  subMask_grid(0x30, st.G_iPiece[2]);
  bool fromMade = true;
  std::array<uint64_t, kPieces> blocks = fncBlocks_made(st, &fromMade);
  EXPECT_FALSE(fromMade);
  EXPECT_EQ(blocks[0], 0x3u);
  EXPECT_EQ(blocks[2], 0x30u);
  subMask_grid(0x10001, st.G_iPieceOrg[2]);
  blocks = fncBlocks_made(st, &fromMade);
  EXPECT_TRUE(fromMade);
  EXPECT_EQ(blocks[0], 0u);
  EXPECT_EQ(blocks[2], 0x10001u);
}

}  // namespace
}  // namespace pakkon
