// The play layer: an action and its undo on a full 4 x 4 x 4 box, and what
// a long move list holds.

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "app/play.h"
#include "maker/puzzle_text.h"
#include "solver/solver.h"

namespace pakkon {
namespace {

const std::filesystem::path kPuzzles = std::filesystem::path(__FILE__).parent_path().parent_path() / "data/puzzles";

// The last shipped puzzle with every block loaded where its solution puts it.
PuzzleState fullBox() {
  std::ifstream in(kPuzzles / "13-last-challenge.txt");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  PuzzleState st;
  const PuzzleTextResult r = fncPuzzleText_parse(text);
  if (!r.ok()) return st;
  subPuzzleText_make(r.source, st, [] { return 0.0; });
  subColor_set(st);
  std::memcpy(st.G_iPiece, st.G_iPieceOrg, sizeof st.G_iPiece);
  PlayLayer play(st);
  PlayHost quiet;
  for (int b = 0; b < kPieces; ++b) {
    play.apply({ActionKind::Select, b}, quiet);
    play.apply({ActionKind::Load}, quiet);
  }
  return st;
}

void BM_ActionAndUndoOnAFullBox(benchmark::State& state) {
  PuzzleState st = fullBox();
  PlayLayer play(st);
  PlayHost quiet;
  const ActionKind kind = state.range(0) == 0 ? ActionKind::BoxTurnZ : ActionKind::TurnZ;
  for (auto _ : state) {
    play.apply({kind}, quiet, false);
    play.apply({ActionKind::Undo}, quiet);
  }
}
BENCHMARK(BM_ActionAndUndoOnAFullBox)->Arg(0)->Arg(1)->ArgName("blockTurn")->Unit(benchmark::kMicrosecond);

// 10,000 recorded steps of a player's kind: mostly moves and turns, now and
// then a load, a take-out or a box turn.
void BM_MoveListOf10000Steps(benchmark::State& state) {
  const char* pool[] = {"tz", "tx", "ty", "x+",   "x-",     "y+",    "y-",    "z+",    "z-",     "org",
                        "tz", "x+", "y+", "load", "cancel", "sel 1", "sel 2", "sel 3", "box-tz", "box-org"};
  for (auto _ : state) {
    PuzzleState st = fullBox();
    PlayLayer play(st);
    PlayHost quiet;
    play.apply({ActionKind::Clear}, quiet);
    std::mt19937 rng(1);
    while (play.undoDepth() < 10000) play.apply(*fncAction_parse(pool[rng() % std::size(pool)]), quiet);
    state.counters["bytes"] = static_cast<double>(play.moveListBytes());
    state.counters["bytesPerStep"] = static_cast<double>(play.moveListBytes()) / play.undoDepth();
  }
}
BENCHMARK(BM_MoveListOf10000Steps)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace pakkon
