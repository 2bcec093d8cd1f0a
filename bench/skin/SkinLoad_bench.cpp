// A skin switch must feel immediate: loading the test skin from its folder
// (target: 30 ms). Every control resolves its indexes on each skin change:
// a mask found three sections up a chain, and the manager's index cache,
// in a skin of 60 sections.

#include <string>

#include <benchmark/benchmark.h>

#include "runtime/StringList.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"

namespace {

void PointAtTestSkin(TSkinManager& manager, const TTestSkinFolder& folder) {
  manager.SetSkinDirectory(folder.Path());
  manager.SetSkinName("TestSkin");
}

void BM_LoadTestSkin(benchmark::State& state) {
  const TTestSkinFolder folder;
  TSkinManager manager(nullptr);
  PointAtTestSkin(manager, folder);
  for (auto _ : state) manager.LoadSkin();
  state.counters["sections"] = double(manager.SectionData.size());
  state.counters["masks"] = double(manager.Masks.size());
}
BENCHMARK(BM_LoadTestSkin)->Unit(benchmark::kMillisecond);

// The test skin grown to 60 sections by 26 of CommonSections, each with a
// border; CHAIN3 inherits from CHAIN2, CHAIN2 from CHAIN1, and only CHAIN1
// has a "GLYPHMASK".
class TSixtySections {
public:
  TSixtySections() : manager_(nullptr) {
    PointAtTestSkin(manager_, folder_);
    TStringList extra;
    for (int i = 1; i <= 23; ++i) extra.SetText(extra.Text() + "[EXTRA" + std::to_string(i) + "]\nBORDERSMASK=#(0,0,48,16)(3,0)\n");
    extra.SetText(extra.Text() +
                  "[CHAIN1]\nBORDERSMASK=#(0,0,48,16)(3,0)\nGLYPHMASK=#(0,80,24,88)(3,0)\n"
                  "[CHAIN2]\nPARENTCLASS=CHAIN1\nBORDERSMASK=#(0,0,48,16)(3,0)\n"
                  "[CHAIN3]\nPARENTCLASS=CHAIN2\nBORDERSMASK=#(0,0,48,16)(3,0)\n");
    manager_.SetCommonSections(extra);
    manager_.LoadSkin();
    if (manager_.SectionCount() != 60) std::abort();
  }
  TSkinManager& Manager() { return manager_; }

private:
  TTestSkinFolder folder_;
  TSkinManager manager_;
};

void BM_MaskIndexOfThreeLevelsUp(benchmark::State& state) {
  TSixtySections skin;
  TSkinManager& manager = skin.Manager();
  const int chain3 = manager.SectionIndexOf("CHAIN3");
  const std::string section = "CHAIN3", mask = "GLYPHMASK";
  if (manager.MaskIndexOf(chain3, section, mask) != manager.MaskIndexOfNames("CHAIN1", mask)) std::abort();
  for (auto _ : state) benchmark::DoNotOptimize(manager.MaskIndexOf(chain3, section, mask));
  state.counters["masks"] = double(manager.Masks.size());
}
BENCHMARK(BM_MaskIndexOfThreeLevelsUp);

void BM_RefreshCachedIndexes(benchmark::State& state) {
  TSixtySections skin;
  for (auto _ : state) skin.Manager().RefreshCachedIndexes();
}
BENCHMARK(BM_RefreshCachedIndexes)->Unit(benchmark::kMicrosecond);

}  // namespace
