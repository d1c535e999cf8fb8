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

// Which block's colour each box cell carries, 1..8; 0 for an empty cell.
int blockAt(const PuzzleState& st, int x, int y, int z) {
  if (st.G_iBox[x][y][z] == 0) return 0;
  for (int k = 1; k <= kPieces; ++k)
    if (std::memcmp(st.G_lBoxColor[x][y][z], st.G_lColor[k], sizeof st.G_lColor[k]) == 0) return k;
  return -1;
}

TEST(AutoLoad, FillsTheSampleWithOneResultLine) {
  for (bool dead : {false, true}) {
    SCOPED_TRACE(dead ? "dead space" : "plain");
    PuzzleState st = initialised(subSamplePuzzle_set);
    RecordingHooks hooks;
    hooks.deadSpace = dead;
    const AutoLoadResult r = fncAutoLoad_run(st, hooks);
    EXPECT_EQ(r.end, AutoLoadEnd::Filled);
    EXPECT_EQ(r.tests, dead ? 6118686 : 13910585);
    ASSERT_EQ(hooks.results.size(), 1u);
    EXPECT_EQ(hooks.results[0], dead ? " 0, 0, 1  1, 0, 0  2, 4, 1  3, 0, 3  4, 1, 1  5, 0, 0  6, 0, 1 "
                                     : " 0, 0, 1  1, 0, 0  2, 1, 0  3, 0, 0  4, 0, 1  5, 2, 0  6, 1, 1 ");
    EXPECT_EQ(hooks.sums, std::vector<std::string>{"27 : 27"});
    EXPECT_EQ(hooks.messages, std::vector<std::string>{"♪おめでとう♪|☆グレイト☆　お疲れさまでした|64"});
    // Every cell of the 3 x 3 x 3 box carries the colour of the block whose grid stands on it.
    for (int i = 0; i < 64; ++i) {
      const int x = i / 16, y = i / 4 % 4, z = i % 4;
      const bool inside = x < 3 && y < 3 && z < 3;
      int owner = 0;
      for (int b = 0; b < kPieces; ++b)
        if (st.G_iPiece[b][x][y][z]) owner = b + 1;
      EXPECT_EQ(st.G_iBox[x][y][z], inside ? 1 : 0);
      EXPECT_EQ(blockAt(st, x, y, z), inside ? owner : 0) << x << y << z;
    }
    for (int b = 0; b < 7; ++b) EXPECT_EQ(st.G_Info_Piece[b].iNo, b + 1);
    EXPECT_EQ(st.GE_lRotate, 12345678);
    EXPECT_EQ(st.lStep, 0);
  }
}

TEST(AutoLoad, ResultLineGivesTheBlockAtEachPositionAndBlockICounters) {
  PuzzleState st = initialised(subSamplePuzzle_set);
  EXPECT_EQ(fncResult_line(st, 1), " 0, 0, 0  1, 0, 0 ");
  st.GE_iRotation[0] = 3;
  st.G_Info_Piece[0] = {2, 5, 3};
  st.G_Info_Piece[3] = {1, 4, 1};
  st.GE_iRotation[1] = -1;
  EXPECT_EQ(fncResult_line(st, 1), " 3, 5, 3 -1, 0, 0 ");
}

TEST(AutoLoad, OrderShiftRotatesAllEightEntries) {
  PuzzleState st;
  for (int k = 0; k < kPieces; ++k) st.GE_iRotation[k] = static_cast<int16_t>(10 + k);
  subOrder_shift(st);
  EXPECT_EQ(std::vector<int16_t>(st.GE_iRotation, st.GE_iRotation + 8),
            (std::vector<int16_t>{11, 12, 13, 14, 15, 16, 17, 10}));
}

// Stops the run at the pump after the first failed order.
class StopAfterOrderFailure : public RecordingHooks {
 public:
  explicit StopAfterOrderFailure(PuzzleState& st) : st_(st) {}
  bool pumpDue() override { return failed_; }
  void pump() override { st_.bStop = true; }
  void autoInfoShow() override {
    failed_ = true;
    RecordingHooks::autoInfoShow();
  }

 private:
  PuzzleState& st_;
  bool failed_ = false;
};

TEST(AutoLoad, BacktrackingTurnsTheEarlierBlockAndNeverMovesItOn) {
  // A single cell first takes x = 0 of a 3 x 1 x 1 box; the two-cell block
  // with a gap would fit only if the single cell stood at x = 1.
  PuzzleState st = contrived(3, 1, 1, {{{0, 0, 0}}, {{0, 0, 0}, {2, 0, 0}}});
  StopAfterOrderFailure hooks(st);
  const AutoLoadResult r = fncAutoLoad_run(st, hooks);
  EXPECT_EQ(r.end, AutoLoadEnd::Stopped);
  // 24 orientations of the single cell, each at (0,0,0), each followed by
  // all 32 positions of all 24 orientations of the other block.
  EXPECT_EQ(r.tests, 24 * (1 + 24 * 32));
  EXPECT_TRUE(hooks.results.empty());
  EXPECT_FALSE(st.bStop);
  EXPECT_EQ(st.GE_iRotation[0], 1);
}

// Stops as soon as GE_lRotate has moved.
class StopOnNewOrder : public RecordingHooks {
 public:
  explicit StopOnNewOrder(PuzzleState& st) : st_(st), start_(st.GE_lRotate) {}
  bool pumpDue() override { return st_.GE_lRotate != start_; }
  void pump() override { st_.bStop = true; }
  void autoInfoShow() override {
    ++shows;
    RecordingHooks::autoInfoShow();
  }
  int shows = 0;

 private:
  PuzzleState& st_;
  int32_t start_;
};

// Three cells for a box of two: no order can ever fill it.
PuzzleState unfillable() { return contrived(2, 1, 1, {{{0, 0, 0}, {1, 0, 0}}, {{0, 0, 0}}}); }

TEST(AutoLoad, EightFailedOrdersTakeTheNextRotationNumber) {
  PuzzleState st = unfillable();
  StopOnNewOrder hooks(st);
  EXPECT_EQ(fncAutoLoad_run(st, hooks).end, AutoLoadEnd::Stopped);
  EXPECT_EQ(st.GE_lRotate, 12345687);
  EXPECT_EQ(hooks.shows, 9);  // eight shifts and the new order
  EXPECT_EQ(st.lStep, 0);
  for (int k = 0; k < kPieces; ++k) EXPECT_EQ(st.GE_iRotation[k], k);
  // Orders with a block without cells first end complete but short, and turn that block.
  EXPECT_NE(std::find(hooks.sums.begin(), hooks.sums.end(), "1 : 3"), hooks.sums.end());
  EXPECT_NE(std::find(hooks.sums.begin(), hooks.sums.end(), "0 : 3"), hooks.sums.end());
}

TEST(AutoLoad, PastTheLastOrderTheRunEndsWithTheRotationMessage) {
  PuzzleState st = unfillable();
  st.GE_lRotate = 87654321;
  for (int k = 0; k < kPieces; ++k) st.GE_iRotation[k] = static_cast<int16_t>(7 - k);
  RecordingHooks hooks;
  const AutoLoadResult r = fncAutoLoad_run(st, hooks);
  EXPECT_EQ(r.end, AutoLoadEnd::OrdersExhausted);
  EXPECT_EQ(hooks.messages, std::vector<std::string>{"残念|ローテーション一周しました。アルゴリズムを見直そう|48"});
  EXPECT_EQ(st.GE_lRotate, 102345678);
  // Digits 1 and 0 of the nine-digit value: the second names no block.
  EXPECT_EQ(st.GE_iRotation[0], 0);
  EXPECT_EQ(st.GE_iRotation[1], -1);

  // The next run copes with that entry, and with block 1 repeated at
  // positions 0 and 1 once the order has been shifted, and ends the same way.
  RecordingHooks again;
  EXPECT_EQ(fncAutoLoad_run(st, again).end, AutoLoadEnd::OrdersExhausted);
  EXPECT_EQ(st.GE_lRotate, 102345687);
  EXPECT_EQ(again.messages.size(), 1u);
}

TEST(AutoLoad, RotationNumberStepsLikeCountingByOne) {
  using autoload_internal::fncRotate_next;
  using autoload_internal::fncRotate_stepped;
  EXPECT_EQ(fncRotate_next(12345678), 12345687);
  EXPECT_EQ(fncRotate_next(18765432), 21345678);
  EXPECT_EQ(fncRotate_next(87654321), 102345678);
  std::mt19937 random(5);
  char digits[] = "12345678";
  for (int i = 0; i < 100; ++i) {
    std::shuffle(digits, digits + 8, random);
    const int32_t n = std::atoi(digits);
    ASSERT_EQ(fncRotate_next(n), fncRotate_stepped(n)) << n;
  }
  for (int32_t v : {87654300, 87654321, 0, -12345679, 102345678, 12345677, 88888888})
    EXPECT_EQ(fncRotate_next(v), fncRotate_stepped(v)) << v;
  // No accepted value is left above 2147483645: stepping stops at the top.
  EXPECT_EQ(fncRotate_stepped(2147483640), 2147483645);
  EXPECT_EQ(fncRotate_stepped(2147483645), 2147483647);
  EXPECT_EQ(fncRotate_stepped(2147483647), 2147483647);
}

// Pumps before the first test, where it keeps a copy of the state, and at
// the stopAt-th test, where it sets bStop.
class StopAtPump : public RecordingHooks {
 public:
  StopAtPump(PuzzleState& st, int64_t stopAt) : st_(st), stopAt_(stopAt) {}
  bool pumpDue() override { return ++asked == 1 || asked == stopAt_; }
  void pump() override {
    if (asked == 1) first = st_;
    if (asked == stopAt_) st_.bStop = true;
  }
  PuzzleState first;

 private:
  PuzzleState& st_;
  int64_t stopAt_;
};

TEST(AutoLoad, StopEndsSilentlyAndTheNextRunRestartsFromTheStoredOrientations) {
  PuzzleState whole = initialised(subSamplePuzzle_set);
  RecordingHooks plain;
  ASSERT_EQ(fncAutoLoad_run(whole, plain).end, AutoLoadEnd::Filled);

  PuzzleState st = initialised(subSamplePuzzle_set);
  StopAtPump stopper(st, 2000000);
  const AutoLoadResult stopped = fncAutoLoad_run(st, stopper);
  EXPECT_EQ(stopped.end, AutoLoadEnd::Stopped);
  EXPECT_EQ(stopped.tests, 1999999);  // the stopping pump comes before its test
  EXPECT_FALSE(st.bStop);
  EXPECT_TRUE(stopper.messages.empty());
  EXPECT_TRUE(stopper.results.empty());
  const PuzzleState atStop = st;

  StopAtPump resumed(st, -1);
  EXPECT_EQ(fncAutoLoad_run(st, resumed).end, AutoLoadEnd::Filled);
  // Before its first test the box is empty and every block stands at the
  // origin in the orientation its counters name.
  const PuzzleState& first = resumed.first;
  for (int i = 0; i < 64; ++i) EXPECT_EQ(first.G_iBox[i / 16][i / 4 % 4][i % 4], 0);
  PuzzleState expected = atStop;
  for (int b = 0; b < 7; ++b) {
    subPiece_setFace(expected, b, atStop.G_Info_Piece[b].iFace_ct);
    for (int t = 0; t < atStop.G_Info_Piece[b].iTurn_CtZ; ++t) subPiece_turnZ(expected, b);
    subPiece_origin(expected, b);
    EXPECT_EQ(std::memcmp(first.G_iPiece[b], expected.G_iPiece[b], sizeof(Grid)), 0) << b;
  }
  // Nothing but positions was lost: the same placement comes out.
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
    EXPECT_EQ(r.end, AutoLoadEnd::NoBlocks);
    EXPECT_EQ(r.tests, 0);
  }
  EXPECT_EQ(hooks.calls, 0);
  EXPECT_EQ(hooks.asked, 0);
  EXPECT_EQ(test::firstDifference(st, before), "");
}

TEST(AutoLoad, ABlockWithoutCellsFirstMakesShortPlacementsThatTurnIt) {
  PuzzleState st = initialised(subSamplePuzzle_set);
  const int16_t order[8] = {7, 0, 1, 2, 3, 4, 5, 6};
  std::memcpy(st.GE_iRotation, order, sizeof order);
  RecordingHooks hooks(true);
  EXPECT_EQ(fncAutoLoad_run(st, hooks).end, AutoLoadEnd::Filled);
  // Block 8 is placed at once; block 7's cells are missing, and block 8
  // takes each of its 24 orientations before the order is shifted.
  ASSERT_EQ(hooks.sums.size(), 25u);
  EXPECT_EQ(hooks.sums[0], "23 : 27");
  EXPECT_EQ(hooks.sums[24], "27 : 27");
  EXPECT_EQ(std::count(hooks.lines.begin(), hooks.lines.end(), "lblTurn_CtZ(7) 1"), 6);
  EXPECT_EQ(std::count(hooks.lines.begin(), hooks.lines.end(), "lblFaceV(7) 5"), 1);
  EXPECT_EQ(st.GE_iRotation[0], 0);
}

TEST(AutoLoad, OutOfRangeStoredValuesNameNoBlockAndTheRunStillEnds) {
  // Order entries 8 and -1 (digits 9 and 0), faces and turns outside their ranges.
  PuzzleState st = unfillable();
  st.GE_lRotate = 87654312;
  const int16_t order[8] = {8, -1, 0, 1, 2, 3, 4, 5};
  std::memcpy(st.GE_iRotation, order, sizeof order);
  st.G_Info_Piece[0] = {0, 9, 40};
  st.G_Info_Piece[1] = {0, -3, -2};
  RecordingHooks hooks(true);
  const AutoLoadResult r = fncAutoLoad_run(st, hooks, {.maxTests = 5000000});
  EXPECT_EQ(r.end, AutoLoadEnd::OrdersExhausted);
  EXPECT_EQ(hooks.lines[1], "stripColour 0 0");  // no colour row for entry 8
  EXPECT_EQ(hooks.lines[3], "stripColour 1 0");  // row 0 for -1
  // Both entries were placed without cells: one short result, then the order moved on.
  EXPECT_EQ(hooks.sums[0], "0 : 3");
  EXPECT_EQ(std::count(hooks.lines.begin(), hooks.lines.end(), "pieceDraw 8"), 0);
  EXPECT_EQ(std::count(hooks.lines.begin(), hooks.lines.end(), "pieceDraw -1"), 0);
}

TEST(AutoLoad, TestLimitEndsWithTheStateUpToDate) {
  PuzzleState st = initialised(subDemoPuzzle_set);
  RecordingHooks hooks;
  const AutoLoadResult r = fncAutoLoad_run(st, hooks, {.maxTests = 123457});
  EXPECT_EQ(r.end, AutoLoadEnd::LimitReached);
  EXPECT_EQ(r.tests, 123457);
  PuzzleState ref = initialised(subDemoPuzzle_set);
  RecordingHooks refHooks;
  EXPECT_EQ(fncAutoLoad_runReference(ref, refHooks, {.maxTests = 123457}).tests, 123457);
  std::memcpy(st.G_iBoxWork, ref.G_iBoxWork, sizeof(Grid));
  EXPECT_EQ(test::firstDifference(st, ref), "");
  EXPECT_EQ(fncAutoLoad_run(st, hooks, {.maxTests = 0}).tests, 0);
}

}  // namespace
}  // namespace pakkon
