// Benchmarks that draw need fonts, and fonts need a Qt application: this
// main starts one, headless at 96 DPI, before the benchmarks run.

#include <cstdlib>

#include <benchmark/benchmark.h>

#include "toolkit/qt/QtPlatform.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 1);
  StartQtPlatform(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
