// One full box redraw with every cell filled, as each step of a drag does.

#include <benchmark/benchmark.h>

#include "draw/recording_surface.h"
#include "draw/views.h"

#ifdef PAKKON_BENCH_GUI
#include "qt/qt_surface.h"
#endif

namespace {

pakkon::PuzzleState fullBox() {
  pakkon::PuzzleState st;
  pakkon::subColor_set(st);
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 4; ++y)
      for (int z = 0; z < 4; ++z) {
        st.G_iBox[x][y][z] = 1;
        for (int s = 0; s < 3; ++s) st.G_lBoxColor[x][y][z][s] = st.G_lColor[1 + (x + y + z) % 8][s];
      }
  return st;
}

void BM_BoxRedraw_Recording(benchmark::State& state) {
  pakkon::PuzzleState st = fullBox();
  pakkon::RecordingSurface surface;
  for (auto _ : state) {
    surface.forget();
    pakkon::subBox_draw(st, surface, 120, 120);
    benchmark::DoNotOptimize(surface.calls().data());
  }
}
BENCHMARK(BM_BoxRedraw_Recording)->Unit(benchmark::kMicrosecond);

#ifdef PAKKON_BENCH_GUI
// The pixels are made when subBox_draw switches persistence back on.
void BM_BoxRedraw_Qt(benchmark::State& state) {
  pakkon::PuzzleState st = fullBox();
  pakkon::PictureWidget widget;
  widget.resize(225, 209);
  int direction = 0;
  for (auto _ : state) {
    // Vary the direction as a drag does, so nothing is cached between frames.
    pakkon::subBox_draw(st, widget, (direction % 2) ? 120 : -300, (direction % 3) ? 120 : -200);
    ++direction;
    benchmark::DoNotOptimize(widget.image().constBits());
  }
}
BENCHMARK(BM_BoxRedraw_Qt)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace
