#include "toolkit/gdi/Icon.h"

#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

void Put(std::string& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out += char(value >> (8 * i) & 0xFF);
}

// One picture of an icon file: its pixels as 0x00RRGGBB words (32 bits:
// 0xAARRGGBB), rows top first, and which of them the AND mask clears.
struct TIconPicture {
  int Size;
  int Bits;  // 24 or 32
  std::vector<std::uint32_t> Pixels;
  std::vector<bool> Clear;
};

std::string Dib(const TIconPicture& p) {
  std::string dib;
  Put(dib, 40, 4);
  Put(dib, p.Size, 4);
  Put(dib, 2 * p.Size, 4);
  Put(dib, 1, 2);
  Put(dib, p.Bits, 2);
  dib.append(24, '\0');
  const int bytes = p.Bits / 8;
  for (int y = p.Size - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < p.Size; ++x) Put(row, p.Pixels[y * p.Size + x], bytes);
    row.resize((row.size() + 3) / 4 * 4, '\0');
    dib += row;
  }
  for (int y = p.Size - 1; y >= 0; --y) {
    std::uint32_t bits = 0;
    for (int x = 0; x < p.Size; ++x)
      if (p.Clear[y * p.Size + x]) bits |= 0x80000000u >> x;
    for (int i = 3; i >= 0; --i) dib += char(bits >> (8 * i) & 0xFF);
  }
  return dib;
}

std::string IconFile(const std::vector<std::string>& pictures, const std::vector<int>& sizes) {
  std::string file;
  Put(file, 0, 2);
  Put(file, 1, 2);
  Put(file, pictures.size(), 2);
  std::size_t offset = 6 + 16 * pictures.size();
  for (size_t i = 0; i < pictures.size(); ++i) {
    Put(file, sizes[i], 1);
    Put(file, sizes[i], 1);
    Put(file, 0, 2);
    Put(file, 1, 2);
    Put(file, 32, 2);
    Put(file, pictures[i].size(), 4);
    Put(file, offset, 4);
    offset += pictures[i].size();
  }
  for (const std::string& picture : pictures) file += picture;
  return file;
}

void Load(TIcon& icon, const std::string& bytes) {
  std::istringstream stream(bytes);
  icon.LoadFromStream(stream);
}

const TIconPicture Small32{2, 32, {0xFFFF0000, 0x80FF0000, 0x00FF0000, 0xFF00FF00}, {false, false, false, false}};
const TIconPicture Large24{4, 24, std::vector<std::uint32_t>(16, 0x00FF0000),
                           {true, false, false, false, false, false, false, false,
                            false, false, false, false, false, false, false, true}};

TEST(Icon, TheLargestBitmapPictureIsReadWithItsMask) {
  TIcon icon;
  Load(icon, IconFile({Dib(Small32), Dib(Large24)}, {2, 4}));
  EXPECT_EQ((TSize{icon.Width(), icon.Height()}), (TSize{4, 4}));
  EXPECT_TRUE(icon.Transparent());
  TBitmap target(6, 6, pf24bit);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(Rect(0, 0, 6, 6));
  target.Canvas().Draw(1, 1, icon);
  EXPECT_EQ(target.Handle()->Pixel(1, 1), 0x00FFFFFFU) << "cleared by the mask";
  EXPECT_EQ(target.Handle()->Pixel(2, 1), 0x000000FFU) << "red";
  EXPECT_EQ(target.Handle()->Pixel(4, 4), 0x00FFFFFFU);
}

TEST(Icon, AlphaBytesBlendOverTheTarget) {
  TIcon icon;
  Load(icon, IconFile({Dib(Small32)}, {2}));
  TBitmap target(2, 2, pf24bit);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(Rect(0, 0, 2, 2));
  target.Canvas().Draw(0, 0, icon);
  EXPECT_EQ(target.Handle()->Pixel(0, 0), 0x000000FFU);
  EXPECT_EQ(target.Handle()->Pixel(1, 0), 0x007F7FFFU) << "half red over white";
  EXPECT_EQ(target.Handle()->Pixel(0, 1), 0x00FFFFFFU) << "alpha 0";
  TBitmap scaled(4, 4, pf24bit);
  scaled.Canvas().StretchDraw(Rect(0, 0, 4, 4), icon);
  EXPECT_EQ(scaled.Handle()->Pixel(3, 3), 0x0000FF00U) << "each pixel twice as large";
}

TEST(Icon, FilesWithoutABitmapPictureAreRefused) {
  std::string png = "\x89PNG\r\n\x1A\n";
  png.append(40, 'x');
  std::string cut = IconFile({Dib(Large24)}, {4});
  cut.resize(cut.size() - 10);
  const struct {
    const char* Name;
    std::string Bytes;
  } cases[] = {
      {"nothing", ""},
      {"a bitmap file", "BM not an icon"},
      {"only a PNG picture", IconFile({png}, {0})},
      {"a picture cut short", cut},
  };
  for (const auto& c : cases) {
    TIcon icon;
    try {
      Load(icon, c.Bytes);
      ADD_FAILURE() << c.Name << ": read";
    } catch (const EQuantrelError& error) {
      EXPECT_STREQ(error.what(), "Icon image is not valid") << c.Name;
    }
    EXPECT_TRUE(icon.Empty()) << c.Name;
  }
}

TEST(Icon, AnotherIconAssignsButNoBitmap) {
  TIcon icon;
  Load(icon, IconFile({Dib(Small32)}, {2}));
  TIcon copy;
  copy.Assign(icon);
  EXPECT_EQ(copy.Width(), 2);
  EXPECT_NE(copy.Handle(), icon.Handle());
  TBitmap bitmap(3, 3);
  EXPECT_THROW(copy.Assign(bitmap), EConvertError);
}

// A 2 x 1 colour bitmap and its mask, the right pixel masked; handles the
// caller deletes.
ICONINFO MakeInfo(TPixelFormat format, std::uint32_t left, std::uint32_t right) {
  ICONINFO info;
  info.hbmColor = new TGdiBitmap(2, 1, format);
  info.hbmColor->AddRef();
  const std::uint32_t pixels[] = {left, right};
  info.hbmColor->StoreRow(0, 0, 2, pixels);
  info.hbmMask = new TGdiBitmap(2, 1, pf1bit);
  info.hbmMask->AddRef();
  info.hbmMask->SetPixel(1, 0, clWhite);
  return info;
}

TColor DrawnAt(HICON icon, int x, int width = 0) {
  TBitmap target(4, 1, pf24bit);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(Rect(0, 0, 4, 1));
  EXPECT_TRUE(DrawIconEx(target.Canvas().Handle(), 0, 0, icon, width, 1, 0, nullptr, DI_NORMAL));
  return target.Handle()->Pixel(x, 0);
}

TEST(Icon, ColourAndMaskDrawByAlphaOrThroughTheMask) {
  // Without alpha bytes the mask decides: black opaque, white transparent.
  ICONINFO masked = MakeInfo(pf24bit, 0xFF0000FF, 0xFF00FF00);
  HICON icon = CreateIconIndirect(masked);
  DeleteObject(masked.hbmColor);
  DeleteObject(masked.hbmMask);
  EXPECT_EQ(DrawnAt(icon, 0), clBlue);
  EXPECT_EQ(DrawnAt(icon, 1), clWhite);
  EXPECT_EQ(DrawnAt(icon, 3, 4), clWhite) << "scaled to twice the width";
  EXPECT_EQ(DrawnAt(icon, 1, 4), clBlue);

  // GetIconInfo hands out copies.
  ICONINFO copy;
  ASSERT_TRUE(GetIconInfo(icon, &copy));
  EXPECT_NE(copy.hbmColor, &icon->Colour()) << "a copy, not the icon's own";
  EXPECT_EQ(copy.hbmColor->Pixel(0, 0), clBlue);
  EXPECT_EQ(copy.hbmMask->Pixel(1, 0), clWhite);
  DeleteObject(copy.hbmColor);
  DeleteObject(copy.hbmMask);
  EXPECT_TRUE(DestroyIcon(icon));

  // A 32-bit colour bitmap with alpha ignores its mask.
  ICONINFO alpha = MakeInfo(pf32bit, 0x00FF0000, 0x800000FF);
  icon = CreateIconIndirect(alpha);
  DeleteObject(alpha.hbmColor);
  DeleteObject(alpha.hbmMask);
  EXPECT_EQ(DrawnAt(icon, 0), clWhite) << "alpha 0";
  EXPECT_EQ(DrawnAt(icon, 1), RGB(127, 127, 255));
  DestroyIcon(icon);
  EXPECT_EQ(CreateIconIndirect(ICONINFO{}), nullptr);
  EXPECT_FALSE(DrawIconEx(nullptr, 0, 0, nullptr, 0, 0, 0, nullptr, DI_NORMAL));
}

// The stock application icon drawn size x size over magenta.
CountedPtr<TGdiBitmap> StockDrawn(int size) {
  TBitmap target(size, size, pf24bit);
  target.Canvas().Brush().SetColor(clFuchsia);
  target.Canvas().FillRect(Rect(0, 0, size, size));
  EXPECT_TRUE(DrawIconEx(target.Canvas().Handle(), 0, 0, LoadIcon(nullptr, IDI_APPLICATION), size, size, 0,
                         nullptr, DI_NORMAL));
  return CountedPtr<TGdiBitmap>(target.Handle()->Clone().release());
}

TEST(StockIcon, ApplicationWindowKeepsEachPartAtBothSizes) {
  // Points in 32ths of the size: every part of the picture must survive
  // the halving to 16 pixels.
  const struct {
    const char* Part;
    int X, Y;
    TColor Expected;
  } parts[] = {
      {"transparent above the window", 16, 0, clFuchsia},
      {"left frame", 0, 16, RGB(0x40, 0x40, 0x40)},
      {"caption", 8, 6, RGB(0x1E, 0x50, 0xA0)},
      {"caption button", 25, 6, clWhite},
      {"client area", 16, 20, clWhite},
      {"bottom frame", 16, 29, RGB(0x40, 0x40, 0x40)},
  };
  for (int size : {16, 32}) {
    const CountedPtr<TGdiBitmap> drawn = StockDrawn(size);
    for (const auto& part : parts)
      EXPECT_EQ(drawn->Pixel(part.X * size / 32, part.Y * size / 32), part.Expected) << part.Part << " at " << size;
  }
}

TEST(StockIcon, IsOneSharedHandleThatNoCallerFrees) {
  const HICON stock = LoadIcon(nullptr, IDI_APPLICATION);
  ASSERT_NE(stock, nullptr);
  EXPECT_EQ(LoadIcon(nullptr, IDI_APPLICATION), stock) << "the same handle each time";
  EXPECT_EQ(LoadIcon(nullptr, 32513), nullptr) << "no other stock icon";
  EXPECT_TRUE(IsStockIcon(stock));

  EXPECT_FALSE(DestroyIcon(stock));
  { TIcon owner(stock); }  // an owner that destroys its handle when it goes
  EXPECT_EQ(StockDrawn(32)->Pixel(16, 20), clWhite) << "still alive and drawing";

  TIcon copy;
  copy.Assign(TIcon(stock));
  EXPECT_NE(copy.Handle(), stock) << "a copy of its own";
  EXPECT_FALSE(IsStockIcon(copy.Handle()));
  EXPECT_EQ(copy.Width(), 32);
}

}  // namespace
