#include "skin/paint/Textures.h"

#include "skin/GeneralRoutines.h"
#include "skin/paint/MaskDrawing.h"
#include "tests/skin/PaintFixture.h"
#include "tests/skin/TestSkinFixture.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/JPEGImage.h"

namespace {

using Textures = PaintFixture;

TColor Marked(int x, int y) { return TColor(x | y << 8 | 0x40 << 16); }

// Each pixel of r of bmp told apart by its place.
void MarkPixels(TBitmap& bmp, const TRect& r) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) SetBytesColor(bmp, x, y, Marked(x - r.Left, y - r.Top));
}

TEST_F(Textures, APictureTiledCoversEveryPixel) {
  TBitmap texture(10, 10, pf24bit);
  MarkPixels(texture, Rect(0, 0, 10, 10));
  auto bmp = FilledBitmap(25, 25, Sentinel);
  TRect r = Rect(0, 0, 25, 25);
  TileTexture(bmp->Canvas(), r, &texture, 5, TSkinMaskData{});
  EXPECT_EQ(r, NoRest);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 25; ++x) ASSERT_EQ(BytesColor(*bmp, x, y), Marked(x % 10, y % 10)) << x << "," << y;
}

TEST_F(Textures, ModesOfAPieceAndTheRestTheyHandBack) {
  MarkPixels(*master, Rect(0, 0, 10, 10));
  const int square = manager.AddMask("X", "PATTERN", Rect(0, 0, 10, 10), 1, 0);
  const int flat = manager.AddMask("X", "PATTERN", Rect(0, 0, 10, 8), 1, 0);
  const struct {
    int Mask, Width, Height, Mode;
    TRect Rest;
    TRect Covered;
  } cases[] = {
      {square, 25, 25, 0, NoRest, Rect(0, 0, 25, 25)},
      {square, 25, 25, 10, NoRest, Rect(0, 0, 25, 20)},  // no cut bottom row
      {flat, 100, 40, 2, Rect(0, 8, 100, 40), Rect(0, 0, 100, 8)},
      {flat, 100, 40, 7, Rect(0, 0, 90, 40), Rect(90, 0, 100, 40)},
  };
  for (const auto& c : cases) {
    auto bmp = FilledBitmap(c.Width, c.Height, Sentinel);
    TRect r = Rect(0, 0, c.Width, c.Height);
    TileTexture(bmp->Canvas(), r, nullptr, c.Mode, manager.Masks[c.Mask]);
    EXPECT_EQ(r, c.Rest) << "mode " << c.Mode;
    const int th = manager.Masks[c.Mask].SourceRect.Height();
    for (int y = 0; y < c.Height; ++y)
      for (int x = 0; x < c.Width; ++x) {
        const bool covered = PtInRect(c.Covered, {x, y});
        if (covered) {
          ASSERT_EQ(BytesColor(*bmp, x, y), Marked((x - c.Covered.Left) % 10, (y - c.Covered.Top) % th))
              << "mode " << c.Mode << " at " << x << "," << y;
        } else if (c.Rest == NoRest) {
          ASSERT_EQ(BytesColor(*bmp, x, y), Sentinel) << "mode " << c.Mode << " at " << x << "," << y;
        }
      }
  }
}

TEST_F(Textures, AMaskedTextureOverLessThanATileShowsTheBackdrop) {
  FillBytes(*master, Rect(0, 20, 8, 28), Grey(200));
  FillBytes(*master, Rect(0, 28, 8, 36), Grey(0));
  const int mask = manager.AddMask("X", "PATTERN", Rect(0, 20, 8, 36), 1, 1);
  TBitmap behind(20, 20, pf24bit);
  MarkPixels(behind, Rect(0, 0, 20, 20));
  auto bmp = FilledBitmap(10, 10, Sentinel);
  TRect r = Rect(2, 2, 8, 8);
  TileMaskTexture(bmp.get(), r, MakeBackdropRef(&behind, 3, 1), 10, manager.Masks[mask]);
  EXPECT_EQ(r, NoRest);
  for (int y = 2; y < 8; ++y)
    for (int x = 2; x < 8; ++x) ASSERT_EQ(BytesColor(*bmp, x, y), Marked(x + 3, y + 1)) << x << "," << y;
  EXPECT_EQ(BytesColor(*bmp, 1, 1), Sentinel);
}

using TexturesOnTestSkin = TestSkinFixture;

TEST_F(TexturesOnTestSkin, AJpegIsDrawnClippedToTheRectangleAndTheClipGivenBack) {
  TJPEGImage picture;
  picture.LoadFromFile(SkinFile("back.jpg"));
  ASSERT_EQ(picture.Width(), 300);
  auto bmp = FilledBitmap(80, 40, Sentinel);
  TileGraphic(bmp->Canvas(), Rect(10, 10, 60, 30), &picture);
  EXPECT_NE(BytesColor(*bmp, 10, 10), Sentinel);
  EXPECT_NE(BytesColor(*bmp, 59, 29), Sentinel);
  EXPECT_EQ(BytesColor(*bmp, 60, 29), Sentinel);
  EXPECT_EQ(BytesColor(*bmp, 9, 10), Sentinel);
  EXPECT_EQ(BytesColor(*bmp, 10, 30), Sentinel);
  bmp->Canvas().Brush().SetColor(0x00FFFFFF);
  bmp->Canvas().FillRect(Rect(0, 0, 80, 40));
  EXPECT_EQ(BytesColor(*bmp, 70, 35), 0x00FFFFFFU) << "the canvas's whole area is drawable again";
}

}  // namespace
