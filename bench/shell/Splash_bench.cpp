// The splash repaints at once for every start-up message and progress
// step (about ten of each on a start); this is what one costs, shown.

#include <benchmark/benchmark.h>

#include "shell/Splash.h"
#include "toolkit/controls/Application.h"

namespace {

void BM_SplashMessageShown(benchmark::State& state) {
  TfrmSplash splash(nullptr);
  splash.Show();
  Application().ProcessMessages();
  for (auto _ : state) splash.AddMessage("Initializing library manager");
}
BENCHMARK(BM_SplashMessageShown)->Unit(benchmark::kMicrosecond);

void BM_MakeAndShowTheSplash(benchmark::State& state) {
  for (auto _ : state) {
    TfrmSplash splash(nullptr);
    splash.Show();
    splash.AddMessage("Creating main console");
  }
}
BENCHMARK(BM_MakeAndShowTheSplash)->Unit(benchmark::kMicrosecond);

}  // namespace
