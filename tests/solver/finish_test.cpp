#include "solver/finish.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <random>

#include "geometry/loading.h"
#include "geometry/mask.h"
#include "geometry/orientation.h"
#include "maker/puzzle_text.h"
#include "support/packing.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

PuzzleState shipped(const std::string& name) { return test::shippedPuzzle(name); }

bool loadAt(PuzzleState& st, int b, uint64_t cells) {
  subMask_grid(cells, st.G_iPiece[b]);
  return fncPiece_load(st, b) == LoadRefusal::None;
}

// Completions (up to `limit`) by plain search, block after block over all
// its places, read from the grids; independent of the finish search on purpose.
std::vector<std::array<uint64_t, kPieces>> completions(const PuzzleState& st, size_t limit = SIZE_MAX) {
  const uint64_t box = fncBox_mask(st.G_iCellX, st.G_iCellY, st.G_iCellZ);
  const uint64_t fixed = fncGrid_mask(st.G_iBox);
  std::vector<int> free;
  for (int b = 0; b < kPieces; ++b)
    if (st.G_iPieceUsed[b] == 0 && fncGrid_mask(st.G_iPiece[b])) free.push_back(b);
  std::vector<std::array<uint64_t, kPieces>> out;
  if (fixed & ~box) return out;
  std::array<uint64_t, kPieces> at{};
  auto place = [&](auto& self, size_t i, uint64_t filled) -> void {
    if (i == free.size() || out.size() >= limit) {
      if (filled == box && out.size() < limit) out.push_back(at);
      return;
    }
    const int b = free[i];
    const auto turns = fncMask_orientations(fncGrid_mask(st.G_iPiece[b]));
    std::vector<uint64_t> shapes(turns.begin(), turns.end());
    std::sort(shapes.begin(), shapes.end());
    shapes.erase(std::unique(shapes.begin(), shapes.end()), shapes.end());
    for (int x = 0; x < kCells; ++x)
      for (int y = 0; y < kCells; ++y)
        for (int z = 0; z < kCells; ++z)
          for (uint64_t shape : shapes) {
            const MaskCell top = fncMask_high(shape);
            const uint64_t m = shape << (x + 4 * y + 16 * z);
            if (top.x + x >= kCells || top.y + y >= kCells || top.z + z >= kCells || (m & ~box) || (m & filled))
              continue;
            at[b] = m;
            self(self, i + 1, filled | m);
            at[b] = 0;
          }
  };
  place(place, 0, fixed);
  return out;
}

// Blocks loaded where the solution has them: the box can be finished, the
// hint takes the free block with the fewest places over all completions
// (counted by plain search on the small boxes) and keeps the box finishable.
TEST(Finish, PartialStatesOfASolutionAreFinishableAndTheHintKeepsThemSo) {
  std::mt19937 random(1);
  for (const std::string name : {"01-first-step", "03-flat-box", "05-brick", "06-soma-cube", "13-last-challenge"}) {
    const PuzzleState made = shipped(name);
    for (int round = 0; round < 10; ++round) {
      PuzzleState st = made;
      for (int b = 0; b < kPieces; ++b)
        if (random() % 2) loadAt(st, b, fncGrid_mask(made.G_iPieceOrg[b]));
      const FinishProblem p = fncFinish_problem(st);
      ASSERT_EQ(fncFinish_check(p), FinishAnswer::Yes) << name;
      const FinishHint h = fncFinish_hint(p);
      ASSERT_EQ(h.answer, FinishAnswer::Yes);
      if (h.block < 0) continue;  // all loaded
      if (name < "06") {
        const auto all = completions(st);
        const auto places = fncFinish_places(p);
        ASSERT_TRUE(places.has_value());
        int tightest = -1;
        for (int b = 0; b < kPieces; ++b) {
          if (!p.isFree(b)) continue;
          std::vector<uint64_t> seen;
          for (const auto& c : all) seen.push_back(c[b]);
          std::sort(seen.begin(), seen.end());
          const int n = static_cast<int>(std::unique(seen.begin(), seen.end()) - seen.begin());
          EXPECT_EQ((*places)[b], n) << name << " block " << b + 1;
          if (tightest < 0 || n < (*places)[tightest]) tightest = b;
        }
        EXPECT_EQ(h.block, tightest) << name;
      }
      ASSERT_TRUE(loadAt(st, h.block, h.cells)) << name;
      EXPECT_EQ(fncFinish_check(fncFinish_problem(st)), FinishAnswer::Yes) << name << " block " << h.block + 1;
    }
  }
}

TEST(Finish, TwoLoneCellsCannotBeFilledThoughNeitherIsWalledIn) {
  // A 3 x 3 x 3 box full but for two cells apart, and a domino to fill them.
  FinishProblem p;
  p.box = fncBox_mask(3, 3, 3);
  const uint64_t holes = fncCell_bit(2, 2, 2) | fncCell_bit(2, 0, 0);
  p.fixed = p.inBox[1] = p.shape[1] = p.made[1] = p.box & ~holes;
  p.loaded = 0b10;
  p.shape[0] = p.made[0] = fncCell_bit(0, 0, 0) | fncCell_bit(1, 0, 0);
  EXPECT_EQ(fncMask_sealed(p.fixed) & holes, 0u);
  EXPECT_EQ(fncFinish_check(p), FinishAnswer::No);
  // Turned partly out of the box, the content cannot be finished until it is back.
  PuzzleState st = shipped("06-soma-cube");
  for (int b = 0; b < 6; ++b) ASSERT_TRUE(loadAt(st, b, fncGrid_mask(st.G_iPieceOrg[b])));
  EXPECT_EQ(fncFinish_check(fncFinish_problem(st)), FinishAnswer::Yes);
  subPuzzle_turnZ(st);
  ASSERT_TRUE(fncFinish_problem(st).outside());
  EXPECT_EQ(fncFinish_check(fncFinish_problem(st)), FinishAnswer::No);
}

// Filled cells no loaded block owns, as a save in the middle of the auto
// loader leaves them or as a cell made by hand: no set of blocks takes them
// out, Clear does, and only the truly empty box decides that nothing helps.
TEST(Finish, CellsNoLoadedBlockOwnsAreTakenOutByClearing) {
  const PuzzleState made = shipped("05-brick");
  PuzzleState st = made;
  // Loading numbers every filled cell, so the strays come after.
  ASSERT_TRUE(loadAt(st, 2, fncGrid_mask(made.G_iPieceOrg[2])));
  const uint64_t stray = fncGrid_mask(made.G_iPieceOrg[0]) | fncGrid_mask(made.G_iPieceOrg[1]);
  subMask_grid(stray | fncGrid_mask(st.G_iBox), st.G_iBox);
  const FinishProblem p = fncFinish_problem(st);
  EXPECT_EQ(p.unowned(), stray);
  EXPECT_EQ(fncFinish_check(p), FinishAnswer::No);
  FinishHint h = fncFinish_hint(p);
  EXPECT_EQ(h.answer, FinishAnswer::No);
  EXPECT_TRUE(h.remove.empty());
  EXPECT_TRUE(h.clear);

  // One cell by hand where a block is missing: not even the empty box.
  PuzzleState lacking = made;
  std::memset(lacking.G_iPiece[4], 0, sizeof(Grid));
  std::memset(lacking.G_iPieceOrg[4], 0, sizeof(Grid));
  lacking.G_iBox[0][0][0] = 1;
  h = fncFinish_hint(fncFinish_problem(lacking));
  EXPECT_EQ(h.answer, FinishAnswer::No);
  EXPECT_TRUE(h.remove.empty());
  EXPECT_FALSE(h.clear);
}

TEST(Finish, TheBlocksToTakeOutAreTheFewestThatHelp) {
  std::mt19937 random(3);
  int unfinishable = 0;
  for (const char* name : {"01-first-step", "02-small-tower", "03-flat-box", "04-pillar", "05-brick"}) {
    const PuzzleState made = shipped(name);
    for (int round = 0; round < 20; ++round) {
      // Blocks loaded wherever they happen to fit.
      PuzzleState st = made;
      for (int b = 0; b < kPieces; ++b) {
        const auto turns = fncMask_orientations(fncGrid_mask(st.G_iPiece[b]));
        const uint64_t at = turns[random() % kOrientations] << (random() % 2 + 4 * (random() % 2));
        if (fncGrid_mask(st.G_iPiece[b]) && random() % 2) loadAt(st, b, at);
      }
      const FinishHint h = fncFinish_hint(fncFinish_problem(st));
      ASSERT_EQ(h.answer == FinishAnswer::Yes, !completions(st, 1).empty()) << name;
      if (h.answer == FinishAnswer::Yes) continue;
      ++unfinishable;
      unsigned want = 0, loaded = 0;
      for (int b : h.remove) want |= 1u << b;
      for (int b = 0; b < kPieces; ++b) loaded |= st.G_iPieceUsed[b] ? 1u << b : 0;
      ASSERT_FALSE(h.remove.empty());
      for (unsigned s = 1; s <= loaded; ++s) {
        if ((s & ~loaded) || std::popcount(s) > std::popcount(want)) continue;
        PuzzleState out = st;
        for (int b = 0; b < kPieces; ++b)
          if (s >> b & 1) subPiece_unload(out, b);
        const bool helps = !completions(out, 1).empty();
        EXPECT_TRUE(s != want || helps) << name;
        EXPECT_TRUE(std::popcount(s) == std::popcount(want) || !helps) << name << " set " << s;
      }
    }
  }
  EXPECT_GT(unfinishable, 10);
}

}  // namespace
}  // namespace pakkon
