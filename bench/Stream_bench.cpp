#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "runtime/Stream.h"

namespace {

constexpr std::int64_t TotalBytes = 256LL << 20;
constexpr std::int64_t BlockBytes = 4096;

// Writes the total in blocks, then reads it back; bytes/s counts both ways.
void WriteAndReadBack(benchmark::State& state, const std::function<std::unique_ptr<TStream>()>& makeStream) {
  std::vector<std::uint8_t> block(BlockBytes, 0x5A);
  for (auto _ : state) {
    auto stream = makeStream();
    for (std::int64_t done = 0; done < TotalBytes; done += BlockBytes) stream->WriteBuffer(block.data(), BlockBytes);
    stream->SetPosition(0);
    for (std::int64_t done = 0; done < TotalBytes; done += BlockBytes) stream->ReadBuffer(block.data(), BlockBytes);
    benchmark::DoNotOptimize(block.data());
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes * 2);
}

void BM_MemoryStream256MB(benchmark::State& state) {
  WriteAndReadBack(state, [] { return std::make_unique<TMemoryStream>(); });
}
BENCHMARK(BM_MemoryStream256MB)->Unit(benchmark::kMillisecond);

void BM_FileStream256MB(benchmark::State& state) {
  const std::string name = (std::filesystem::temp_directory_path() / "quantrel-stream-bench.bin").string();
  WriteAndReadBack(state, [&] { return std::make_unique<TFileStream>(name, fmCreate); });
  std::filesystem::remove(name);
}
BENCHMARK(BM_FileStream256MB)->Unit(benchmark::kMillisecond);

}  // namespace
