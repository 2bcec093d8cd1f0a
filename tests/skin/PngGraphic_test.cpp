#include "skin/png/PngGraphic.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/Stream.h"
#include "tests/skin/PngFiles.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr const char* InvalidFormat = "Cannot load image. Invalid or unexpected PNG image format.";
constexpr const char* CrcError = "Cannot load image. CRC error found in PNG file.";
constexpr const char* CriticalChunk = "Cannot load PNG image. Unexpected but critical chunk detected.";

void Load(TPNGGraphic& png, const std::string& file, std::int64_t at = 0) {
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), std::int64_t(file.size()));
  stream.SetPosition(at);
  png.LoadFromStream(stream);
}

// The message a load ends with, "loaded" when it ends well.
std::string LoadMessage(const std::string& file, TPNGGraphic& png) {
  try {
    Load(png, file);
  } catch (const EQuantrelError& e) {
    return e.what();
  }
  return "loaded";
}

std::vector<std::uint16_t> Values(std::initializer_list<std::uint16_t> values) { return values; }

TPngWriteOptions Options(std::optional<std::uint32_t> gamma, std::optional<std::vector<std::uint16_t>> transparency = {},
                         int filters = pngAllFilters) {
  TPngWriteOptions options;
  options.Gamma = gamma;
  options.Transparency = std::move(transparency);
  options.Filters = filters;
  return options;
}

TPngChunk NewChunk(const std::string& type, const std::string& data, std::optional<std::uint32_t> length = {},
                   std::optional<std::uint32_t> crc = {}) {
  TPngChunk chunk(type, data);
  chunk.Length = length;
  chunk.Crc = crc;
  return chunk;
}

// A small image as libpng writes it, its samples from the image's format.
std::string SampleFile(int colorType, int bitDepth, const TPngWriteOptions& options = {}, std::uint32_t width = 5,
                       std::uint32_t height = 4, bool interlaced = false) {
  return WriteWithLibpng(MakePngImage(width, height, colorType, bitDepth, interlaced, 7), options);
}

std::string Edited(const std::string& file, const std::function<void(std::vector<TPngChunk>&)>& edit) {
  std::vector<TPngChunk> chunks = SplitChunks(file);
  edit(chunks);
  return JoinChunks(chunks);
}

TPngChunk& Chunk(std::vector<TPngChunk>& chunks, const std::string& type) {
  const int index = FindChunk(chunks, type);
  if (index < 0) throw std::logic_error("no " + type + " chunk to edit");
  return chunks[index];
}

void InsertBefore(std::vector<TPngChunk>& chunks, const std::string& type, TPngChunk chunk) {
  chunks.insert(chunks.begin() + FindChunk(chunks, type), std::move(chunk));
}

void InsertAfter(std::vector<TPngChunk>& chunks, const std::string& type, TPngChunk chunk) {
  chunks.insert(chunks.begin() + FindChunk(chunks, type) + 1, std::move(chunk));
}

// The difference between our decoding of file and libpng's of original.
std::string DifferenceFromLibpng(const std::string& file, const std::string& original,
                                 std::optional<std::uint32_t> gamma) {
  const std::optional<TPngImage> reference = ReadWithLibpng(original);
  if (!reference) return "libpng refuses the file";
  TPNGGraphic png;
  const std::string message = LoadMessage(file, png);
  if (message != "loaded") return message;
  return DifferenceFrom(ExpectedBitmap(*reference, gamma), png);
}

struct TFormat {
  int ColorType, BitDepth;
};
constexpr TFormat AllFormats[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                                  {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};

// Every format, depth and filter, interlaced and not, 1 to 17 pixels wide,
// with and without gAMA, tRNS, bKGD and (in RGB images) PLTE: each pixel,
// palette entry and alpha as libpng decodes it, mapped as the reader says.
TEST(PngGraphicTest, DecodesWhatLibpngWritesAsLibpngReadsIt) {
  const int filters[] = {pngFilterNone, pngFilterSub,   pngFilterUp,
                         pngFilterAverage, pngFilterPaeth, pngAllFilters};
  const std::optional<std::uint32_t> gammas[] = {std::nullopt, 45000, 100000};
  int index = 0;
  int failures = 0;
  for (const TFormat& format : AllFormats)
    for (bool interlaced : {false, true})
      for (std::uint32_t width = 1; width <= 17; ++width)
        for (const auto& gamma : gammas) {
          ++index;
          const std::uint32_t height = 1 + (width * 5 + format.ColorType) % 11;
          const TPngImage image = MakePngImage(width, height, format.ColorType, format.BitDepth, interlaced, index);
          TPngWriteOptions options;
          options.Filters = filters[index % 6];
          options.Gamma = gamma;
          const auto level = std::uint16_t(index % (1 << std::min(format.BitDepth, 15)));
          const bool colour = format.ColorType == 2 || format.ColorType == 6;
          if (index % 3 == 0 && format.ColorType == 0) options.Transparency = Values({level});
          if (index % 3 == 0 && format.ColorType == 2) options.Transparency = Values({level, 7, 200});
          if (index % 3 == 0 && format.ColorType == 3) options.Transparency = Values({0, 128});
          if (index % 4 == 1) options.Background = colour ? Values({level, 1, 2}) : Values({format.ColorType == 3 ? std::uint16_t(0) : level});
          options.PaletteInRGB = index % 2 == 0;
          const std::string file = WriteWithLibpng(image, options);
          const std::string difference = DifferenceFromLibpng(file, file, gamma);
          if (difference.empty()) continue;
          ADD_FAILURE() << "colour type " << format.ColorType << ", " << format.BitDepth << " bits, "
                        << (interlaced ? "interlaced, " : "") << width << " x " << height << ", gamma "
                        << gamma.value_or(0) << ", filters " << options.Filters << ": " << difference;
          if (++failures == 10) return;
        }
}

struct TEditCase {
  const char* Name;
  std::string File;
  const char* Message;
};

TEST(PngGraphicTest, MalformedFilesFailWithTheirMessages) {
  const std::string rgba = SampleFile(6, 8, Options(45000));
  const std::string indexed = SampleFile(3, 8);
  const std::string grey = SampleFile(0, 8);
  const auto ihdrByte = [](std::string file, int at, char value) {
    return Edited(file, [&](auto& chunks) { Chunk(chunks, "IHDR").Data[at] = value; });
  };
  const auto badCrc = [](std::string file, const char* type) {
    return Edited(file, [&](auto& chunks) { Chunk(chunks, type).Crc = 0x12345678; });
  };
  std::string badSignature = rgba;
  badSignature[1] = 'Q';

  const TEditCase cases[] = {
      {"bad signature", badSignature, InvalidFormat},
      {"too short for a signature", rgba.substr(0, 5), InvalidFormat},
      {"IHDR not first", Edited(rgba, [](auto& chunks) { std::swap(chunks[0], chunks[1]); }), InvalidFormat},
      {"zero width", Edited(rgba, [](auto& chunks) { Chunk(chunks, "IHDR").Data.replace(0, 4, 4, '\0'); }),
       InvalidFormat},
      {"IHDR of 12 bytes", Edited(rgba, [](auto& chunks) { Chunk(chunks, "IHDR").Data.resize(12); }), InvalidFormat},
      {"65536 x 65536 pixels",
       Edited(rgba, [](auto& chunks) { Chunk(chunks, "IHDR").Data.replace(0, 8, "\0\1\0\0\0\1\0\0", 8); }),
       InvalidFormat},
      {"a width of 2^31",
       Edited(rgba, [](auto& chunks) { Chunk(chunks, "IHDR").Data.replace(0, 8, "\x80\0\0\0\0\0\0\1", 8); }),
       InvalidFormat},
      {"a chunk length of 2^31",
       Edited(rgba, [](auto& chunks) { InsertBefore(chunks, "IDAT", NewChunk("tEXt", "ab", 0x80000000u)); }),
       InvalidFormat},
      {"no image data", Edited(rgba, [](auto& chunks) { chunks.erase(chunks.begin() + FindChunk(chunks, "IDAT")); }),
       InvalidFormat},
      {"a chunk longer than the file",
       Edited(rgba, [](auto& chunks) { Chunk(chunks, "IDAT").Length = std::uint32_t(Chunk(chunks, "IDAT").Data.size() + 100); }),
       InvalidFormat},
      {"compression method 1", ihdrByte(rgba, 10, 1),
       "Cannot load image. The compression scheme is not supported for PNG files."},
      {"indexed at 16 bits", ihdrByte(indexed, 8, 16), "Invalid color format in PNG file."},
      {"colour type 5", ihdrByte(rgba, 9, 5), "Invalid color format in PNG file."},
      {"grey of 3 bits", ihdrByte(grey, 8, 3), "Invalid color format in PNG file."},
      {"PLTE of 301 bytes", Edited(indexed, [](auto& chunks) { Chunk(chunks, "PLTE").Data.resize(301); }),
       "Cannot load image. Palette in PNG file is invalid."},
      {"bad CRC in IHDR", badCrc(rgba, "IHDR"), CrcError},
      {"bad CRC in PLTE", badCrc(indexed, "PLTE"), CrcError},
      {"bad CRC in IDAT", badCrc(rgba, "IDAT"), CrcError},
      {"bad CRC in gAMA", badCrc(rgba, "gAMA"), CrcError},
      {"corrupt deflate data", Edited(rgba, [](auto& chunks) { Chunk(chunks, "IDAT").Data[2] |= 0x06; }),
       "Cannot load image. Compression error found in PNG file."},
      {"bytes after the compressed stream", Edited(rgba, [](auto& chunks) { Chunk(chunks, "IDAT").Data += "junk"; }),
       "Cannot load image. Extra compressed data found in PNG file."},
      {"an unknown critical chunk", Edited(rgba, [](auto& chunks) { InsertBefore(chunks, "IDAT", NewChunk("QUUX", "x")); }),
       CriticalChunk},
      {"PLTE right after the image data", Edited(indexed, [](auto& chunks) {
         TPngChunk palette = Chunk(chunks, "PLTE");
         chunks.erase(chunks.begin() + FindChunk(chunks, "PLTE"));
         InsertAfter(chunks, "IDAT", palette);
       }),
       CriticalChunk},
      {"the stream ends before IEND", rgba.substr(0, rgba.size() - 12), "Stream read error"},
  };
  for (const TEditCase& c : cases) {
    TPNGGraphic png;
    EXPECT_EQ(LoadMessage(c.File, png), c.Message) << c.Name;
    if (std::string(c.Message) == InvalidFormat) {
      EXPECT_TRUE(png.Empty()) << c.Name << ": nothing is decoded";
    }
  }
}

struct TAcceptedCase {
  const char* Name;
  std::string File;
  std::optional<std::uint32_t> Gamma;  // what the reader takes from the file
};

// Edits the reader passes over: the result is libpng's decoding of the file before the edit.
TEST(PngGraphicTest, ReadsFilesThatBendTheRules) {
  const std::string plain = SampleFile(6, 8, {}, 9, 6);
  const std::string gamma = SampleFile(2, 16, Options(45000), 9, 6);
  const std::string grey = SampleFile(0, 4, {}, 9, 6);
  const TAcceptedCase cases[] = {
      {"chunk names in lower case", Edited(plain, [](auto& chunks) { Chunk(chunks, "IDAT").Type = "idat"; }), {}},
      {"a tEXt after the image data",
       Edited(plain, [](auto& chunks) { InsertAfter(chunks, "IDAT", NewChunk("tEXt", std::string("Title\0after", 11))); }), {}},
      {"an unknown ancillary chunk with a bad CRC",
       Edited(plain, [](auto& chunks) { InsertBefore(chunks, "IDAT", NewChunk("quUx", "data", {}, 1)); }), {}},
      {"a trailing empty IDAT", Edited(plain, [](auto& chunks) { InsertAfter(chunks, "IDAT", NewChunk("IDAT", "")); }), {}},
      {"image data split over chunks, one empty", Edited(plain, [](auto& chunks) {
         TPngChunk& data = Chunk(chunks, "IDAT");
         const std::string tail = data.Data.substr(10);
         data.Data.resize(10);
         InsertAfter(chunks, "IDAT", NewChunk("IDAT", tail));
         InsertAfter(chunks, "IDAT", NewChunk("IDAT", ""));
       }),
       {}},
      {"a short gAMA is ignored", Edited(gamma, [](auto& chunks) { Chunk(chunks, "gAMA").Data.resize(2); }), {}},
      {"a short tRNS and bKGD are ignored", Edited(grey, [](auto& chunks) {
         InsertBefore(chunks, "IDAT", NewChunk("tRNS", "\1"));
         InsertBefore(chunks, "IDAT", NewChunk("bKGD", ""));
       }),
       {}},
      {"a PLTE in an RGB image", Edited(gamma, [](auto& chunks) {
         InsertBefore(chunks, "IDAT", NewChunk("PLTE", std::string(30, '\x40')));
       }),
       45000},
  };
  const std::string originals[] = {plain, plain, plain, plain, plain, gamma, grey, gamma};
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(DifferenceFromLibpng(cases[i].File, originals[i], cases[i].Gamma), "") << cases[i].Name;
}

TEST(PngGraphicTest, StartsWhereTheStreamStands) {
  const std::string file = SampleFile(2, 8, {}, 3, 3);
  TPNGGraphic png;
  Load(png, "other bytes" + file, 11);
  EXPECT_EQ(DifferenceFrom(ExpectedBitmap(*ReadWithLibpng(file), {}), png), "");
}

// Rows the image data does not reach hold zero samples; the load succeeds.
TEST(PngGraphicTest, RowsWithoutDataAreZero) {
  const std::string file = SampleFile(6, 8, Options({}, {}, pngFilterSub), 64, 32);
  const std::string cut = Edited(file, [](auto& chunks) {
    TPngChunk& data = Chunk(chunks, "IDAT");
    data.Data.resize(data.Data.size() / 2);
  });
  TPNGGraphic png;
  ASSERT_EQ(LoadMessage(cut, png), "loaded");
  const TExpectedBitmap expected = ExpectedBitmap(*ReadWithLibpng(file), {});
  const auto* first = static_cast<const std::uint32_t*>(png.ScanLine(0));
  const auto* last = static_cast<const std::uint32_t*>(png.ScanLine(31));
  for (int x = 0; x < 64; ++x) {
    EXPECT_EQ(first[x], expected.Pixels[x]) << x;
    EXPECT_EQ(last[x], 0u) << x;
  }
}

TEST(PngGraphicTest, TransparentColourIsTheColourThePixelsHave) {
  // Levels 0, 1, 2, 3 of a 2-bit grey image, level 1 transparent.
  TPngImage levels = {4, 1, 0, 2, false, {{0b00011011}}, {}};
  TPNGGraphic grey;
  Load(grey, WriteWithLibpng(levels, Options({}, Values({1}))));
  EXPECT_TRUE(grey.Transparent());
  EXPECT_EQ(grey.TransparentColor(), RGB(85, 85, 85));
  TBitmap canvas(4, 1, pf24bit);
  canvas.Canvas().Brush().SetColor(clRed);
  canvas.Canvas().FillRect(Rect(0, 0, 4, 1));
  canvas.Canvas().Draw(0, 0, grey);
  EXPECT_EQ(canvas.Handle()->Pixel(0, 0), clBlack);
  EXPECT_EQ(canvas.Handle()->Pixel(1, 0), clRed);
  EXPECT_EQ(canvas.Handle()->Pixel(2, 0), RGB(170, 170, 170));

  // With gAMA, the colour after gamma.
  TPngImage colours = {2, 1, 2, 8, false, {{100, 150, 200, 1, 2, 3}}, {}};
  TPNGGraphic rgb;
  Load(rgb, WriteWithLibpng(colours, Options(45000, Values({100, 150, 200}))));
  const auto gamma = ExpectedGammaTable(45000);
  EXPECT_EQ(rgb.TransparentColor(), RGB(gamma[100], gamma[150], gamma[200]));
  EXPECT_EQ(rgb.TransparentColor(), rgb.Handle()->Pixel(0, 0));

  TPNGGraphic indexed;
  Load(indexed, SampleFile(3, 4, Options({}, Values({0, 0, 0}))));
  EXPECT_FALSE(indexed.Transparent());
}

TEST(PngGraphicTest, ReportsProgressRowByRow) {
  struct TReport {
    TProgressStage Stage;
    int Percent;
    bool Redraw;
    TRect Rect;
    std::string Message;
    bool operator==(const TReport&) const = default;
  };
  std::vector<TReport> reports;
  TPNGGraphic png;
  png.OnProgress = [&](TBitmap&, TProgressStage stage, int percent, bool redraw, const TRect& rect,
                       const std::string& message) { reports.push_back({stage, percent, redraw, rect, message}); };
  Load(png, SampleFile(6, 8, {}, 7, 3));
  const std::vector<TReport> expected = {
      {psStarting, 0, false, Rect(0, 0, 7, 1), "Preparing..."},
      {psEnding, 0, false, Rect(0, 0, 7, 1), ""},
      {psStarting, 0, false, Rect(0, 0, 7, 1), "Transfering..."},
      {psRunning, 0, true, Rect(0, 0, 7, 1), ""},
      {psRunning, 33, true, Rect(0, 1, 7, 2), ""},
      {psRunning, 67, true, Rect(0, 2, 7, 3), ""},
      {psEnding, 0, false, Rect(0, 3, 7, 4), ""},
  };
  ASSERT_EQ(reports.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(reports[i] == expected[i]) << "report " << i;
}

TEST(PngGraphicTest, PaletteTakesAtMost256Entries) {
  const std::string file = Edited(SampleFile(3, 8), [](auto& chunks) {
    std::string& entries = Chunk(chunks, "PLTE").Data;
    entries.clear();
    for (int i = 0; i < 300; ++i) entries += {char(i), char(i / 2), char(7)};
  });
  TPNGGraphic png;
  Load(png, file);
  const std::vector<TColor>& palette = png.Handle()->Palette();
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_EQ(palette[255], RGB(255, 127, 7));
}

TEST(PngGraphicTest, HeaderInfoSumsUpTheHeader) {
  TPNGGraphic png;
  Load(png, SampleFile(6, 16, Options(45000), 3, 2, true));
  const TPngHeaderInfo& header = png.HeaderInfo();
  EXPECT_EQ(header.Flags, TPngHeaderInfo::HeaderRead | TPngHeaderInfo::GammaMet);
  EXPECT_EQ(header.Width, 3u);
  EXPECT_EQ(header.Height, 2u);
  EXPECT_EQ(header.Layout, slRGBA);
  EXPECT_EQ(header.SampleBits, 16);
  EXPECT_EQ(header.SampleCount, 4);
  EXPECT_EQ(header.PixelBits, 64);
  EXPECT_EQ(header.Compression, 2);
  EXPECT_FLOAT_EQ(header.FileGamma, 0.45f);
  EXPECT_TRUE(header.Interlaced);
  EXPECT_TRUE(header.HasAlpha);

  TPNGGraphic copy;
  copy.Assign(png);
  EXPECT_EQ(copy.HeaderInfo().PixelBits, 64);
  EXPECT_EQ(copy.Handle()->Pixel(2, 1), png.Handle()->Pixel(2, 1));

  Load(png, SampleFile(4, 8));
  EXPECT_EQ(png.HeaderInfo().SampleCount, 1) << "grey with alpha keeps only its grey";
  EXPECT_EQ(png.HeaderInfo().Flags, TPngHeaderInfo::HeaderRead);
  EXPECT_FLOAT_EQ(png.HeaderInfo().FileGamma, 1.0f);
}

TEST(PngGraphicTest, Crc32AgreesWithZlib) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += char(i * 7919 >> 3);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  for (std::size_t length : {0, 1, 7, 8, 9, 63, 997})
    EXPECT_EQ(PngCrc32(0, data + 3, length), crc32(0, data + 3, uInt(length))) << length;
  const std::uint32_t continued = PngCrc32(PngCrc32(0, data, 13), data + 13, 500);
  EXPECT_EQ(continued, crc32(0, data, 513));
  EXPECT_EQ(PngCrc32(123, nullptr, 10), 0u);
}

TEST(PngGraphicTest, DecoderInflatesInPartsAndStopsAtTheEnd) {
  const std::string text = "a stream inflated in parts, a stream inflated in parts";
  std::vector<std::uint8_t> packed(compressBound(uLong(text.size())));
  uLongf packedSize = uLongf(packed.size());
  compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(text.data()), uLong(text.size()));

  TLZ77Decoder decoder(Z_PARTIAL_FLUSH, false);
  decoder.Open();
  std::string unpacked(text.size(), '\0');
  const std::uint8_t* in = packed.data();
  auto* out = reinterpret_cast<std::uint8_t*>(unpacked.data());
  decoder.Unpack(in, out, int(packedSize), 10);
  EXPECT_EQ(decoder.LastResult(), Z_OK);
  EXPECT_EQ(decoder.OutputLeft(), 0);
  decoder.Unpack(in, out, decoder.InputLeft(), int(text.size()) - 10);
  EXPECT_EQ(decoder.LastResult(), Z_STREAM_END);
  EXPECT_EQ(unpacked, text);
  std::uint8_t* end = out;
  decoder.Unpack(in, out, 1, 5);
  EXPECT_EQ(out, end) << "nothing is inflated after the end";
  decoder.Close();
}

}  // namespace
