#include "toolkit/gdi/Bitmap.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/Canvas.h"

namespace {

// A few pixels of every colour class, written with SetPixel.
void Paint(TBitmap& bitmap) {
  const TColor colours[] = {clBlack, clWhite, clRed, clLime, clBlue, clYellow, clGray, clNavy};
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.Handle()->SetPixel(x, y, colours[(x + 3 * y) % 8]);
}

std::vector<TColor> Pixels(const TBitmap& bitmap) {
  std::vector<TColor> pixels;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(bitmap.Handle()->Pixel(x, y));
  return pixels;
}

std::string BmpOf(const TBitmap& bitmap) {
  std::ostringstream out;
  bitmap.SaveToStream(out);
  return out.str();
}

TEST(Bitmap, ScanLinesAreTopDownInEachLayout) {
  TBitmap bitmap(3, 2, pf24bit);
  bitmap.Handle()->SetPixel(0, 0, RGB(1, 2, 3));
  auto* top = static_cast<std::uint8_t*>(bitmap.ScanLine(0));
  EXPECT_EQ(top[0], 3);  // blue, green, red
  EXPECT_EQ(top[2], 1);
  EXPECT_EQ(bitmap.Handle()->Stride(), 12) << "rows are padded to 4 bytes";
  bitmap.SetPixelFormat(pf1bit);
  bitmap.Handle()->SetPixel(1, 1, clWhite);
  EXPECT_EQ(static_cast<std::uint8_t*>(bitmap.ScanLine(1))[0], 0x40) << "leftmost pixel in the high bit";
  EXPECT_TRUE(bitmap.Monochrome());
}

TEST(Bitmap, ConversionsKeepColoursThePaletteHolds) {
  for (TPixelFormat format : {pf4bit, pf8bit, pf24bit, pf32bit}) {
    TBitmap bitmap(8, 4, pf32bit);
    Paint(bitmap);
    const std::vector<TColor> before = Pixels(bitmap);
    bitmap.SetPixelFormat(format);
    EXPECT_EQ(bitmap.PixelFormat(), format);
    EXPECT_EQ(Pixels(bitmap), before) << "format " << int(format);
  }
  TBitmap grey(1, 1, pf32bit);
  grey.Handle()->SetPixel(0, 0, RGB(100, 100, 100));
  grey.SetPixelFormat(pf1bit);
  EXPECT_EQ(grey.Handle()->Pixel(0, 0), clBlack) << "nearest palette entry";
}

TEST(Bitmap, ResizingKeepsTheTopLeftAndClearsTheRest) {
  TBitmap bitmap(4, 4, pf8bit);
  Paint(bitmap);
  const TColor kept = bitmap.Handle()->Pixel(1, 1);
  bitmap.SetSize(2, 2);
  bitmap.SetSize(6, 5);
  EXPECT_EQ(bitmap.Handle()->Pixel(1, 1), kept);
  EXPECT_EQ(bitmap.Handle()->Pixel(3, 1), clBlack);
  EXPECT_EQ(bitmap.Handle()->Pixel(1, 4), clBlack);
}

TEST(Bitmap, BitmapsWithoutWidthConvertAndTheLargestAreRefused) {
  TBitmap empty(0, 3, pf32bit);
  for (TPixelFormat format : {pf1bit, pf8bit, pf24bit, pf32bit}) {
    empty.SetPixelFormat(format);
    EXPECT_EQ(empty.PixelFormat(), format);
  }
  EXPECT_EQ(empty.Height(), 3);
  EXPECT_THROW(TBitmap(1 << 29, 1, pf32bit), EQuantrelError) << "a row of 2 GiB";
}

TEST(Bitmap, BmpRoundTripsInEveryFormat) {
  for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
    TBitmap bitmap(13, 5, pf32bit);
    Paint(bitmap);
    bitmap.SetPixelFormat(format);
    std::istringstream in(BmpOf(bitmap));
    TBitmap read;
    read.LoadFromStream(in);
    EXPECT_EQ(read.PixelFormat(), format);
    EXPECT_EQ(read.Width(), 13);
    EXPECT_EQ(Pixels(read), Pixels(bitmap)) << "format " << int(format);
  }
}

// A 2 x 2 top-down 16-bit file with 5-6-5 bit fields: red, green / blue, white.
std::string Bitfields565() {
  const std::uint8_t bytes[] = {
      'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 66, 0, 0, 0,             // file header, pixels at 66
      40, 0, 0, 0, 2, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 16, 0,  // 2 x -2, 16 bits
      3, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0,  // masks
      0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF,  // rows
  };
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST(Bitmap, ReadsTopDownBitFieldImages) {
  std::istringstream in(Bitfields565());
  TBitmap bitmap;
  bitmap.LoadFromStream(in);
  EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clRed, clLime, clBlue, clWhite}));
}

TEST(Bitmap, RefusesDataThatIsNotAValidImage) {
  TBitmap good(7, 3, pf8bit);
  const std::string bmp = BmpOf(good);
  std::string huge = bmp;
  huge[18] = char(0xFF);  // width far beyond any real image
  huge[19] = char(0xFF);
  huge[20] = char(0xFF);
  std::string compressed = bmp;
  compressed[30] = 1;  // run-length compression
  std::string badPalette = Bitfields565();
  badPalette[54] = 0x0F;  // a red mask with a gap
  badPalette[55] = 0xF0;
  for (const std::string& data : {std::string("BM"), bmp.substr(0, bmp.size() - 3), huge, compressed,
                                  std::string("PK") + bmp.substr(2), badPalette}) {
    std::istringstream in(data);
    TBitmap bitmap(2, 2);
    try {
      bitmap.LoadFromStream(in);
      ADD_FAILURE() << "read " << data.size() << " bytes of an invalid image";
    } catch (const EQuantrelError& e) {
      EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
    EXPECT_EQ(bitmap.Width(), 2) << "a failed read leaves the bitmap as it was";
  }
  TBitmap bitmap;
  EXPECT_THROW(bitmap.LoadFromFile("/nonexistent/picture.bmp"), EQuantrelError);
}

TEST(Bitmap, CanvasDrawingReachesEveryFormatAndResizedBitmaps) {
  for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit}) {
    TBitmap bitmap(10, 10, format);
    bitmap.Canvas().Brush().SetColor(clWhite);
    bitmap.Canvas().Ellipse(0, 0, 10, 10);
    EXPECT_EQ(bitmap.Handle()->Pixel(5, 5), clWhite) << "format " << int(format);
    EXPECT_EQ(bitmap.Handle()->Pixel(0, 5), clBlack) << "format " << int(format);
  }
  TBitmap bitmap(10, 10, pf8bit);
  bitmap.Canvas().Brush().SetColor(clRed);
  bitmap.SetSize(30, 30);
  bitmap.Canvas().FillRect(Rect(20, 20, 30, 30));
  bitmap.Canvas().Rectangle(10, 10, 20, 20);
  EXPECT_EQ(bitmap.Handle()->Pixel(29, 29), clRed);
  EXPECT_EQ(bitmap.Handle()->Pixel(15, 15), clRed);
  EXPECT_EQ(bitmap.Handle()->Pixel(10, 15), clBlack);
}

// One-pixel lines write straight into 24-bit and 32-bit rows; the pixels
// must be those of the row access every other format goes through.
TEST(Bitmap, OnePixelLinesDrawAlikeInEveryFormat) {
  auto draw = [](TPixelFormat format) {
    TBitmap bitmap(40, 30, format);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(Rect(0, 0, 40, 30));
    canvas.Pen().SetColor(RGB(0x12, 0x34, 0x56));
    canvas.MoveTo(1, 2);
    canvas.LineTo(38, 27);
    canvas.Pen().SetStyle(psDot);
    canvas.MoveTo(0, 15);
    canvas.LineTo(40, 15);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetMode(pmXor);
    canvas.Pen().SetColor(clYellow);
    canvas.MoveTo(20, 0);
    canvas.LineTo(20, 30);
    std::vector<TColor> pixels;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) pixels.push_back(bitmap.Handle()->Pixel(x, y));
    return pixels;
  };
  const std::vector<TColor> expected = draw(pf32bit);
  EXPECT_EQ(expected, draw(pf24bit));
  EXPECT_EQ(RGB(0x12, 0x34, 0x56), expected[2 * 40 + 1]);
  EXPECT_EQ(clBlue, expected[5 * 40 + 20]);  // white xor yellow
}

// Solid fills and plain copies of 24-bit bitmaps go row by row; the pixels
// must be those of the 32-bit paths.
TEST(Bitmap, FillsAndCopiesOf24BitBitmapsMatchThe32BitOnes) {
  auto picture = [](TPixelFormat format) {
    auto source = std::make_unique<TBitmap>(12, 9, format);
    source->Canvas().Brush().SetColor(RGB(0x10, 0x80, 0xF0));
    source->Canvas().FillRect(Rect(0, 0, 12, 9));
    source->Canvas().Brush().SetColor(clYellow);
    source->Canvas().FillRect(Rect(3, 2, 8, 7));
    source->Handle()->SetPixel(0, 0, RGB(1, 2, 3));
    TBitmap target(20, 16, pf32bit);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect(Rect(0, 0, 20, 16));
    target.Canvas().Draw(5, 4, *source);
    target.Canvas().Draw(15, 12, *source);  // partly outside the target
    std::vector<TColor> pixels;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 20; ++x) pixels.push_back(target.Handle()->Pixel(x, y));
    return pixels;
  };
  const std::vector<TColor> wide = picture(pf32bit);
  EXPECT_EQ(wide, picture(pf24bit));
  EXPECT_EQ(RGB(1, 2, 3), wide[4 * 20 + 5]);
  EXPECT_EQ(clYellow, wide[7 * 20 + 9]);
  EXPECT_EQ(clWhite, wide[3 * 20 + 5]);
}

TEST(Bitmap, AssignCopiesPixelsAndTransparency) {
  TBitmap source(4, 4, pf32bit);
  Paint(source);
  source.SetTransparent(true);
  TBitmap copy;
  copy.Canvas().Handle();
  copy.Assign(source);
  EXPECT_EQ(Pixels(copy), Pixels(source));
  EXPECT_TRUE(copy.Transparent());
  EXPECT_EQ(copy.TransparentColor(), source.Handle()->Pixel(0, 3)) << "the bottom-left pixel";
  copy.Canvas().Brush().SetColor(clAqua);
  copy.Canvas().FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(copy.Handle()->Pixel(0, 0), clAqua) << "the canvas draws on the new pixels";
  EXPECT_NE(source.Handle()->Pixel(0, 0), clAqua);
}

}  // namespace
