// A skin switch must feel immediate: loading the test skin from its folder
// (target: 30 ms) or its packed file; the whole switch by SkinName, loaded
// and announced to a shown form of 200 skinned panels (target: 100 ms); a
// hue shift of a skin whose master bitmap is 1024 x 1024 (target: 100 ms).
// Every control resolves its indexes on each skin change: a mask found
// three sections up a chain, and the manager's index cache, in a skin of
// 60 sections.

#include <string>

#include <benchmark/benchmark.h>

#include "runtime/StringList.h"
#include "skin/SkinPanel.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"

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

// The test skin packed as "TestSkin.skz", and no folder of that name.
class TPackedSkinFolder : public TSkinFolder {
public:
  TPackedSkinFolder() {
    WritePackedTestSkin(Path());
    std::filesystem::remove_all(std::filesystem::path(Path()) / "TestSkin");
  }
};

void BM_LoadPackedTestSkin(benchmark::State& state) {
  const TPackedSkinFolder folder;
  TSkinManager manager(nullptr);
  PointAtTestSkin(manager, folder);
  for (auto _ : state) manager.LoadSkin();
  if (!manager.IsPacked() || manager.SectionData.size() != 34) std::abort();
}
BENCHMARK(BM_LoadPackedTestSkin)->Unit(benchmark::kMillisecond);

// A shown form of the application holding 200 skinned panels.
class TPanelForm {
public:
  TPanelForm() : form_(new TForm(&Application())) {
    form_->SetBounds(0, 0, 800, 600);
    for (int i = 0; i < 200; ++i) {
      auto* panel = new TSkinPanel(form_);
      panel->SetParent(form_);
      panel->SetBounds(i % 20 * 40, i / 20 * 60, 38, 58);
      panel->SetCaption("P");
    }
    form_->Show();
    Application().ProcessMessages();
  }
  ~TPanelForm() { delete form_; }

private:
  TForm* form_;
};

// Each switch loads the skin, tells every panel and repaints them all.
template <class Folder>
void BM_SkinNameAnnouncedTo200Panels(benchmark::State& state) {
  const Folder folder;
  {
    const TPanelForm form;
    TSkinManager manager(nullptr);
    manager.SetSkinDirectory(folder.Path());
    for (auto _ : state) manager.SetSkinName("TestSkin");
    if (!manager.SkinActive()) std::abort();
  }
}
BENCHMARK(BM_SkinNameAnnouncedTo200Panels<TSkinFolder>)->Name("BM_SkinNameAnnouncedTo200Panels/folder")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SkinNameAnnouncedTo200Panels<TPackedSkinFolder>)->Name("BM_SkinNameAnnouncedTo200Panels/packed")
    ->Unit(benchmark::kMillisecond);

// The test skin with a master bitmap of 1024 x 1024 varied colours.
class TLargeMasterFolder : public TSkinFolder {
public:
  TLargeMasterFolder() {
    const auto master = NewBitmap24(1024, 1024);
    for (int y = 0; y < 1024; ++y) {
      auto* row = static_cast<std::uint8_t*>(master->ScanLine(y));
      for (int i = 0; i < 3 * 1024; ++i) row[i] = std::uint8_t(i * 7 + y * 13);
    }
    master->SaveToFile((std::filesystem::path(Path()) / "TestSkin" / "master.bmp").string());
  }
};

// Each change reloads the skin, shifts its colours and repaints.
void BM_HueOffsetOfALargeMaster(benchmark::State& state) {
  const TLargeMasterFolder folder;
  TSkinManager manager(nullptr);
  PointAtTestSkin(manager, folder);
  if (manager.MasterBitmap()->Width() != 1024) std::abort();
  int hue = 0;
  for (auto _ : state) manager.SetHueOffset(hue = hue == 90 ? 180 : 90);
}
BENCHMARK(BM_HueOffsetOfALargeMaster)->Unit(benchmark::kMillisecond);

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
