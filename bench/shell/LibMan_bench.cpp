// The library manager is made on every start: it reads the stored list
// and scans the library folder tree.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Storage.h"
#include "shell/LibMan.h"

namespace fs = std::filesystem;

namespace {

// 1,000 packaged files in 100 folders, 50 of them stored in section LIBS.
void BM_CreateWithAStoredListAndALargeTree(benchmark::State& state) {
  const fs::path folder = fs::temp_directory_path() / ("quantrel-libman-bench-" + std::to_string(getpid()));
  const std::string libs = (folder / "LIBS").string() + "/";
  for (int f = 0; f < 100; ++f) {
    const fs::path sub = folder / "LIBS" / ("folder" + std::to_string(f));
    fs::create_directories(sub);
    for (int i = 0; i < 10; ++i) std::ofstream(sub / ("lib" + std::to_string(i) + ".tarl")) << "x";
  }
  Storage = std::make_unique<TStorage>("LibManBench.ini", 1);
  const auto storeList = [&] {
    Storage->OpenSection(TLibMan::Section, true);
    TSectionCloser closer(*Storage);
    Storage->WriteInteger("Count", 50);
    Storage->WriteBool("Libraries", true);
    for (int n = 1; n <= 50; ++n) {
      Storage->WriteString("L_" + std::to_string(n) + "_File",
                           libs + "folder" + std::to_string(n) + "/lib" + std::to_string(n % 10) + ".tarl");
      Storage->WriteBool("L_" + std::to_string(n) + "_Load", false);
    }
  };
  {
    const CountedPtr<TXBuilder> engine = MakeCounted<TXBuilder>(StandardCatalogues());
    for (auto _ : state) {
      state.PauseTiming();
      storeList();
      state.ResumeTiming();
      auto manager = std::make_unique<TLibMan>(libs, engine);
      benchmark::DoNotOptimize(manager->Count());
      state.PauseTiming();
      if (manager->Count() != 1000) state.SkipWithError("not every file was listed");
      manager.reset();
      state.ResumeTiming();
    }
  }
  std::remove(Storage->FileName().c_str());
  Storage.reset();
  fs::remove_all(folder);
}
BENCHMARK(BM_CreateWithAStoredListAndALargeTree)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
