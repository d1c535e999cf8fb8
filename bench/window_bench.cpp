// The auto loader inside the real window (offscreen, no pauses), and what
// one event pump costs there.

#ifdef PAKKON_BENCH_GUI

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <memory>

#include "app/startup.h"
#include "platform/ini.h"
#include "platform/scripted_dialogs.h"
#include "qt/frmMain.h"
#include "qt/qt_surface.h"

namespace pakkon {
namespace {

// A program folder of its own with DEMO=False, so the window starts on the sample.
std::string benchFolder() {
  const QString dir = QDir::tempPath() + "/pakkon-bench";
  QDir().mkpath(dir);
  const std::string ini = dir.toStdString() + "/Init.ini";
  fncIni_put("SYSTEM", "DEMO", "False", ini);
  return dir.toStdString();
}

// The window as the program starts it on the sample, shown and activated.
struct SampleWindow {
  ScriptedDialogs dialogs;
  std::unique_ptr<frmMain> w;
  SampleWindow() {
    auto st = std::make_unique<PuzzleState>();
    fncStartup_prepare(*st, dialogs, benchFolder());
    w = std::make_unique<frmMain>(std::move(st), dialogs);
    w->show();
    w->Form_Activate();
  }
  ~SampleWindow() { w->close(); }
};

void BM_WindowFillsTheSample(benchmark::State& state) {
  const bool deadSpace = state.range(0) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    {
      SampleWindow sample;
      sample.w->chkDedSpace->setChecked(deadSpace);
      state.ResumeTiming();
      // LOAD runs in slices between the window's events, as the game runs it.
      sample.w->cmdMove_Click();
      while (sample.w->autoLoadRunning()) QCoreApplication::processEvents();
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WindowFillsTheSample)->Arg(0)->Arg(1)->ArgName("deadSpace")->Unit(benchmark::kMillisecond)->Iterations(3);

// From nothing to the window on the sample, shown and activated.
void BM_WindowStartUp(benchmark::State& state) {
  for (auto _ : state) {
    auto sample = std::make_unique<SampleWindow>();
    QCoreApplication::processEvents();
    state.PauseTiming();
    sample.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WindowStartUp)->Unit(benchmark::kMillisecond)->Iterations(20);

// One play action with its redraws (block view, and the box view for the
// landing preview), as a key or button press makes it.
void BM_WindowActionAndRedraw(benchmark::State& state) {
  SampleWindow sample;
  for (auto _ : state) {
    sample.w->cmdTurn_Click(0);
    sample.w->pictMain->repaint();
    sample.w->pictPiece->repaint();
  }
}
BENCHMARK(BM_WindowActionAndRedraw)->Unit(benchmark::kMicrosecond);

void BM_EventPump(benchmark::State& state) {
  SampleWindow sample;
  for (auto _ : state) QCoreApplication::processEvents();
}
BENCHMARK(BM_EventPump)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pakkon

#endif
