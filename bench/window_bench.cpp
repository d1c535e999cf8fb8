// The auto loader inside the real window (offscreen, no pauses), and what
// one event pump costs there.

#ifdef PAKKON_BENCH_GUI

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "app/frmMain.h"
#include "app/startup.h"
#include "platform/ini.h"
#include "platform/scripted_dialogs.h"

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

void BM_WindowFillsTheSample(benchmark::State& state) {
  const bool deadSpace = state.range(0) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    PuzzleState st;
    ScriptedDialogs dialogs;
    fncStartup_prepare(st, dialogs, benchFolder());
    frmMain w(st, dialogs);
    w.show();
    w.Form_Activate();
    w.chkDedSpace->setChecked(deadSpace);
    state.ResumeTiming();
    w.cmdMove_Click();
    state.PauseTiming();
    w.close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WindowFillsTheSample)->Arg(0)->Arg(1)->ArgName("deadSpace")->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_EventPump(benchmark::State& state) {
  PuzzleState st;
  ScriptedDialogs dialogs;
  fncStartup_prepare(st, dialogs, benchFolder());
  frmMain w(st, dialogs);
  w.show();
  w.Form_Activate();
  for (auto _ : state) QCoreApplication::processEvents();
  w.close();
}
BENCHMARK(BM_EventPump)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pakkon

#endif
