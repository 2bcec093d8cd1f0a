// The welcome screen and the tip window are made on every start, and the
// tip window reads the tips file then: what the two add to a start.

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "runtime/Storage.h"
#include "shell/TipsForm.h"
#include "shell/WelcomeForm.h"

namespace fs = std::filesystem;

namespace {

// Settings and a program folder of their own, with a tips file the size of
// the shipped one: thirty tips of a hundred and some characters.
class TStartDialogsBench {
public:
  TStartDialogsBench() : folder_(fs::temp_directory_path() / ("quantrel-start-dialogs-bench-" + std::to_string(getpid()))) {
    fs::create_directories(folder_);
    std::ofstream tips(folder_ / TfrmTips::TipsFileName);
    for (int i = 0; i < 30; ++i)
      tips << "Press F" << i % 12 + 1 << " for a window of the program, where something useful is done "
           << "with the values you typed in the command line before.\n";
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    SetAppFolder(folder_.string() + "/");
    Storage = std::make_unique<TStorage>("StartDialogsBench.ini", 0);
  }
  ~TStartDialogsBench() {
    Storage.reset();
    SetAppFolder("");
    fs::remove_all(folder_);
  }

private:
  fs::path folder_;
};

void BM_MakeTheWelcomeScreen(benchmark::State& state) {
  TStartDialogsBench bench;
  for (auto _ : state) TWelcomeForm welcome(nullptr);
}
BENCHMARK(BM_MakeTheWelcomeScreen)->Unit(benchmark::kMicrosecond);

void BM_MakeTheTipWindowReadingTheTips(benchmark::State& state) {
  TStartDialogsBench bench;
  for (auto _ : state) TfrmTips tips(nullptr);
}
BENCHMARK(BM_MakeTheTipWindowReadingTheTips)->Unit(benchmark::kMicrosecond);

}  // namespace
