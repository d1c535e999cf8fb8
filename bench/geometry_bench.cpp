// The auto loader runs these millions of times per search.

#include <benchmark/benchmark.h>

#include <cstring>

#include "geometry/loading.h"
#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "model/builtin.h"

namespace pakkon {
namespace {

PuzzleState demoState() {
  PuzzleState st;
  subDemoPuzzle_set(st);
  subPieceOrg_set(st);
  subColor_set(st);
  return st;
}

void BM_PieceTurnZ(benchmark::State& state) {
  PuzzleState st = demoState();
  for (auto _ : state) {
    subPiece_turnZ(st, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PieceTurnZ);

// One successful move per iteration, alternating direction.
void BM_PieceMoveX(benchmark::State& state) {
  PuzzleState st = demoState();
  bool up = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(up ? fncPiece_xInc(st, 0) : fncPiece_xDec(st, 0));
    up = !up;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PieceMoveX);

// From the far corner: two moves per axis plus the blocked attempts.
void BM_PieceOrigin(benchmark::State& state) {
  PuzzleState st = demoState();
  while (fncPiece_xInc(st, 0) == 0) {
  }
  while (fncPiece_yInc(st, 0) == 0) {
  }
  while (fncPiece_zInc(st, 0) == 0) {
  }
  Grid far;
  std::memcpy(far, st.G_iPiece[0], sizeof far);
  for (auto _ : state) {
    std::memcpy(st.G_iPiece[0], far, sizeof far);
    subPiece_origin(st, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PieceOrigin);

// A fitting position in a box filled but for the block's corner: every
// test runs to the end.
void BM_PlacementTest(benchmark::State& state) {
  PuzzleState st = demoState();
  for (int x = 0; x < st.G_iCellX; ++x)
    for (int y = 0; y < st.G_iCellY; ++y)
      for (int z = 0; z < st.G_iCellZ; ++z) st.G_iBox[x][y][z] = x == 3 || y >= 2;
  state.counters["fits"] = fncPlacement_test(st, 4);
  for (auto _ : state) {
    benchmark::DoNotOptimize(fncPlacement_test(st, 4));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlacementTest);

}  // namespace
}  // namespace pakkon
