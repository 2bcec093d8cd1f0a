// The PNG reader's pictures drawn over a canvas, made into icons, and
// reached through the picture registry.
#include <gtest/gtest.h>

#include <fstream>

#include "runtime/Stream.h"
#include "skin/png/PngGraphic.h"
#include "tests/skin/PngFiles.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Picture.h"
#include "toolkit/gdi/PngObject.h"

namespace {

// Two RGBA rows: alpha 0, 255 and 128 over (red, green, blue) colours. The
// pixel routines leave pictures below 2 x 2 alone.
const std::vector<std::uint8_t> AlphaRow = {0, 0, 255, 0, 10, 200, 30, 255, 20, 100, 240, 128};
const TPngImage ThreeAlphas = {3, 2, 6, 8, false, {AlphaRow, AlphaRow}, {}};

std::unique_ptr<TBitmap> RedCanvas(int width, int height) {
  auto canvas = std::make_unique<TBitmap>(width, height, pf24bit);
  canvas->Canvas().Brush().SetColor(clRed);
  canvas->Canvas().FillRect(Rect(0, 0, width, height));
  return canvas;
}

// A channel of red (255, 0, 0) under the colour's c at alpha a: alpha 255
// falls short of the colour by at most 1, as the blend's shift makes it.
int Over(int red, int c, int a) { return (red * 256 + (c - red) * a) >> 8; }

TEST(PngDrawingTest, BlendsByAlphaAtItsSizeAndScaled) {
  TPNGGraphic png;
  LoadPicture(png, WriteWithLibpng(ThreeAlphas));
  ASSERT_EQ(png.PixelFormat(), pf32bit);
  auto canvas = RedCanvas(5, 3);
  canvas->Canvas().Draw(1, 1, png);
  EXPECT_EQ(canvas->Handle()->Pixel(0, 0), clRed) << "outside";
  EXPECT_EQ(canvas->Handle()->Pixel(1, 1), clRed) << "alpha 0";
  EXPECT_EQ(canvas->Handle()->Pixel(2, 1), RGB(Over(255, 10, 255), Over(0, 200, 255), Over(0, 30, 255))) << "alpha 255";
  EXPECT_EQ(canvas->Handle()->Pixel(3, 1), RGB(Over(255, 20, 128), Over(0, 100, 128), Over(0, 240, 128)));

  // One opaque pixel in a transparent image, drawn at twice the size: its
  // colour and its alpha fill the same 2 x 2 block.
  TPngImage single = {2, 2, 6, 8, false, {{0, 0, 255, 255, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}}, {}};
  TPNGGraphic dot;
  LoadPicture(dot, WriteWithLibpng(single));
  auto twice = RedCanvas(4, 4);
  twice->Canvas().StretchDraw(Rect(0, 0, 4, 4), dot);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(twice->Handle()->Pixel(x, y), x < 2 && y < 2 ? RGB(Over(255, 0, 255), 0, Over(0, 255, 255)) : clRed) << x << "," << y;
}

TEST(PngDrawingTest, IconsKeyTheTopLeftColourOrKeepTheAlpha) {
  // An RGB picture with a white top-left pixel: its white pixels are transparent.
  const std::vector<std::uint8_t> whiteBlueWhite = {255, 255, 255, 0, 0, 255, 255, 255, 255};
  TPngImage rgb = {3, 2, 2, 8, false, {whiteBlueWhite, whiteBlueWhite}, {}};
  TPNGGraphic opaque;
  LoadPicture(opaque, WriteWithLibpng(rgb));
  ASSERT_EQ(opaque.PixelFormat(), pf24bit);
  HICON icon = CreateAlphaIcon(opaque, false);
  EXPECT_EQ(opaque.PixelFormat(), pf32bit);
  EXPECT_EQ(icon->Image().Pixel(0, 0) >> 24, 0u);
  std::uint32_t row[3];
  icon->Image().FetchRow(0, 0, 3, row);
  EXPECT_EQ(row[0] >> 24, 0u);
  EXPECT_EQ(row[1], 0xFF0000FFu) << "blue opaque";
  EXPECT_EQ(row[2] >> 24, 0u);
  DestroyIcon(icon);

  TPNGGraphic alpha;
  LoadPicture(alpha, WriteWithLibpng(ThreeAlphas));
  icon = CreateAlphaIcon(alpha, false);
  icon->Image().FetchRow(0, 0, 3, row);
  EXPECT_EQ(row[0] >> 24, 0u);
  EXPECT_EQ(row[1] >> 24, 255u);
  EXPECT_EQ(row[2] >> 24, 128u) << "the PNG's own alpha";
  DestroyIcon(icon);

  // A 1 x 1 bitmap is converted but not keyed: its alpha stays 0.
  TBitmap tiny(1, 1, pf24bit);
  tiny.Handle()->SetPixel(0, 0, clBlue);
  icon = CreateAlphaIcon(tiny, true);
  EXPECT_EQ(tiny.PixelFormat(), pf32bit);
  EXPECT_EQ(static_cast<const std::uint8_t*>(tiny.ScanLine(0))[3], 0);
  DestroyIcon(icon);
}

TEST(PngDrawingTest, RegistrationTakesPngFilesOverAndGivesThemBack) {
  const std::string path = testing::TempDir() + "registry.PNG";
  std::ofstream(path, std::ios::binary) << WriteWithLibpng(ThreeAlphas);
  RegisterPngGraphic();
  TPicture picture;
  picture.LoadFromFile(path);
  auto* ours = dynamic_cast<TPNGGraphic*>(picture.Graphic());
  ASSERT_NE(ours, nullptr);
  EXPECT_EQ(ours->Width(), 3);
  EXPECT_EQ(ours->PixelFormat(), pf32bit);
  UnregisterPngGraphic();
  picture.LoadFromFile(path);
  EXPECT_EQ(typeid(*picture.Graphic()), typeid(TPNGObject));
}

}  // namespace
