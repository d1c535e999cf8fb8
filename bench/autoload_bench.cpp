// The auto loader headless: placement tests per second and the time to
// fill the sample, mask-based run against the step-by-step form.

#include <benchmark/benchmark.h>

#include "autoload/search.h"
#include "autoload/search_reference.h"
#include "model/builtin.h"

namespace pakkon {
namespace {

using Runner = AutoLoadResult (*)(PuzzleState&, AutoLoadHooks&, const AutoLoadOptions&);

class Headless : public AutoLoadHooks {
 public:
  explicit Headless(bool deadSpace) : deadSpace_(deadSpace) {}
  bool deadSpaceChecked() override { return deadSpace_; }

 private:
  bool deadSpace_;
};

PuzzleState initialised(void (*set)(PuzzleState&), int16_t total) {
  PuzzleState st;
  set(st);
  subPieceOrg_set(st);
  subColor_set(st);
  st.GE_lRotate = 12345678;
  for (int b = 0; b < kPieces; ++b) st.GE_iRotation[b] = static_cast<int16_t>(b);
  st.G_iCellTotal = total;
  return st;
}

// A bounded run on the 4 x 4 x 3 demonstration puzzle.
void BM_AutoLoadTests(benchmark::State& state, Runner run, int64_t tests) {
  const PuzzleState start = initialised(subDemoPuzzle_set, 48);
  Headless hooks(false);
  int64_t total = 0;
  for (auto _ : state) {
    PuzzleState st = start;
    total += run(st, hooks, {.maxTests = tests}).tests;
    benchmark::DoNotOptimize(st);
  }
  state.counters["tests/s"] = benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(BM_AutoLoadTests, fast, fncAutoLoad_run, 50000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AutoLoadTests, reference, fncAutoLoad_runReference, 5000000)->Unit(benchmark::kMillisecond);

void BM_AutoLoadFillSample(benchmark::State& state, Runner run, bool deadSpace) {
  const PuzzleState start = initialised(subSamplePuzzle_set, 27);
  Headless hooks(deadSpace);
  AutoLoadResult r;
  for (auto _ : state) {
    PuzzleState st = start;
    r = run(st, hooks, {});
    benchmark::DoNotOptimize(st);
  }
  if (r.end != AutoLoadEnd::Filled) state.SkipWithError("the sample was not filled");
  state.counters["tests"] = static_cast<double>(r.tests);
  state.counters["tests/s"] = benchmark::Counter(static_cast<double>(r.tests) * static_cast<double>(state.iterations()),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(BM_AutoLoadFillSample, fast, fncAutoLoad_run, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AutoLoadFillSample, fast_dead_space, fncAutoLoad_run, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AutoLoadFillSample, reference, fncAutoLoad_runReference, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AutoLoadFillSample, reference_dead_space, fncAutoLoad_runReference, true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pakkon
