// The mask-based run against the step-by-step form: the same final state,
// the same result, the same calls with the same visible state.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>

#include "autoload/hooks.h"
#include "autoload/search.h"
#include "autoload/search_reference.h"
#include "geometry/orientation.h"
#include "support/state_compare.h"

namespace pakkon {
namespace {

using test::contrived;
using test::initialised;
using test::RecordingHooks;

// Unoptimised builds follow the long runs only this far.
#ifdef NDEBUG
constexpr int64_t kLong = -1, kDemo = 3000000;
#else
constexpr int64_t kLong = 300000, kDemo = 200000;
#endif

// What a pump does to the state, given how many positions were asked about.
using PumpAction = std::function<void(PuzzleState&, LoaderVars&, RecordingHooks&)>;

AutoLoadResult expectSame(const PuzzleState& start, int64_t maxTests = -1, bool deadSpace = false, int every = 0,
                          const PumpAction& action = {}, bool demoRun = false) {
  PuzzleState fast = start, ref = start;
  LoaderVars vf{.bDemoRun = demoRun}, vr = vf;
  RecordingHooks hf, hr;
  for (auto [h, st, v] : {std::tuple{&hf, &fast, &vf}, std::tuple{&hr, &ref, &vr}}) {
    h->deadSpace = deadSpace;
    h->every = every;
    h->watch = st;
    h->watchVars = v;
    if (action) h->onPump = [&action, h, st, v] { action(*st, *v, *h); };
  }
  const AutoLoadResult rf = fncAutoLoad_run(fast, hf, {maxTests, &vf});
  const AutoLoadResult rr = fncAutoLoad_runReference(ref, hr, {maxTests, &vr});
  EXPECT_TRUE(rf.end == rr.end && rf.tests == rr.tests) << rf.tests << " " << rr.tests;
  EXPECT_TRUE(hf.asked == hr.asked && hf.deadAsked == hr.deadAsked && hf.pumps == hr.pumps);
  EXPECT_EQ(hf.calls, hr.calls);
  EXPECT_EQ(hf.digest, hr.digest);
  std::memcpy(fast.G_iBoxWork, ref.G_iBoxWork, sizeof(Grid));  // scratch
  EXPECT_EQ(test::firstDifference(fast, ref), "");
  EXPECT_TRUE(vf.bStop == vr.bStop && vf.lStep == vr.lStep);
  return rf;
}

TEST(AutoLoadIdentity, SampleFromTheStartAndFromStoredCounters) {
  for (bool dead : {false, true}) {
    PuzzleState st = initialised(subSamplePuzzle_set);
    EXPECT_EQ(expectSame(st, kLong, dead).end, kLong < 0 ? AutoLoadEnd::Filled : AutoLoadEnd::LimitReached);
    RecordingHooks hooks;
    hooks.deadSpace = dead;
    fncAutoLoad_run(st, hooks, {777777});
    expectSame(st, kLong, dead);
  }
}

TEST(AutoLoadIdentity, DemonstrationPuzzle) {
  PuzzleState st = initialised(subDemoPuzzle_set);
  st.iPiece_Sel = 2;  // backtracking onto block 3 redraws it
  expectSame(st, kDemo);
  expectSame(st, kDemo, true);
  expectSame(st, kDemo / 10, false, 0, {}, true);  // pauses and block redraws
}

TEST(AutoLoadIdentity, OrderFailuresRotationAndTheLimitMessage) {
  PuzzleState st = contrived(2, 1, 1, {{{0, 0, 0}, {1, 0, 0}}, {{0, 0, 0}}});
  st.GE_lRotate = 87654123;
  const int16_t order[8] = {7, 6, 5, 4, 1, 2, 3, 0};
  std::memcpy(st.GE_iRotation, order, sizeof order);
  EXPECT_EQ(expectSame(st).end, AutoLoadEnd::OrdersExhausted);
  // Block 3 has no cells, so block 4 is not set up at the start, and the
  // order soon holds repeated numbers.
  PuzzleState gap = contrived(3, 2, 1, {{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {}, {{0, 0, 0}, {1, 0, 0}}, {{0, 1, 0}}});
  gap.GE_lRotate = 87654312;
  expectSame(gap, -1, true);
}

TEST(AutoLoadIdentity, BlocksWithoutCellsAndEntriesNamingNoBlock) {
  PuzzleState st = initialised(subSamplePuzzle_set);
  const int16_t order[8] = {7, 0, 1, 2, 3, 4, 5, 6};
  std::memcpy(st.GE_iRotation, order, sizeof order);
  expectSame(st, kLong);

  PuzzleState bad = contrived(2, 1, 1, {{{0, 0, 0}, {1, 0, 0}}, {{0, 0, 0}}});
  bad.GE_lRotate = 87654312;
  const int16_t badOrder[8] = {1, 8, -1, 0, 2, 3, 4, 5};
  std::memcpy(bad.GE_iRotation, badOrder, sizeof badOrder);
  bad.G_Info_Piece[0] = {0, 9, 40};
  bad.G_Info_Piece[1] = {0, -3, 32767};
  expectSame(bad);
  expectSame(bad, -1, true);

  // A grid the masks cannot carry hands the whole run to the step-by-step form.
  st.G_iPieceOrg[7][1][1][1] = 2;
  expectSame(st, kDemo / 10);
}

TEST(AutoLoadIdentity, PumpsThatChangeTheState) {
  PuzzleState demo = initialised(subDemoPuzzle_set);
  const int64_t n = kDemo / 4;
  expectSame(
      demo, n, false, 5000,
      [](PuzzleState&, LoaderVars& v, RecordingHooks& h) {
        if (h.asked == 20000) v.bDemoRun = false;  // as the demonstration does
        if (h.asked == 40000) h.deadSpace = true;
      },
      true);
  // INIT in the middle of a run; a block turned by hand.
  expectSame(demo, n, false, 3000, [](PuzzleState& st, LoaderVars&, RecordingHooks& h) {
    if (h.asked == 30000) {
      for (int b = 0; b < kPieces; ++b) st.GE_iRotation[b] = static_cast<int16_t>(b), st.G_Info_Piece[b] = PieceInfo{};
      st.GE_lRotate = 12345678;
    }
    if (h.asked == 60000) subPiece_turnX(st, st.GE_iRotation[3]);
  });
  // A smaller box, a block as made replaced, colours without shade 0.
  expectSame(demo, n, false, 2500, [](PuzzleState& st, LoaderVars&, RecordingHooks& h) {
    if (h.asked == 10000) subCellSize_set(st, 4, 3, 3);
    if (h.asked == 20000) std::memcpy(st.G_iPieceOrg[0], st.G_iPieceOrg[7], sizeof(Grid));
    if (h.asked == 30000) st.G_lColor[3][0] = st.G_lColor[4][1] = 0;
  });
  // Values the masks cannot carry: the rest of the run goes step by step.
  expectSame(demo, n, false, 4000, [](PuzzleState& st, LoaderVars&, RecordingHooks& h) {
    if (h.asked == 40000) st.G_iBox[3][3][2] = 2;
    if (h.asked == 44000) st.G_iBox[3][3][2] = 0;
  });
}

}  // namespace
}  // namespace pakkon
