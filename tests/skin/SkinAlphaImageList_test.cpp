#include "skin/png/SkinAlphaImageList.h"

#include <gtest/gtest.h>

#include "runtime/ResourceStream.h"
#include "skin/SkinToolBar.h"
#include "skin/png/PngGraphic.h"
#include "skin/png/StockImageData.h"
#include "tests/skin/PngFiles.h"
#include "tests/skin/SkinnedFormFixture.h"
#include "toolkit/gdi/AlphaBlit.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

void Put(std::string& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out += char(value >> (8 * i) & 0xFF);
}

// An icon file of one 2 x 2 picture: pixels 0xAARRGGBB, rows top first,
// written with 24 or 32 bits and an AND mask that keeps every pixel.
std::string IcoFile(int bits, const std::vector<std::uint32_t>& pixels) {
  std::string dib;
  for (std::uint32_t v : {40u, 2u, 4u}) Put(dib, v, 4);
  Put(dib, 1, 2);
  Put(dib, std::uint32_t(bits), 2);
  dib.append(24, '\0');
  for (int y = 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < 2; ++x) Put(row, pixels[std::size_t(y * 2 + x)], bits / 8);
    row.resize((row.size() + 3) / 4 * 4, '\0');
    dib += row;
  }
  dib.append(8, '\0');  // the AND mask: every pixel opaque
  std::string file;
  for (std::uint32_t v : {0u, 1u, 1u}) Put(file, v, 2);
  Put(file, 2, 1);
  Put(file, 2, 1);
  Put(file, 0, 2);
  Put(file, 1, 2);
  Put(file, std::uint32_t(bits), 2);
  Put(file, std::uint32_t(dib.size()), 4);
  Put(file, 22, 4);
  return file + dib;
}

void AddItem(TSkinAlphaImageList& list, TSkinImageFormat format, TPixelFormat pixelFormat, const std::string& bytes) {
  TSkinImgListItem& item = list.Items().Add();
  item.ImageFormat = format;
  item.PixelFormat = pixelFormat;
  item.ImageData().WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

// 2 x 2 RGBA: opaque blue, alpha 128 green, then two clear pixels.
const std::string RgbaPng =
    WriteWithLibpng({2, 2, 6, 8, false, {{0, 0, 255, 255, 0, 255, 0, 128}, {0, 0, 0, 0, 0, 0, 0, 0}}, {}});
// 2 x 2 RGB: white (the key), blue, blue, white.
const std::string RgbPng = WriteWithLibpng({2, 2, 2, 8, false, {{255, 255, 255, 0, 0, 255}, {0, 0, 255, 255, 255, 255}}, {}});

class SkinAlphaImageListTest : public testing::Test {
protected:
  SkinAlphaImageListTest() { list.SetSize(2, 2); }

  // The list's image over white, as 0x00BBGGRR colours row by row.
  std::vector<TColor> Drawn(const TSkinAlphaImageList& images, int index, bool enabled = true) {
    TBitmap target(2, 2, pf24bit);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect(Rect(0, 0, 2, 2));
    images.Draw(target.Canvas(), 0, 0, index, enabled);
    return {target.Handle()->Pixel(0, 0), target.Handle()->Pixel(1, 0), target.Handle()->Pixel(0, 1),
            target.Handle()->Pixel(1, 1)};
  }

  TSkinAlphaImageList list{nullptr};
};

TEST_F(SkinAlphaImageListTest, PngAndIcoItemsKeepAlphaOrKeyTheirTopLeftColour) {
  list.BeginLoading();
  AddItem(list, ifPNG, pf32bit, RgbaPng);
  AddItem(list, ifPNG, pf24bit, RgbPng);
  AddItem(list, ifICO, pf24bit, IcoFile(24, {0xFFFFFF, 0xFF0000, 0x0000FF, 0xFFFFFF}));
  AddItem(list, ifICO, pf32bit, IcoFile(32, {0xFF0000FF, 0x80FF0000, 0, 0}));
  list.Loaded();
  EXPECT_EQ(list.Items().Count(), 0) << "run time drops the items";
  EXPECT_FALSE(list.ImagesGenerated);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(Drawn(list, 0), (std::vector<TColor>{clBlue, RGB(127, 255, 127), clWhite, clWhite}));
  EXPECT_EQ(Drawn(list, 1), (std::vector<TColor>{clWhite, clBlue, clBlue, clWhite}));
  EXPECT_EQ(Drawn(list, 2), (std::vector<TColor>{clWhite, clRed, clBlue, clWhite})) << "whatever the mask says";
  EXPECT_EQ(Drawn(list, 3), (std::vector<TColor>{clBlue, RGB(255, 127, 127), clWhite, clWhite}));
  EXPECT_EQ(Drawn(list, 0, false), Drawn(list, 0)) << "disabled looks the same";
}

TEST_F(SkinAlphaImageListTest, DesignModeKeepsTheItemsAndTheirBytes) {
  list.SetDesigning(true);
  AddItem(list, ifPNG, pf32bit, RgbaPng);
  list.GenerateImages();
  EXPECT_EQ(list.Items().Count(), 1);
  EXPECT_TRUE(list.ImagesGenerated);
  EXPECT_EQ(list.Count(), 1);

  TMemoryStream form;
  list.Items().Items(0).WriteImgData(form);
  form.SetPosition(0);
  TSkinImgListItem read;
  read.ReadImgData(form);
  ASSERT_EQ(read.ImageData().Size(), std::int64_t(RgbaPng.size()));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(read.ImageData().Memory()), RgbaPng.size()), RgbaPng);
}

TEST_F(SkinAlphaImageListTest, ABrokenItemRaisesWithTheImagesBeforeKept) {
  AddItem(list, ifPNG, pf32bit, RgbaPng);
  AddItem(list, ifPNG, pf32bit, "broken");
  AddItem(list, ifPNG, pf32bit, RgbaPng);
  EXPECT_THROW(list.GenerateImages(), EInvalidGraphic);
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(SkinAlphaImageListTest, AssignAndCopyTakeSizeBackgroundAndImages) {
  AddItem(list, ifPNG, pf32bit, RgbaPng);
  AddItem(list, ifPNG, pf24bit, RgbPng);
  list.GenerateImages();
  list.SetBkColor(clRed);
  TSkinAlphaImageList copy(nullptr);
  copy.Assign(&list);
  EXPECT_EQ((TSize{copy.Width(), copy.Height()}), (TSize{2, 2}));
  EXPECT_EQ(copy.BkColor(), clRed);
  EXPECT_EQ(list.BkColor(), clNone) << "copying takes the source's background away";
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(Drawn(copy, 1), Drawn(list, 1));

  TSkinAlphaImageList other(nullptr);
  other.CopyImagesFrom(list);
  EXPECT_EQ(other.Count(), 2);
  copy.Assign(nullptr);
  EXPECT_FALSE(copy.HandleAllocated());
}

// A skinned tool bar with an alpha list: its glyph is blended over the
// button's own look, not keyed.
class AlphaGlyphOnToolBar : public SkinnedFormFixture {};

TEST_F(AlphaGlyphOnToolBar, AHalfTransparentGlyphMixesWithTheButtonsLook) {
  TSkinAlphaImageList images(nullptr);
  const std::vector<std::uint8_t> row = [] {
    std::vector<std::uint8_t> pixels;
    for (int x = 0; x < 16; ++x) pixels.insert(pixels.end(), {0x30, 0x70, 0x10, 128});
    return pixels;
  }();
  AddItem(images, ifPNG, pf32bit, WriteWithLibpng({16, 16, 6, 8, false, std::vector(16, row), {}}));
  images.GenerateImages();
  auto* bar = new TSkinToolBar(form);
  bar->SetParent(form);
  bar->SetBounds(10, 120, 200, 44);
  bar->SetEdgeBorders(0);
  bar->SetButtonHeight(40);
  bar->SetButtonWidth(40);
  bar->SetImages(&images);
  for (int index : {0, -1}) {
    auto* button = new TToolButton(form);
    button->SetImageIndex(index);
    button->SetParent(bar);
  }
  ShowForm();
  LoadAndAnnounce();
  const auto image = Render();
  // The glyph's middle, and the same place on the button without one.
  const TRect first = bar->Buttons(0)->BoundsRect(), second = bar->Buttons(1)->BoundsRect();
  const TPoint middle = {(first.Width() - 16) / 2 + 1 + 8, (first.Height() - 16) / 2 + 8};
  const TColor under = PixelOf(*image, *bar, {second.Left + middle.X, second.Top + middle.Y});
  const TColor glyph = PixelOf(*image, *bar, {first.Left + middle.X, first.Top + middle.Y});
  EXPECT_EQ(glyph, PixelToColor(AlphaOver(0x80307010, ColorToPixel(under)))) << std::hex << under;
  EXPECT_NE(glyph, under);
}

TEST(StockAlphaImagesTest, FiveStripsInOrderAndABrokenOneLeftOut) {
  LoadStockAlphaImages();
  TSkinAlphaImageList& stock = *StockAlphaImages();
  ASSERT_EQ(stock.Count(), 5);
  EXPECT_EQ((TSize{stock.Width(), stock.Height()}), (TSize{48, 16}));
  TBitmap image;
  const char* names[] = {"SF", "SR", "SD", "SE", "SC"};
  for (int i = 0; i < 5; ++i) {
    TResourceStream stream(names[i]);
    TPNGGraphic png;
    png.LoadFromStream(stream);
    stock.GetBitmap(i, image);
    for (int frame = 0; frame < 3; ++frame) {
      const int x = 16 * frame + 7, y = 8;  // a pixel inside each frame's glyph
      EXPECT_EQ(image.Handle()->Pixel(x, y), png.Handle()->Pixel(x, y)) << names[i] << " frame " << frame;
    }
  }

  static const char broken[] = "not a PNG";
  AddResource("SD", broken, sizeof broken, true);
  LoadStockAlphaImages();
  EXPECT_EQ(StockAlphaImages()->Count(), 4);
  RemoveResource("SD");
  EXPECT_THROW(TResourceStream("SD"), EResNotFound);
  try {
    TResourceStream missing("SD");
  } catch (const EResNotFound& error) {
    EXPECT_STREQ(error.what(), "Resource SD not found");
  }
  AddStockImageResources();
  LoadStockAlphaImages();
  EXPECT_EQ(StockAlphaImages()->Count(), 5);
  FreeStockAlphaImages();
  EXPECT_EQ(StockAlphaImages(), nullptr);
}

}  // namespace
