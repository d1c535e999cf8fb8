// Benchmarks that draw on Qt surfaces need an application object.

#include <benchmark/benchmark.h>

#ifdef PAKKON_BENCH_GUI
#include <QApplication>
#endif

int main(int argc, char** argv) {
#ifdef PAKKON_BENCH_GUI
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
