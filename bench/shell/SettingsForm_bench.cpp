// The settings window and the editor settings dialog: opening the settings
// window, a scheme chosen in it, OK taking the looks into long consoles,
// and the editor settings' OK recolouring many long tabs.

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "bench/shell/MainWindowBench.h"
#include "console/Console.h"
#include "console/SrcEdit.h"
#include "console/Syntax.h"
#include "shell/EdSettsForm.h"
#include "shell/EditorForm.h"
#include "shell/LibMan.h"
#include "shell/SettingsForm.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/ColorBox.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Paint.h"

namespace {

// The windows of the start-up that the settings touch, the editor shown.
class TSettingsBench : public TMainWindowBench {
public:
  TSettingsBench()
      : Settings(new TSettingsForm(nullptr)), Editor(new TEditorForm(nullptr)), EdSetts(new TEdSettsForm(nullptr)) {
    for (int i = 0; i < 5; ++i) {
      const std::string name = (Folder() / ("Lib" + std::to_string(i) + ".tarn")).string();
      std::ofstream(name) << "library Lib" << i << ";\nbegin end.\n";
      Form->LibMan->Add(name, true);
    }
    Editor->Show();
    Application().ProcessMessages();
  }
  ~TSettingsBench() {
    while (Editor->HasActiveTab()) {
      Editor->ActiveEdit()->Editor()->Modified = false;
      Editor->actClose->Execute();
    }
    delete EdSetts;
    delete Editor;
    delete Settings;
  }

  // What the main window does before its settings window shows.
  void LoadSettings() const {
    Settings->LoadConsole(*Form->Console);
    Settings->LoadLibraries(*Form->LibMan);
    Settings->LoadSounds(*AppSounds);
  }
  static void Fill(TConsole& console, int lines) {
    console.Clear();
    for (int i = 0; i < lines; ++i) console.AddLine("x := " + std::to_string(i) + " * Sin( pi )", i % 3 == 0 ? lkInput : lkResult, 0);
  }

  TSettingsForm* Settings;
  TEditorForm* Editor;
  TEdSettsForm* EdSetts;
};

void BM_OpenSettings(benchmark::State& state) {
  TSettingsBench bench;
  bench.Settings->PageControl->SetActivePage(bench.Settings->ColoursPage);
  for (auto _ : state) {
    bench.LoadSettings();
    bench.Settings->Show();
    UpdateWindowTree(bench.Settings->Handle());
    state.PauseTiming();
    bench.Settings->Hide();
    Application().ProcessMessages();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenSettings)->Unit(benchmark::kMillisecond);

// Down and up between two schemes, as the user's keys in the scheme box.
void BM_ChooseScheme(benchmark::State& state) {
  TSettingsBench bench;
  bench.LoadSettings();
  bench.Settings->PageControl->SetActivePage(bench.Settings->ColoursPage);
  bench.Settings->Show();
  TComboBox& schemes = *bench.Settings->cmbScheme;
  schemes.SetItemIndex(3);
  schemes.SetFocus();
  Application().ProcessMessages();
  bool down = true;
  for (auto _ : state) {
    SynthesizeKeyStroke(schemes.Handle(), down ? VK_DOWN : VK_UP, "");
    UpdateWindowTree(bench.Settings->Preview->Handle());
    down = !down;
  }
  bench.Settings->Hide();
}
BENCHMARK(BM_ChooseScheme)->Unit(benchmark::kMillisecond);

// Both consoles hold lines, the visible page of each painted after OK.
void BM_SettingsOk(benchmark::State& state) {
  TSettingsBench bench;
  TSettingsBench::Fill(*bench.Form->Console, static_cast<int>(state.range(0)));
  TSettingsBench::Fill(*bench.Editor->Console, static_cast<int>(state.range(1)));
  bench.LoadSettings();
  int scheme = 3;
  for (auto _ : state) {
    state.PauseTiming();
    bench.Settings->Preview->ApplyScheme(scheme = 7 - scheme);
    state.ResumeTiming();
    bench.Form->TakeSettings();
    UpdateWindowTree(bench.Form->Handle());
    UpdateWindowTree(bench.Editor->Handle());
  }
}
BENCHMARK(BM_SettingsOk)->Args({100, 100})->Args({100000, 10000})->Unit(benchmark::kMillisecond);

// Ten tabs of that many rows; every tab recoloured, the visible one painted.
void BM_EditorSettingsOk(benchmark::State& state) {
  TSettingsBench bench;
  std::string text;
  for (int row = 0; row < state.range(0); ++row) text += "  x := x + " + std::to_string(row) + "; // step\n";
  for (int tab = 0; tab < 10; ++tab) {
    bench.Editor->actNew->Execute();
    bench.Editor->ActiveEdit()->Editor()->Lines().SetText(text);
  }
  bench.EdSetts->SetSymAttrs(bench.Editor->Syntax->Attrs());
  bench.EdSetts->SetEditorSetts(bench.Editor->Setts);
  Application().ProcessMessages();
  bool blue = false;
  for (auto _ : state) {
    state.PauseTiming();
    TEditorSetts setts = bench.Editor->Setts;
    setts.Color = (blue = !blue) ? clSkyBlue : clWindow;
    bench.EdSetts->SetEditorSetts(setts);
    state.ResumeTiming();
    bench.Editor->TakeSettings();
    UpdateWindowTree(bench.Editor->Handle());
  }
}
BENCHMARK(BM_EditorSettingsOk)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
