// The PNG reader against libpng on the same files: a 2048 x 2048 RGBA
// picture written with every filter, plain, interlaced and with a gAMA
// chunk, decoded by TPNGGraphic into a pf32bit bitmap and by libpng into
// 8-bit RGBA rows (with its gamma correction for the gAMA file). And the
// reader's CRC-32 against zlib's over 64 MB.

#include <png.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "runtime/Stream.h"
#include "skin/png/PngGraphic.h"
#include "tests/skin/PngFiles.h"

namespace {

constexpr std::uint32_t Side = 2048;

// Smooth shading with a little noise and hard-edged shapes, and an alpha
// channel with opaque, clear and soft parts: a picture, not noise.
TPngImage Picture(bool interlaced) {
  TPngImage image{Side, Side, 6, 8, interlaced, {}, {}};
  std::uint32_t noise = 12345;
  for (std::uint32_t y = 0; y < Side; ++y) {
    std::vector<std::uint8_t> row(Side * 4);
    for (std::uint32_t x = 0; x < Side; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = int(noise >> 29);
      const bool shape = ((x / 96) + (y / 128)) % 5 == 0;
      std::uint8_t* p = row.data() + x * 4;
      p[0] = std::uint8_t(shape ? 230 : (x / 8 + grain) & 0xFF);
      p[1] = std::uint8_t(shape ? 40 : (y / 8 + grain) & 0xFF);
      p[2] = std::uint8_t(128 + 100 * std::sin((x + y) / 300.0));
      p[3] = std::uint8_t(x < Side / 3 ? 255 : x < 2 * Side / 3 ? (y / 8) & 0xFF : 0);
    }
    image.Rows.push_back(std::move(row));
  }
  return image;
}

const std::string& File(int kind) {
  static const std::string files[] = {
      WriteWithLibpng(Picture(false)),
      WriteWithLibpng(Picture(true)),
      [] {
        TPngWriteOptions options;
        options.Gamma = 45000;
        return WriteWithLibpng(Picture(false), options);
      }(),
  };
  return files[kind];
}

const char* const KindNames[] = {"plain", "interlaced", "gAMA"};

void DecodeWithReader(benchmark::State& state) {
  const std::string& file = File(int(state.range(0)));
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), std::int64_t(file.size()));
  for (auto _ : state) {
    stream.SetPosition(0);
    TPNGGraphic png;
    png.LoadFromStream(stream);
    benchmark::DoNotOptimize(png.ScanLine(Side - 1));
  }
  state.SetLabel(KindNames[state.range(0)]);
  state.SetItemsProcessed(state.iterations() * Side * Side);
}
BENCHMARK(DecodeWithReader)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

struct TReadPosition {
  const std::string* File;
  std::size_t At;
};

void TakeBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* source = static_cast<TReadPosition*>(png_get_io_ptr(png));
  std::memcpy(data, source->File->data() + source->At, length);
  source->At += length;
}

// libpng into 8-bit RGBA rows, with gamma correction when the file has gAMA.
void DecodeWithLibpng(benchmark::State& state) {
  const std::string& file = File(int(state.range(0)));
  for (auto _ : state) {
    TReadPosition source{&file, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_read_fn(png, &source, TakeBytes);
    png_read_info(png, info);
    double gamma;
    if (png_get_gAMA(png, info, &gamma)) png_set_gamma(png, 2.2, gamma);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    std::vector<std::uint8_t> pixels(std::size_t(Side) * Side * 4);
    std::vector<png_bytep> rows(Side);
    for (std::uint32_t y = 0; y < Side; ++y) rows[y] = pixels.data() + std::size_t(y) * Side * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetLabel(KindNames[state.range(0)]);
  state.SetItemsProcessed(state.iterations() * Side * Side);
}
BENCHMARK(DecodeWithLibpng)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

const std::vector<std::uint8_t>& CrcData() {
  static const std::vector<std::uint8_t> data = [] {
    std::vector<std::uint8_t> bytes(64 << 20);
    std::uint32_t state = 1;
    for (auto& b : bytes) b = std::uint8_t((state = state * 1664525u + 1013904223u) >> 24);
    return bytes;
  }();
  return data;
}

void Crc32OfReader(benchmark::State& state) {
  const auto& data = CrcData();
  for (auto _ : state) benchmark::DoNotOptimize(PngCrc32(0, data.data(), data.size()));
  state.SetBytesProcessed(state.iterations() * std::int64_t(data.size()));
}
BENCHMARK(Crc32OfReader)->Unit(benchmark::kMillisecond);

void Crc32OfZlib(benchmark::State& state) {
  const auto& data = CrcData();
  for (auto _ : state) benchmark::DoNotOptimize(crc32_z(0, data.data(), data.size()));
  state.SetBytesProcessed(state.iterations() * std::int64_t(data.size()));
}
BENCHMARK(Crc32OfZlib)->Unit(benchmark::kMillisecond);

}  // namespace
