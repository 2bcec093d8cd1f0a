// Inflating a packed skin's members: 16 MB through the decompression
// stream in 64 KB reads, and unpacked as a member of a packed skin (into
// its own memory stream). Picture-like data deflates well; noise is stored
// almost as is and shows the cost of the stream itself.

#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "skin/skins/PackedSkin.h"
#include "tests/skin/TestSkinWriter.h"

namespace {

constexpr size_t Size = 16 << 20;

// Rows of a 24-bit picture: runs of a few colours with a little noise.
std::string PictureBytes() {
  std::mt19937 random(5);
  std::string bytes(Size, '\0');
  for (size_t i = 0; i < Size; i += 3) {
    const unsigned run = static_cast<unsigned>(i / 3 / 37 % 5);
    bytes[i] = static_cast<char>(0x40 * run + (random() % 4));
    if (i + 2 < Size) {
      bytes[i + 1] = static_cast<char>(0x80 - 0x10 * run);
      bytes[i + 2] = static_cast<char>(0xC0);
    }
  }
  return bytes;
}

std::string NoiseBytes() {
  std::mt19937 random(9);
  std::string bytes(Size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

const std::string& Content(int kind) {
  static const std::string picture = PictureBytes();
  static const std::string noise = NoiseBytes();
  return kind == 0 ? picture : noise;
}

// The member's zlib stream alone, as a source stream.
TMemoryStream ZlibStream(const std::string& content) {
  const std::string member = PackMember({"m.bmp", content});
  TMemoryStream source;
  source.WriteBuffer(member.data() + 13, static_cast<std::int64_t>(member.size() - 13));
  return source;
}

void BM_InflateThroughStream(benchmark::State& state) {
  TMemoryStream source = ZlibStream(Content(int(state.range(0))));
  std::string block(64 << 10, '\0');
  for (auto _ : state) {
    source.SetPosition(0);
    TZDecompressionStream stream(source);
    std::int64_t total = 0;
    while (const std::int64_t got = stream.Read(block.data(), std::int64_t(block.size()))) total += got;
    if (total != std::int64_t(Size)) state.SkipWithError("short");
    benchmark::DoNotOptimize(block.data());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(Size));
  state.SetLabel(state.range(0) == 0 ? "picture-like" : "noise");
}
BENCHMARK(BM_InflateThroughStream)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_UnpackMember(benchmark::State& state) {
  const std::string packed = PackSkin({{"Options.dat", "[GLOBALINFO]"}, {"m.bmp", Content(int(state.range(0)))}});
  TMemoryStream data;
  data.WriteBuffer(packed.data(), std::int64_t(packed.size()));
  std::unique_ptr<TSkSkinConvertor> convertor;
  for (auto _ : state) {
    LoadPackedData(data, convertor, true);
    if (convertor->Images.size() != 1) state.SkipWithError("not unpacked");
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(Size));
  state.SetLabel(state.range(0) == 0 ? "picture-like" : "noise");
}
BENCHMARK(BM_UnpackMember)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
