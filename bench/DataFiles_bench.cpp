// Workspace files: saving and loading a workspace that holds one 1000 x 1000
// matrix of reals that need their full digits, through the "file" source.
// The rate reported is that of the file's bytes.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/ArrVar.h"
#include "engine/data/IOSystem.h"
#include "engine/MessageChannel.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "libraries/VarFiles.h"
#include "runtime/Storage.h"
#include "bench/DiscardingSink.h"

namespace {

constexpr std::int32_t Order = 1000;

// An engine whose workspace holds the matrix m, the program's I/O system
// (its plug-ins are built beside the programs in bin/) and a folder for the
// file, for the length of one benchmark.
class TWorkspaceBench {
public:
  TWorkspaceBench() {
    SetMessageSink(MakeCounted<TDiscardingSink>());
    IOSystem = std::make_unique<TIOSystem>(GetAppFolder() + "../bin/");
    std::string folder = (std::filesystem::temp_directory_path() / "quantrel-bench-XXXXXX").string();
    folder_ = mkdtemp(folder.data()) ? folder : std::string();
    Path = folder_ + "/ws.xws";
    auto& m = static_cast<TArrVar&>(*engine_->AddVariable("m", engine_->Kinds().FindKind("Matrix")));
    SetMatSize(m, Order, Order, true);
    for (std::int32_t i = 1; i <= Order; ++i)
      for (std::int32_t j = 1; j <= Order; ++j) SetMatElem(m, i, j, static_cast<long double>(i) / (j + 2));
  }
  ~TWorkspaceBench() {
    engine_ = nullptr;
    IOSystem.reset();
    SetMessageSink(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TWorkspaceBench(const TWorkspaceBench&) = delete;
  TWorkspaceBench& operator=(const TWorkspaceBench&) = delete;

  std::int64_t FileSize() const { return static_cast<std::int64_t>(std::filesystem::file_size(Path)); }

  std::string Path;

private:
  CountedPtr<TXBuilder> engine_ = MakeCounted<TXBuilder>(StandardCatalogues());
  std::string folder_;
};

void BM_SaveWorkspace(benchmark::State& state) {
  TWorkspaceBench bench;
  for (auto _ : state)
    if (!SaveWorkspaceFile(bench.Path)) state.SkipWithError("the workspace was not saved");
  state.SetBytesProcessed(state.iterations() * bench.FileSize());
}
BENCHMARK(BM_SaveWorkspace)->Unit(benchmark::kMillisecond);

void BM_LoadWorkspace(benchmark::State& state) {
  TWorkspaceBench bench;
  if (!SaveWorkspaceFile(bench.Path)) state.SkipWithError("the workspace was not saved");
  for (auto _ : state)
    if (!LoadWorkspaceFile(bench.Path)) state.SkipWithError("the workspace was not loaded");
  state.SetBytesProcessed(state.iterations() * bench.FileSize());
}
BENCHMARK(BM_LoadWorkspace)->Unit(benchmark::kMillisecond);

}  // namespace
