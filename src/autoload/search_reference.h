#pragma once
// The auto loader's search taken step by step on the state record through
// the geometry routines. It is the yardstick the fast form is tested and
// timed against, and where the fast form hands over when the state holds
// values its masks cannot carry.

#include <cstdint>
#include <memory>

#include "autoload/search.h"

namespace pakkon {

AutoLoadResult fncAutoLoad_runReference(PuzzleState& st, AutoLoadHooks& hooks, const AutoLoadOptions& options = {});

namespace autoload_internal {

// A number in GE_iRotation outside 0..7 names no block, and nor does one
// that repeats the block of an earlier position: shared counters would let
// the later position undo the earlier one's progress for ever. Such an entry
// fits at its first test as a block without cells would, but it has one
// position and one orientation only, and nothing is read or written under
// its number.
constexpr bool isBlock(int b) { return b >= 0 && b < kPieces; }
// The block loaded at position p, or -1 for an entry that names none.
inline int fncBlock_at(const PuzzleState& st, int p) {
  const int b = st.GE_iRotation[p];
  if (!isBlock(b)) return -1;
  for (int q = 0; q < p; ++q)
    if (st.GE_iRotation[q] == b) return -1;
  return b;
}

// Where a search picks up: the restart point, or the placement test of
// position p for block b (the pump for that test already done).
enum class ResumeAt { Restart, Test };
struct Resume {
  ResumeAt at = ResumeAt::Restart;
  int last = 0;
  int p = 0;
  int b = 0;
  int64_t tests = 0;
};
// Where a slice of a run stopped: a pump is due, the demonstration pauses
// (for ms), the run has ended (with its result), or the fast form hands the
// run to the step-by-step one (from).
struct SliceEnd {
  enum class Kind { Pump, Pause, Ended, HandOver } kind = Kind::Ended;
  int ms = 0;
  AutoLoadResult result;
  Resume from;
};

// The step-by-step search, a slice at a time. After a pump or a pause, the
// next slice first looks at bStop.
class ReferenceSearch {
 public:
  ReferenceSearch(PuzzleState& st, AutoLoadHooks& hooks, const AutoLoadOptions& options, const Resume& from);
  ~ReferenceSearch();
  SliceEnd slice();

 private:
  class Reference;
  std::unique_ptr<Reference> r_;
};

// The start of a run for blocks 0..last: stored face and turns, block
// views, strip colours.
void subRun_start(PuzzleState& st, AutoLoadHooks& hooks, int last);

// The colour a strip column shows for an order entry: none for an entry
// that names no colour row.
int32_t fncStrip_colour(const PuzzleState& st, int entry);

// The next value above n that fncRotate_check accepts, stepping by one;
// 2147483647 (which it does not accept) when none is left below it.
int32_t fncRotate_stepped(int32_t n);
// The same value, by the next permutation when n is one of 1..8.
int32_t fncRotate_next(int32_t n);

inline constexpr int32_t kRotateLimit = 87654321;
inline constexpr const char* kFilledText = fncText_mark("☆グレイト☆　お疲れさまでした");
inline constexpr const char* kFilledTitle = fncText_mark("♪おめでとう♪");

}  // namespace autoload_internal
}  // namespace pakkon
