// New puzzles and the puzzle list. Generation: seeds found, median, 90th
// percentile and worst over 50 seeds, in the calling thread's processor
// time (one core); one pass each, so instruction counts compare too.
// The list: reading a data folder of 500 puzzle files, and (with the
// window) opening the list dialog on it.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <vector>

#include "app/progress.h"
#include "app/puzzle_list.h"
#include "maker/generator.h"
#include "platform/files.h"

#ifdef PAKKON_BENCH_GUI
#include <map>
#include <memory>

#include "platform/scripted_dialogs.h"
#include "qt/frmPuzzleList.h"
#endif

namespace pakkon {
namespace {

constexpr int kSeeds = 50;
constexpr int kFiles = 500;

double threadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

double at(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[std::min(v.size() - 1, static_cast<size_t>(q * static_cast<double>(v.size())))];
}

void BM_Generate(benchmark::State& state, GenerateOptions o) {
  std::vector<double> ms;
  int found = 0, tries = 0;
  for (auto _ : state) {
    ms.clear();
    found = tries = 0;
    for (int seed = 1; seed <= kSeeds; ++seed) {
      o.seed = static_cast<uint64_t>(seed);
      const double t0 = threadMs();
      const GenerateResult r = fncPuzzle_generate(o);
      ms.push_back(threadMs() - t0);
      found += r.status == GenerateStatus::Ok ? 1 : 0;
      tries += r.tries;
    }
  }
  state.counters["seeds"] = kSeeds;
  state.counters["found"] = found;
  state.counters["tries_mean"] = static_cast<double>(tries) / kSeeds;
  state.counters["median_ms"] = at(ms, 0.5);
  state.counters["p90_ms"] = at(ms, 0.9);
  state.counters["worst_ms"] = at(ms, 1.0);
}

GenerateOptions box(int x, int y, int z, int blocks, int lo = 0, int hi = 0) {
  GenerateOptions o;
  o.sizeX = x, o.sizeY = y, o.sizeZ = z;
  o.blocks = blocks;
  o.minCells = lo, o.maxCells = hi;
  return o;
}

// 5 to 11 cells: the default for 8 blocks in 4 x 4 x 4.
BENCHMARK_CAPTURE(BM_Generate, 4x4x4_8_blocks_5_to_11, box(4, 4, 4, 8, 5, 11))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_Generate, 3x3x3_6_blocks, box(3, 3, 3, 6))->Unit(benchmark::kMillisecond)->Iterations(1);
// All different, as by default: the hardest of the small boxes.
BENCHMARK_CAPTURE(BM_Generate, 3x3x3_7_blocks, box(3, 3, 3, 7))->Unit(benchmark::kMillisecond)->Iterations(1);

// A data folder of 500 puzzle files: 100 puzzles, each under five names.
struct Folder {
  std::string path;
  Folder() {
    path = (std::filesystem::temp_directory_path() / ("pakkon-bench-list-" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(path);
    for (int i = 0; i < kFiles / 5; ++i) {
      GenerateOptions o = box(3, 3, 3, 6);
      o.seed = static_cast<uint64_t>(1000 + i);
      const GenerateResult r = fncPuzzle_generate(o);
      for (int copy = 0; copy < 5; ++copy)
        fncFile_writeAtomic(path + "/p" + std::to_string(i * 5 + copy) + ".bin", r.file);
    }
  }
  ~Folder() { std::filesystem::remove_all(path); }
};

const Folder& folder() {
  static const Folder f;
  return f;
}

void BM_PuzzleListRead(benchmark::State& state) {
  const std::string& path = folder().path;
  ProgressBook book;
  FileStorage files;
  size_t rows = 0;
  for (auto _ : state) rows = fncPuzzleList_read(files, path, book).rows.size();
  state.counters["files"] = static_cast<double>(rows);
}
BENCHMARK(BM_PuzzleListRead)->Unit(benchmark::kMillisecond);

#ifdef PAKKON_BENCH_GUI
// Until the table is filled (wall time); the stars come afterwards from a
// worker, which closing the dialog stops.
void BM_PuzzleListDialogOpens(benchmark::State& state) {
  const std::string& path = folder().path;
  ScriptedDialogs dialogs;
  FileStorage files;
  std::vector<double> ms;
  int rows = 0;
  for (auto _ : state) {
    std::map<std::string, int> ratings;
    const auto t0 = std::chrono::steady_clock::now();
    auto d = std::make_unique<frmPuzzleList>(files, path, ratings, dialogs, "");
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    rows = static_cast<int>(d->list().rows.size());
    d.reset();
  }
  state.counters["files"] = rows;
  state.counters["open_median_ms"] = at(ms, 0.5);
  state.counters["open_worst_ms"] = at(ms, 1.0);
}
BENCHMARK(BM_PuzzleListDialogOpens)->Unit(benchmark::kMillisecond)->Iterations(5);
#endif

}  // namespace
}  // namespace pakkon
