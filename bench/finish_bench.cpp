// The finish check and the hint on every shipped puzzle, over a few hundred
// partial states each: blocks loaded where the solution has them, mixed
// with blocks loaded wherever they happen to fit. Figures per puzzle: the
// median and the worst single call.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "geometry/loading.h"
#include "geometry/mask.h"
#include "geometry/orientation.h"
#include "maker/puzzle_text.h"
#include "solver/finish.h"

namespace pakkon {
namespace {

const std::filesystem::path kPuzzles = std::filesystem::path(__FILE__).parent_path().parent_path() / "data/puzzles";
constexpr int kStates = 300;

std::vector<PuzzleState> partialStates(const PuzzleState& made, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<PuzzleState> out;
  for (int i = 0; i < kStates; ++i) {
    PuzzleState st = made;
    for (int b = 0; b < kPieces; ++b) {
      const uint64_t shape = fncGrid_mask(st.G_iPieceOrg[b]);
      if (!shape) continue;
      uint64_t at = 0;
      switch (random() % 6) {
        case 0:
        case 1: at = shape; break;
        case 2: {
          const uint64_t turned = fncMask_orientations(shape)[random() % kOrientations];
          at = turned << (random() % 4 + 4 * (random() % 4) + 16 * (random() % 4));
          if (fncMask_origin(at) != turned) at = 0;  // pushed off the frame
          break;
        }
        default: break;
      }
      if (!at) continue;
      subMask_grid(at, st.G_iPiece[b]);
      fncPiece_load(st, b);
    }
    out.push_back(st);
  }
  return out;
}

// The calling thread's own processor time, so that a busy machine adds
// none of its waits to a figure.
double threadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

struct Figures {
  std::vector<double> ms;
  void add(double d) { ms.push_back(d); }
  double median() {
    std::sort(ms.begin(), ms.end());
    return ms.empty() ? 0 : ms[ms.size() / 2];
  }
  double worst() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

void BM_Finish(benchmark::State& state, std::vector<PuzzleState> states) {
  Figures check, hint;
  int unfinishable = 0;
  for (auto _ : state) {
    check = hint = {};
    unfinishable = 0;
    for (const PuzzleState& st : states) {
      const FinishProblem p = fncFinish_problem(st);
      const double t0 = threadMs();
      const FinishAnswer a = fncFinish_check(p);
      const double t1 = threadMs();
      benchmark::DoNotOptimize(fncFinish_hint(p));
      const double t2 = threadMs();
      check.add(t1 - t0);
      hint.add(t2 - t1);
      unfinishable += a == FinishAnswer::No ? 1 : 0;
    }
  }
  state.counters["states"] = static_cast<double>(states.size());
  state.counters["unfinishable"] = unfinishable;
  state.counters["check_median_ms"] = check.median();
  state.counters["check_worst_ms"] = check.worst();
  state.counters["hint_median_ms"] = hint.median();
  state.counters["hint_worst_ms"] = hint.worst();
}

const bool kRegistered = [] {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(kPuzzles, ec))
    if (e.path().extension() == ".txt" && std::isdigit(static_cast<unsigned char>(e.path().filename().string()[0])))
      files.push_back(e.path());
  std::sort(files.begin(), files.end());
  unsigned seed = 1;
  for (const auto& f : files) {
    std::ifstream in(f);
    const PuzzleTextResult r = fncPuzzleText_parse(std::string(std::istreambuf_iterator<char>(in), {}));
    if (!r.ok()) continue;
    PuzzleState made;
    subPuzzleText_make(r.source, made, fncSeededRandom(seed));
    std::vector<PuzzleState> states = partialStates(made, seed++);
    states.push_back(made);  // the empty box
    benchmark::RegisterBenchmark(("BM_Finish/" + f.stem().string()).c_str(), BM_Finish, states)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
  return true;
}();

}  // namespace
}  // namespace pakkon
