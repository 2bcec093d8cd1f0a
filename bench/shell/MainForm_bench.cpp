// A line executed in the main window's full view, from the command line's
// hand-over until the console has painted the new lines.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include <unistd.h>

#include "console/Console.h"
#include "console/XEdit.h"
#include "console/Sounds.h"
#include "runtime/Storage.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/PlaySound.h"

namespace fs = std::filesystem;

namespace {

// The program's folders and settings in a temporary folder of their own.
class TMainWindowBench {
public:
  TMainWindowBench() : folder_(fs::temp_directory_path() / ("quantrel-main-bench-" + std::to_string(getpid()))) {
    fs::create_directories(folder_ / "LIBS");
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    setenv("XDG_DATA_HOME", folder_.c_str(), 1);
    SetAppFolder(folder_.string() + "/");
    SetSoundBackend(nullptr);
    Storage = std::make_unique<TStorage>("MainFormBench.ini", 0);
    images_ = std::make_unique<TImages>(nullptr);
    Form = new TMainForm(nullptr);
    Form->Show();
    Application().ProcessMessages();
  }
  ~TMainWindowBench() {
    delete Form;
    images_.reset();
    AppSounds.reset();
    Storage.reset();
    SetAppFolder("");
    fs::remove_all(folder_);
  }

  TMainForm* Form;

private:
  fs::path folder_;
  std::unique_ptr<TImages> images_;
};

void BM_ExecuteLineUntilPainted(benchmark::State& state) {
  TMainWindowBench bench;
  TMainForm& form = *bench.Form;
  form.ExecuteLine(form.CommandLine, "x := 0");
  const HWND console = form.Console->Tree->Handle();
  int lines = 0;
  for (auto _ : state) {
    form.ExecuteLine(form.CommandLine, "x := x + 1");
    UpdateWindow(console);
    // A console of a working session, not one that grows for ever.
    if (++lines == 500) {
      state.PauseTiming();
      form.Console->Clear();
      lines = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_ExecuteLineUntilPainted)->Unit(benchmark::kMicrosecond);

}  // namespace
