// The mask-based run against the step-by-step form: the same final state,
// the same result and the same calls with the same visible state.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

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

// Unoptimised builds compare the long runs only as far as this.
#ifdef NDEBUG
constexpr int64_t kLong = -1;
constexpr int64_t kDemoTests = 3000000;
#else
constexpr int64_t kLong = 300000;
constexpr int64_t kDemoTests = 200000;
#endif

using PumpAction = std::function<void(PuzzleState&, RecordingHooks&, int64_t asked)>;

struct Options {
  Options& dead(bool d = true) {
    deadSpace = d;
    return *this;
  }
  Options& limit(int64_t n) {
    options.maxTests = n;
    return *this;
  }
  // Pumps on every k-th question.
  Options& pumps(int k, PumpAction action = {}) {
    every = k;
    onPump = std::move(action);
    return *this;
  }
  bool deadSpace = false;
  int every = 0;
  PumpAction onPump;
  AutoLoadOptions options;
};

AutoLoadResult expectSame(const PuzzleState& start, const Options& s = Options()) {
  PuzzleState fast = start, ref = start;
  RecordingHooks hf, hr;
  for (auto [h, st] : {std::pair{&hf, &fast}, std::pair{&hr, &ref}}) {
    h->deadSpace = s.deadSpace;
    h->every = s.every;
    h->watch = st;
    if (s.onPump) h->onPump = [&s, h, st](int64_t asked) { s.onPump(*st, *h, asked); };
  }
  const AutoLoadResult rf = fncAutoLoad_run(fast, hf, s.options);
  const AutoLoadResult rr = fncAutoLoad_runReference(ref, hr, s.options);
  EXPECT_EQ(rf.end, rr.end);
  EXPECT_EQ(rf.tests, rr.tests);
  EXPECT_EQ(hf.asked, hr.asked);
  EXPECT_EQ(hf.pumps, hr.pumps);
  EXPECT_EQ(hf.deadAsked, hr.deadAsked);
  EXPECT_EQ(hf.calls, hr.calls);
  EXPECT_EQ(hf.digest, hr.digest);
  std::memcpy(fast.G_iBoxWork, ref.G_iBoxWork, sizeof(Grid));  // scratch
  EXPECT_EQ(test::firstDifference(fast, ref), "");
  return rf;
}

TEST(AutoLoadIdentity, Sample) {
  for (bool dead : {false, true}) {
    SCOPED_TRACE(dead);
    const AutoLoadResult r = expectSame(initialised(subSamplePuzzle_set), Options().dead(dead).limit(kLong));
    EXPECT_EQ(r.end, kLong < 0 ? AutoLoadEnd::Filled : AutoLoadEnd::LimitReached);
  }
}

TEST(AutoLoadIdentity, DemonstrationPuzzle) {
  PuzzleState st = initialised(subDemoPuzzle_set);
  st.iPiece_Sel = 2;  // backtracking onto block 3 redraws it
  expectSame(st, Options().limit(kDemoTests));
  expectSame(st, Options().dead(true).limit(kDemoTests));
  st.bDemoRun = true;  // pauses and block redraws
  expectSame(st, Options().limit(kDemoTests / 10));
}

TEST(AutoLoadIdentity, OrderFailuresRotationAndTheLimitMessage) {
  PuzzleState st = contrived(2, 1, 1, {{{0, 0, 0}, {1, 0, 0}}, {{0, 0, 0}}});
  st.GE_lRotate = 87654123;
  const int16_t order[8] = {7, 6, 5, 4, 1, 2, 3, 0};
  std::memcpy(st.GE_iRotation, order, sizeof order);
  EXPECT_EQ(expectSame(st).end, AutoLoadEnd::OrdersExhausted);
  // Block 2 has no cells, so block 4 is never set up at the start and the
  // order soon holds repeated numbers.
  PuzzleState three = contrived(3, 2, 1, {{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {}, {{0, 0, 0}, {1, 0, 0}}, {{0, 1, 0}}});
  three.GE_lRotate = 87654312;
  expectSame(three, Options().dead());
}

TEST(AutoLoadIdentity, ResumesFromStoredCounters) {
  for (bool dead : {false, true}) {
    PuzzleState st = initialised(subSamplePuzzle_set);
    RecordingHooks hooks;
    hooks.deadSpace = dead;
    ASSERT_EQ(fncAutoLoad_run(st, hooks, {.maxTests = 777777}).end, AutoLoadEnd::LimitReached);
    expectSame(st, Options().dead(dead).limit(kLong));
  }
}

TEST(AutoLoadIdentity, BlocksWithoutCellsAndNumbersNamingNoBlock) {
  PuzzleState st = initialised(subSamplePuzzle_set);
  const int16_t order[8] = {7, 0, 1, 2, 3, 4, 5, 6};
  std::memcpy(st.GE_iRotation, order, sizeof order);
  expectSame(st, Options().limit(kLong));

  // Gaps in the numbering: blocks 1 and 4 have no cells, block 6 does.
  PuzzleState gaps = initialised(subSamplePuzzle_set);
  std::memset(gaps.G_iPiece[1], 0, sizeof(Grid));
  std::memset(gaps.G_iPiece[4], 0, sizeof(Grid));
  subPieceOrg_set(gaps);
  gaps.G_iCellTotal = 27 - 5 - 2;
  subPiece_turnZ(gaps, 6);
  expectSame(gaps, Options().dead(true).limit(kDemoTests));

  PuzzleState bad = contrived(2, 1, 1, {{{0, 0, 0}, {1, 0, 0}}, {{0, 0, 0}}});
  bad.GE_lRotate = 87654312;
  const int16_t badOrder[8] = {8, -1, 0, 1, 2, 3, 4, 5};
  std::memcpy(bad.GE_iRotation, badOrder, sizeof badOrder);
  bad.G_Info_Piece[0] = {0, 9, 40};
  bad.G_Info_Piece[1] = {0, -3, -2};
  expectSame(bad);
  bad.GE_iRotation[0] = 1;
  bad.GE_iRotation[1] = 32000;
  bad.G_Info_Piece[1] = {0, 4, 32767};
  expectSame(bad, Options().dead());
}

TEST(AutoLoadIdentity, PumpsThatChangeNothingChangeNothing) {
  const PuzzleState st = initialised(subDemoPuzzle_set);
  PuzzleState quiet = st, pumped = st;
  RecordingHooks hq, hp;
  hp.every = 997;
  hq.watch = &quiet;
  hp.watch = &pumped;
  const AutoLoadResult rq = fncAutoLoad_run(quiet, hq, {.maxTests = kDemoTests});
  const AutoLoadResult rp = fncAutoLoad_run(pumped, hp, {.maxTests = kDemoTests});
  EXPECT_GT(hp.pumps, 100);
  EXPECT_EQ(rq.tests, rp.tests);
  EXPECT_EQ(hq.digest, hp.digest);
  EXPECT_EQ(test::firstDifference(quiet, pumped), "");
}

TEST(AutoLoadIdentity, PumpsThatChangeTheState) {
  const PuzzleState demo = initialised(subDemoPuzzle_set);
  const int64_t n = kDemoTests / 4;
  // The demonstration's switches cleared, then ticked again.
  PuzzleState slow = demo;
  slow.bDemoRun = true;
  expectSame(slow, Options().limit(n).pumps(5000, [](PuzzleState& st, RecordingHooks& h, int64_t asked) {
                      if (asked == 20000) st.bDemoRun = false;
                      if (asked == 40000) h.deadSpace = true;
                    }));
  // INIT in the middle of a run, and a block turned by hand.
  expectSame(demo, Options().limit(n).pumps(3000, [](PuzzleState& st, RecordingHooks&, int64_t asked) {
                      if (asked == 30000) {
                        for (int b = 0; b < kPieces; ++b) {
                          st.GE_iRotation[b] = static_cast<int16_t>(b);
                          st.G_Info_Piece[b] = {};
                        }
                        st.GE_lRotate = 12345678;
                      }
                      if (asked == 60000) subPiece_turnX(st, st.GE_iRotation[3]);
                    }));
  // A smaller box, a block as made replaced, the colour table changed.
  expectSame(demo, Options().limit(n).pumps(2500, [](PuzzleState& st, RecordingHooks&, int64_t asked) {
                      if (asked == 10000) subCellSize_set(st, 4, 3, 3);
                      if (asked == 20000) std::memcpy(st.G_iPieceOrg[0], st.G_iPieceOrg[7], sizeof(Grid));
                      if (asked == 30000) st.G_lColor[3][0] = 0, st.G_lColor[4][1] = 0;
                    }));
  // Values the masks cannot carry: the run is finished step by step.
  expectSame(demo, Options().limit(n).pumps(4000, [](PuzzleState& st, RecordingHooks&, int64_t asked) {
                      if (asked == 40000) st.G_iBox[3][3][2] = 2;
                      if (asked == 44000) st.G_iBox[3][3][2] = 0;
                    }));
  expectSame(demo, Options().limit(n).pumps(4000, [](PuzzleState& st, RecordingHooks&, int64_t asked) {
                      if (asked == 8000) st.G_iPiece[st.GE_iRotation[1]][0][0][0] = 5;
                    }));
}

TEST(AutoLoadIdentity, StoredGridsTheMasksCannotCarry) {
  PuzzleState st = initialised(subSamplePuzzle_set);
  st.G_iPieceOrg[7][1][1][1] = -1;  // a block counted as without cells
  expectSame(st, Options().limit(kDemoTests / 10));
}

}  // namespace
}  // namespace pakkon
