#include "autoload/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>

#include "autoload/hooks.h"
#include "autoload/search_reference.h"
#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "support/state_compare.h"

namespace pakkon {
namespace {

using test::contrived;
using test::initialised;
using test::RecordingHooks;

bool has(const std::vector<std::string>& v, const std::string& s) {
  return std::find(v.begin(), v.end(), s) != v.end();
}

TEST(AutoLoad, FillsTheSampleWithOneResultLine) {
  for (bool dead : {false, true}) {
    PuzzleState st = initialised(subSamplePuzzle_set);
    RecordingHooks hooks;
    hooks.deadSpace = dead;
    const AutoLoadResult r = fncAutoLoad_run(st, hooks);
    EXPECT_EQ(r.end, AutoLoadEnd::Filled);
    // Dead-space pruning skips the rest of an orientation and ends elsewhere.
    EXPECT_EQ(r.tests, dead ? 6118686 : 13910585);
    EXPECT_EQ(hooks.results,
              std::vector<std::string>{dead ? " 0, 0, 1  1, 0, 0  2, 4, 1  3, 0, 3  4, 1, 1  5, 0, 0  6, 0, 1 "
                                            : " 0, 0, 1  1, 0, 0  2, 1, 0  3, 0, 0  4, 0, 1  5, 2, 0  6, 1, 1 "});
    EXPECT_EQ(hooks.sums, std::vector<std::string>{"27 : 27"});
    EXPECT_EQ(hooks.messages, std::vector<std::string>{"♪おめでとう♪|☆グレイト☆　お疲れさまでした|64"});
    // Each box cell is filled inside the box only, in the colours of the block standing on it.
    for (int i = 0; i < 64; ++i) {
      const int x = i / 16, y = i / 4 % 4, z = i % 4;
      int owner = 0;
      for (int b = 0; b < kPieces; ++b)
        if (st.G_iPiece[b][x][y][z]) owner = b + 1;
      EXPECT_EQ(st.G_iBox[x][y][z], x < 3 && y < 3 && z < 3);
      EXPECT_EQ(st.G_lBoxColor[x][y][z][2], st.G_iBox[x][y][z] ? st.G_lColor[owner][2] : 0);
    }
  }
}

TEST(AutoLoad, ResultLineGivesTheBlockAtEachPositionThenBlockICounters) {
  PuzzleState st = initialised(subSamplePuzzle_set);
  EXPECT_EQ(fncResult_line(st, 1), " 0, 0, 0  1, 0, 0 ");
  st.GE_iRotation[0] = 3;
  st.GE_iRotation[1] = -1;
  st.G_Info_Piece[0] = {2, 5, 3};
  st.G_Info_Piece[3] = {1, 4, 1};
  EXPECT_EQ(fncResult_line(st, 1), " 3, 5, 3 -1, 0, 0 ");
}

TEST(AutoLoad, BacktrackingTurnsTheEarlierBlockAndNeverMovesItOn) {
  // A single cell takes x = 0 of a 3 x 1 x 1 box; the block of two cells
  // with a gap would fit only if the single cell moved on to x = 1.
  PuzzleState st = contrived(3, 1, 1, {{{0, 0, 0}}, {{0, 0, 0}, {2, 0, 0}}});
  RecordingHooks hooks;
  hooks.every = 1;
  LoaderVars vars;
  hooks.onPump = [&] { vars.bStop = st.GE_iRotation[0] != 0; };  // once the order has failed
  EXPECT_EQ(fncAutoLoad_run(st, hooks, {.vars = &vars}).end, AutoLoadEnd::Stopped);
  EXPECT_FALSE(vars.bStop);
  // 24 orientations of the cell, all at (0,0,0), each followed by all 32
  // positions of all 24 orientations of the other block.
  EXPECT_EQ(hooks.asked - 1, 24 * (1 + 24 * 32));
  EXPECT_TRUE(hooks.results.empty());
}

// Three cells for a box of two.
PuzzleState unfillable() { return contrived(2, 1, 1, {{{0, 0, 0}, {1, 0, 0}}, {{0, 0, 0}}}); }

TEST(AutoLoad, EightFailedOrdersTakeTheNextRotationNumber) {
  PuzzleState st = unfillable();
  RecordingHooks hooks(true);
  hooks.every = 1;
  LoaderVars vars;
  hooks.onPump = [&] { vars.bStop = st.GE_lRotate != 12345678; };
  EXPECT_EQ(fncAutoLoad_run(st, hooks, {.vars = &vars}).end, AutoLoadEnd::Stopped);
  EXPECT_EQ(st.GE_lRotate, 12345687);
  EXPECT_EQ(std::count(hooks.lines.begin(), hooks.lines.end(), "autoInfoShow"), 9);  // eight shifts, the new order
  EXPECT_EQ(vars.lStep, 0);
  // Orders with a block without cells in front end short and turn that block.
  EXPECT_TRUE(has(hooks.sums, "1 : 3") && has(hooks.sums, "0 : 3"));
  EXPECT_TRUE(has(hooks.lines, "lblFaceV(2) 5"));
}

TEST(AutoLoad, PastTheLastOrderTheRunEndsWithTheRotationMessage) {
  PuzzleState st = unfillable();
  st.GE_lRotate = 87654321;
  for (int k = 0; k < kPieces; ++k) st.GE_iRotation[k] = static_cast<int16_t>(7 - k);
  RecordingHooks hooks;
  EXPECT_EQ(fncAutoLoad_run(st, hooks).end, AutoLoadEnd::OrdersExhausted);
  EXPECT_EQ(hooks.messages, std::vector<std::string>{"残念|ローテーション一周しました。アルゴリズムを見直そう|48"});
  // Digits 1 and 0 of 102345678: the second names no block.
  EXPECT_EQ(st.GE_lRotate, 102345678);
  EXPECT_EQ(st.GE_iRotation[1], -1);
  // The next run copes with that, and with block 1 at positions 0 and 1
  // once the order is shifted, and ends the same way.
  RecordingHooks again;
  EXPECT_EQ(fncAutoLoad_run(st, again).end, AutoLoadEnd::OrdersExhausted);
  EXPECT_EQ(st.GE_lRotate, 102345687);
}

TEST(AutoLoad, RotationNumberStepsLikeCountingByOne) {
  using autoload_internal::fncRotate_next;
  using autoload_internal::fncRotate_stepped;
  EXPECT_EQ(fncRotate_next(18765432), 21345678);
  EXPECT_EQ(fncRotate_next(87654321), 102345678);
  std::mt19937 random(5);
  char digits[] = "12345678";
  for (int i = 0; i < 100; ++i) {
    std::shuffle(digits, digits + 8, random);
    ASSERT_EQ(fncRotate_next(std::atoi(digits)), fncRotate_stepped(std::atoi(digits))) << digits;
  }
  for (int32_t v : {0, -12345679, 102345678, 88888888}) EXPECT_EQ(fncRotate_next(v), fncRotate_stepped(v)) << v;
  // Nothing above 2147483645 is accepted: stepping stops at the top.
  EXPECT_EQ(fncRotate_stepped(2147483640), 2147483645);
  EXPECT_EQ(fncRotate_stepped(2147483645), 2147483647);
  EXPECT_EQ(fncRotate_stepped(2147483647), 2147483647);
}

TEST(AutoLoad, StopEndsSilentlyAndTheNextRunRestartsFromTheStoredOrientations) {
  PuzzleState whole = initialised(subSamplePuzzle_set);
  RecordingHooks plain;
  fncAutoLoad_run(whole, plain);

  PuzzleState st = initialised(subSamplePuzzle_set);
  RecordingHooks stopper;
  stopper.every = 2000000;
  LoaderVars vars;
  stopper.onPump = [&] { vars.bStop = true; };
  const AutoLoadResult stopped = fncAutoLoad_run(st, stopper, {.vars = &vars});
  EXPECT_EQ(stopped.end, AutoLoadEnd::Stopped);
  EXPECT_EQ(stopped.tests, 1999999);  // the pump comes before its test
  EXPECT_FALSE(vars.bStop);
  EXPECT_TRUE(stopper.messages.empty() && stopper.results.empty());

  // Before its first test the next run has an empty box and every block at
  // the origin in the orientation its counters name.
  PuzzleState expected = st, first;
  for (int b = 0; b < 7; ++b) {
    subPiece_setFace(expected, b, st.G_Info_Piece[b].iFace_ct);
    for (int t = 0; t < st.G_Info_Piece[b].iTurn_CtZ; ++t) subPiece_turnZ(expected, b);
    subPiece_origin(expected, b);
  }
  RecordingHooks resumed;
  resumed.every = 1;
  resumed.onPump = [&] {
    if (resumed.asked == 1) first = st;
    resumed.every = 0;
  };
  EXPECT_EQ(fncAutoLoad_run(st, resumed).end, AutoLoadEnd::Filled);
  EXPECT_EQ(fncBox_count(first.G_iBox), 0);
  EXPECT_EQ(std::memcmp(first.G_iPiece, expected.G_iPiece, sizeof first.G_iPiece), 0);
  // Only positions were lost: the same placement comes out.
  EXPECT_EQ(resumed.results, plain.results);
  std::memcpy(st.G_iBoxWork, whole.G_iBoxWork, sizeof(Grid));
  EXPECT_EQ(test::firstDifference(st, whole), "");
}

TEST(AutoLoad, WithoutBlockCellsNothingHappens) {
  PuzzleState st = initialised(subPieces_clear);
  st.G_Info_Piece[2] = {1, 2, 3};
  const PuzzleState before = st;
  RecordingHooks hooks;
  for (auto run : {fncAutoLoad_run, fncAutoLoad_runReference}) {
    const AutoLoadResult r = run(st, hooks, {});
    EXPECT_TRUE(r.end == AutoLoadEnd::NoBlocks && r.tests == 0);
  }
  EXPECT_EQ(hooks.calls + hooks.asked, 0);
  EXPECT_EQ(test::firstDifference(st, before), "");
}

TEST(AutoLoad, ABlockWithoutCellsInFrontIsTurnedThroughItsOrientations) {
  PuzzleState st = initialised(subSamplePuzzle_set);
  const int16_t order[8] = {7, 0, 1, 2, 3, 4, 5, 6};
  std::memcpy(st.GE_iRotation, order, sizeof order);
  RecordingHooks hooks(true);
  EXPECT_EQ(fncAutoLoad_run(st, hooks).end, AutoLoadEnd::Filled);
  // Block 8 fits at once and block 7 is left out, 24 times, labelled in block 8's column.
  ASSERT_EQ(hooks.sums.size(), 25u);
  EXPECT_EQ(hooks.sums[0], "23 : 27");
  EXPECT_EQ(std::count(hooks.lines.begin(), hooks.lines.end(), "lblTurn_CtZ(7) 1"), 6);
  EXPECT_EQ(st.GE_iRotation[0], 0);
}

TEST(AutoLoad, OrderEntriesOutsideTheBlocksAndBadCountersStillEnd) {
  PuzzleState st = unfillable();
  st.GE_lRotate = 87654312;
  const int16_t order[8] = {1, 8, -1, 0, 2, 3, 4, 5};  // digits 9 and 0
  std::memcpy(st.GE_iRotation, order, sizeof order);
  st.G_Info_Piece[0] = {0, 9, 40};
  st.G_Info_Piece[1] = {0, -3, 32767};
  RecordingHooks hooks(true);
  EXPECT_EQ(fncAutoLoad_run(st, hooks, {.maxTests = 5000000}).end, AutoLoadEnd::OrdersExhausted);
  EXPECT_EQ(hooks.lines[3], "stripColour 1 0");  // no colour row for entry 8
  EXPECT_EQ(hooks.sums[0], "1 : 3");             // entry 8 is no block
  // Block 2 in front with its turn count above 3 moves on to its next face.
  EXPECT_TRUE(has(hooks.lines, "lblFaceV(1) -2"));
  EXPECT_FALSE(has(hooks.lines, "pieceDraw 8") || has(hooks.lines, "pieceDraw -1"));
}

}  // namespace
}  // namespace pakkon
