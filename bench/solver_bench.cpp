// Full enumeration: the seven-block cube, the demonstration and every
// shipped puzzle. The demonstration and the shipped puzzles run a fixed
// number of times, so that instruction counts (valgrind --tool=callgrind
// --toggle-collect='*BM_ShippedPuzzle*') compare between builds.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "maker/puzzle_text.h"
#include "model/builtin.h"
#include "solver/solver.h"

namespace pakkon {
namespace {

constexpr int kRuns = 10;

// The sources sit beside this file's folder; the build passes absolute paths.
const std::filesystem::path kPuzzles = std::filesystem::path(__FILE__).parent_path().parent_path() / "data/puzzles";

PuzzleState fromSource(const std::string& text) {
  PuzzleState st;
  const PuzzleTextResult r = fncPuzzleText_parse(text);
  if (r.ok()) subPuzzleText_make(r.source, st, [] { return 0.0; });
  return st;
}

PuzzleState sevenBlockCube() {
  return fromSource("size: 3 x 3 x 3\ncomment: c\npassword: p\n\nVVL\nZVL\nZAL\n\nZTL\nZAA\nPAB\n\nTTT\nPBB\nPPB\n");
}

void report(benchmark::State& state, const SolveResult& r) {
  state.counters["fixed"] = static_cast<double>(r.fixed);
  state.counters["distinct"] = static_cast<double>(r.distinct);
  state.counters["nodes"] = static_cast<double>(r.nodes);
}

// Counts, distinct ones included, with the placements made once.
void BM_SevenBlockCube(benchmark::State& state) {
  const PackingSolver solver(sevenBlockCube());
  SolveResult r;
  for (auto _ : state) benchmark::DoNotOptimize(r = solver.solve());
  report(state, r);
}
BENCHMARK(BM_SevenBlockCube)->Unit(benchmark::kMillisecond);

// The same from the puzzle state, placements and anchor included.
void BM_SevenBlockCubeWithSetup(benchmark::State& state) {
  const PuzzleState st = sevenBlockCube();
  SolveResult r;
  for (auto _ : state) benchmark::DoNotOptimize(r = PackingSolver(st).solve());
  report(state, r);
}
BENCHMARK(BM_SevenBlockCubeWithSetup)->Unit(benchmark::kMillisecond);

// Every arrangement searched for, without the rotation anchor.
void BM_SevenBlockCubeEveryArrangement(benchmark::State& state) {
  const PackingSolver solver(sevenBlockCube());
  SolveOptions o;
  o.symmetry = false;
  SolveResult r;
  for (auto _ : state) benchmark::DoNotOptimize(r = solver.solve(o));
  report(state, r);
}
BENCHMARK(BM_SevenBlockCubeEveryArrangement)->Unit(benchmark::kMillisecond);

// Each of the 11,520 handed to a visitor, rotated copies built.
void BM_SevenBlockCubeVisitEach(benchmark::State& state) {
  const PackingSolver solver(sevenBlockCube());
  SolveResult r;
  uint64_t seen = 0;
  for (auto _ : state) {
    seen = 0;
    r = solver.solve({}, [&](const Solution&) { return ++seen > 0; });
  }
  report(state, r);
  state.counters["visited"] = static_cast<double>(seen);
}
BENCHMARK(BM_SevenBlockCubeVisitEach)->Unit(benchmark::kMillisecond);

// Eight blocks of six, as they stand, in 4 x 4 x 3: where cut-off cells
// end most branches.
void BM_Demonstration(benchmark::State& state) {
  PuzzleState st;
  subDemoPuzzle_set(st);
  SolveResult r;
  for (auto _ : state) benchmark::DoNotOptimize(r = PackingSolver(st).solve());
  report(state, r);
}
BENCHMARK(BM_Demonstration)->Unit(benchmark::kMillisecond)->Iterations(kRuns);

void BM_ShippedPuzzle(benchmark::State& state, PuzzleState st) {
  SolveResult r;
  for (auto _ : state) benchmark::DoNotOptimize(r = PackingSolver(st).solve());
  report(state, r);
}

void BM_AllShippedPuzzles(benchmark::State& state, std::vector<PuzzleState> all) {
  for (auto _ : state)
    for (const PuzzleState& st : all) benchmark::DoNotOptimize(PackingSolver(st).solve());
  state.counters["puzzles"] = static_cast<double>(all.size());
}

const bool kRegistered = [] {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(kPuzzles, ec))
    if (e.path().extension() == ".txt" && std::isdigit(static_cast<unsigned char>(e.path().filename().string()[0])))
      files.push_back(e.path());  // NN-name.txt; not CMakeLists.txt
  std::sort(files.begin(), files.end());
  std::vector<PuzzleState> all;
  for (const auto& f : files) {
    std::ifstream in(f);
    const PuzzleState st = fromSource(std::string(std::istreambuf_iterator<char>(in), {}));
    all.push_back(st);
    benchmark::RegisterBenchmark(("BM_ShippedPuzzle/" + f.stem().string()).c_str(), BM_ShippedPuzzle, st)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(kRuns);
  }
  benchmark::RegisterBenchmark("BM_AllShippedPuzzles", BM_AllShippedPuzzles, all)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(kRuns);
  return true;
}();

}  // namespace
}  // namespace pakkon
