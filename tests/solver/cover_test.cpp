#include "solver/cover.h"

#include <gtest/gtest.h>

#include <atomic>

#include "solver/placements.h"

namespace pakkon {
namespace {

// Four bars of two in a 2 x 2 x 2 box: twins are one type, so each way
// (9 of them, as pairs of dominoes fill the cube) comes once; a visitor
// can stop at the first, and a raised flag stops the search when polled.
TEST(ExactCover, CountsEachCoverOnceStopsWhenAskedAndWhenCancelled) {
  const uint64_t box = fncBox_mask(2, 2, 2);
  std::array<uint64_t, kPieces> blocks{};
  for (int b = 0; b < 4; ++b) blocks[static_cast<size_t>(b)] = 0x3;
  const std::vector<BlockType> types = fncBlock_types(blocks, box);
  ASSERT_EQ(types.size(), 1u);
  ExactCover cover({4}, {types[0].places});
  ASSERT_TRUE(cover.open(box));
  int covers = 0;
  EXPECT_EQ(cover.run(box,
                      [&](int depth) {
                        uint64_t all = 0;
                        for (int d = 0; d < depth; ++d) all |= cover.chosen(d);
                        EXPECT_EQ(all, box);
                        EXPECT_EQ(depth, 4);
                        ++covers;
                        return true;
                      }),
            ExactCover::End::Complete);
  EXPECT_EQ(covers, 9);
  covers = 0;
  EXPECT_EQ(cover.run(box, [&](int) { return ++covers < 2; }), ExactCover::End::Visitor);
  EXPECT_EQ(covers, 2);

  // Plain branching finds the same covers, and a cap on nodes cuts it.
  ExactCover plain({4}, {types[0].places}, {}, CoverBranch::Plain);
  covers = 0;
  EXPECT_EQ(plain.run(box, [&](int) { return ++covers > 0; }), ExactCover::End::Complete);
  EXPECT_EQ(covers, 9);
  ExactCover capped({4}, {types[0].places}, {nullptr, std::nullopt, 5}, CoverBranch::Plain);
  EXPECT_EQ(capped.run(box, [](int) { return true; }), ExactCover::End::Limits);
  EXPECT_EQ(capped.nodes(), 5u);

  // A cell no place reaches, or a type without places, is closed at once.
  EXPECT_FALSE(ExactCover({1}, {{0x3}}).open(0x7));
  EXPECT_FALSE(ExactCover({1, 1}, {{0x3}, {}}).open(0x3));

  // Eight single cells, each its own type, fill 4 x 2 x 1 in 8! ways; the
  // raised flag ends the search at its first look.
  std::atomic<bool> cancel{true};
  std::vector<int> ones(8, 1);
  std::vector<std::vector<uint64_t>> cells(8);
  const uint64_t half = fncBox_mask(4, 2, 1);
  for (auto& c : cells) subShape_places(1, half, c);
  ExactCover cancelled(ones, cells, {&cancel, std::nullopt});
  EXPECT_EQ(cancelled.run(half, [](int) { return true; }), ExactCover::End::Limits);
  EXPECT_LE(cancelled.nodes(), 1024u);
}

}  // namespace
}  // namespace pakkon
