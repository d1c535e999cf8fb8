#include "solver/placements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

namespace pakkon {
namespace {

constexpr uint64_t kL = fncCell_bit(0, 0, 0) | fncCell_bit(1, 0, 0) | fncCell_bit(0, 1, 0);  // three cells, bent
constexpr uint64_t kBar = fncCell_bit(0, 0, 0) | fncCell_bit(1, 0, 0);

// Twins share a type wherever they stand; places lie in the region, are
// whole turns of the block, come shape by shape and never twice.
TEST(Placements, TypesShapesAndPlacesInTheirOrder) {
  const uint64_t region = fncBox_mask(3, 2, 2) & ~fncCell_bit(2, 1, 1);
  std::array<uint64_t, kPieces> blocks{};
  blocks[1] = kBar << 21;
  blocks[2] = kL;
  blocks[5] = fncMask_origin(fncMask_orient(kL, 9)) << 17;  // the L turned and moved
  const std::vector<BlockType> types = fncBlock_types(blocks, region);
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(types[0].blocks, std::vector<int>{1});
  EXPECT_EQ(types[1].blocks, (std::vector<int>{2, 5}));
  EXPECT_EQ(types[0].shapes.size(), 3u);   // a bar of two: along x, y, z
  EXPECT_EQ(types[1].shapes.size(), 12u);  // an L of three
  EXPECT_EQ(types[1].shapes.front(), kL);  // orientation 0 first
  for (const BlockType& t : types) {
    size_t shape = 0;
    for (size_t i = 0; i < t.places.size(); ++i) {
      const uint64_t p = t.places[i];
      EXPECT_EQ(p & ~region, 0u);
      while (fncMask_origin(p) != t.shapes[shape]) {
        ASSERT_LT(++shape, t.shapes.size()) << "out of shape order";
      }
      if (i > 0 && fncMask_origin(t.places[i - 1]) == t.shapes[shape]) {
        EXPECT_LT(std::countr_zero(t.places[i - 1]), std::countr_zero(p));
      }
    }
  }
  // Bars of two in a 3 x 2 x 2 box less one corner: 20 adjacent pairs less
  // the 3 through the missing cell.
  EXPECT_EQ(types[0].places.size(), 20u - 3u);
}

// The lists are kept between calls: each must still be the one for its
// region, in the turn order of the block as it stands.
TEST(Placements, KeptListsFollowTheRegionAndHowTheBlockStands) {
  const uint64_t turned = fncMask_origin(fncMask_orient(kL, 9));
  const uint64_t box = fncBox_mask(3, 3, 2);
  for (int round = 0; round < 2; ++round)
    for (uint64_t hole = 1; hole < box; hole <<= 1)  // the box less each cell in turn
      for (uint64_t block : {kL, turned}) {
        const uint64_t region = box & ~hole;
        std::vector<uint64_t> laid;
        for (uint64_t s : fncShape_orientations(block)) subShape_places(s, region, laid);
        std::array<uint64_t, kPieces> blocks{};
        blocks[0] = block;
        ASSERT_EQ(fncBlock_types(blocks, region).front().places, laid) << round << " " << region << " " << block;
      }
}

// Every place of the anchor is a turn of exactly one of its representatives,
// and only turns keeping the fixed cells count.
TEST(Placements, AnchorKeepsOnePlacePerOrbit) {
  const uint64_t box = fncBox_mask(2, 2, 3);
  EXPECT_EQ(fncBox_turns(box).size(), 8u);
  EXPECT_EQ(fncBox_turns(box, fncCell_bit(0, 0, 0)).size(), 1u);
  std::array<uint64_t, kPieces> blocks{};
  blocks[0] = kL, blocks[1] = kBar, blocks[2] = kBar << 4;
  const std::vector<BlockType> types = fncBlock_types(blocks, box);
  const std::vector<CellMap> turns = fncBox_turns(box);
  const Anchor a = fncAnchor_choose(types, turns);
  ASSERT_EQ(a.type, 0);  // the twin bars cannot anchor
  for (uint64_t p : types[0].places) {
    int reps = 0;
    for (uint64_t r : a.places)
      reps += std::any_of(turns.begin(), turns.end(), [&](const CellMap& to) { return fncCells_map(to, r) == p; });
    EXPECT_EQ(reps, 1);
  }
  EXPECT_LT(a.places.size(), types[0].places.size());
  EXPECT_EQ(fncAnchor_choose(types, {turns.front()}).type, -1);
}

}  // namespace
}  // namespace pakkon
