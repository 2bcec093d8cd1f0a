#pragma once
// Graphics benchmarks draw text and bitmaps: each program starts a headless
// Qt application at 96 DPI before running its benchmarks.

#include <cstdlib>

#include <benchmark/benchmark.h>

#include "toolkit/qt/QtPlatform.h"

inline int RunOffscreenBenchmarks(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 1);
  StartQtPlatform(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
