#include "skin/paint/SectionPainting.h"

#include "skin/GeneralRoutines.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/MaskDrawing.h"
#include "tests/skin/PaintFixture.h"
#include "tests/skin/TestSkinFixture.h"
#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Paint.h"

namespace {

TColor Marked(int x, int y) { return TColor(x | y << 8 | 0x40 << 16); }

std::unique_ptr<TBitmap> MarkedBitmap(int width, int height) {
  auto bmp = std::make_unique<TBitmap>(width, height, pf24bit);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SetBytesColor(*bmp, x, y, Marked(x, y));
  return bmp;
}

class SectionPainting : public PaintFixture {
protected:
  SectionPainting() {
    FillBytes(*master, Rect(0, 0, 8, 8), Grey(200));  // a plain texture
    FillBytes(*master, Rect(8, 0, 12, 4), Grey(90));  // a texture with alpha rows, whole tiles only
    FillBytes(*master, Rect(8, 4, 12, 8), Grey(0));
    FillBytes(*master, Rect(16, 0, 22, 6), Grey(30));  // a border
    FillBytes(*master, Rect(24, 0, 26, 2), Grey(240));  // a corner image
  }
  TSkinGeneralData& Section(TColor color) {
    TSkinGeneralData& section = manager.AddSection("S");
    section.Color = color;
    return section;
  }
  void AddTexture() { manager.AddMask("S", "PATTERN", Rect(0, 0, 8, 8), 1, 0); }
  int AddWholeTiles() { return manager.AddMask("S", "PATTERN10", Rect(8, 0, 12, 8), 1, 1, {}, 10); }
  void Paint(const TBackdropRef& backdrop, int state, TPoint offset = {}, int textureIndex = -1, bool quick = false) {
    if (quick)
      PaintSectionBackgroundQuick(0, textureIndex, -1, "S", backdrop, state, r, offset, bmp.get(), &manager);
    else
      PaintSectionBackground(0, "S", backdrop, state, r, offset, bmp.get(), &manager, textureIndex, -1, clSkinKey);
  }
  // Whether every pixel of r has the colour.
  bool RIs(TColor color, int right = 0) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right - right; ++x)
        if (BytesColor(*bmp, x, y) != color) return false;
    return true;
  }

  std::unique_ptr<TBitmap> bmp = FilledBitmap(12, 10, Sentinel);
  TRect r = Rect(2, 1, 10, 9);
  std::unique_ptr<TBitmap> behind = MarkedBitmap(40, 40);
  const TBackdropRef notReady{nullptr, 0, 0, clSkinKey, false};
};

TEST_F(SectionPainting, AFullyTransparentSectionCopiesItsBackdropExactly) {
  Section(0x000000FF).Transparency = 100;
  Paint(MakeBackdropRef(behind.get(), 1, 2), 0, {3, 4});
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      ASSERT_EQ(BytesColor(*bmp, x, y), Marked(1 + 3 + x - r.Left, 2 + 4 + y - r.Top)) << x << "," << y;
  EXPECT_EQ(BytesColor(*bmp, 1, 1), Sentinel);
}

TEST_F(SectionPainting, TransparencyMixesOverAUsableBackdropOnly) {
  Section(0).Transparency = 50;
  const auto white = FilledBitmap(20, 20, 0x00FFFFFF);
  Paint(MakeBackdropRef(white.get(), 0, 0), 0);
  EXPECT_TRUE(RIs(Grey(127))) << "(255 x 127 + 0 x 128 + 127) shr 8";
  manager.SectionData[0].Transparency = 30;
  Paint(notReady, 0);
  EXPECT_TRUE(RIs(0)) << "opaque over a backdrop that says nothing";
}

TEST_F(SectionPainting, LayersOfTextureGradientAndColour) {
  const struct {
    const char* Name;
    TColor Color;
    bool Texture;
    int ImagePercent, GradientPercent;
    bool Quick;
    TColor Expected;
    TColor LastColumn;
  } cases[] = {
      {"no pattern anywhere", 0x00102030, false, 100, 0, false, 0x00102030, 0x00102030},
      {"texture 40 %, 60 % toward the colour", 0, true, 40, 0, false, Grey(80), Grey(80)},
      {"texture and gradient 120 %: no colour share", 0, true, 60, 60, false, Grey(120), Grey(200)},
      {"the quick variant fills the colour instead", 0, true, 60, 60, true, 0, 0},
      {"gradient 50 % without data", 0x00102030, false, 0, 50, false, 0x00102030, 0x00102030},
  };
  for (const auto& c : cases) {
    manager.SectionData.clear();
    manager.Masks.clear();
    TSkinGeneralData& section = Section(c.Color);
    section.ImagePercent = c.ImagePercent;
    section.GradientPercent = c.GradientPercent;
    if (c.Texture) AddTexture();
    Paint(notReady, 0, {}, c.Quick ? 0 : -1, c.Quick);
    EXPECT_TRUE(RIs(c.Expected, 1)) << c.Name << ": " << std::hex << BytesColor(*bmp, 3, 3);
    EXPECT_EQ(BytesColor(*bmp, r.Right - 1, 3), c.LastColumn) << c.Name;
  }
}

TEST_F(SectionPainting, AFullyTransparentHotLookIgnoresItsImageAndGradient) {
  TSkinGeneralData& section = Section(0);
  section.HotTransparency = 100;
  section.HotImagePercent = 50;
  section.HotGradientPercent = 50;
  manager.AddMask("S", "HOTPATTERN", Rect(0, 0, 8, 8), 1, 0);
  Paint(MakeBackdropRef(behind.get(), 0, 0), 1, {r.Left, r.Top});
  EXPECT_EQ(BytesColor(*bmp, 5, 5), Marked(5, 5));
}

TEST_F(SectionPainting, WholeMaskedTilesComeLastWithTheBackdropAroundThem) {
  Section(0x000000FF);
  const int tiles = AddWholeTiles();
  Paint(MakeBackdropRef(behind.get(), 0, 0), 0, {r.Left, r.Top}, tiles);
  // 8 x 8: tiles of 4 x 4 at x 0 (4 < 8 - 4 fails) and y 0 only.
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const bool tiled = x < r.Left + 4 && y < r.Top + 4;
      ASSERT_EQ(BytesColor(*bmp, x, y), tiled ? Grey(90) : Marked(x, y)) << x << "," << y;
    }
}

TEST_F(SectionPainting, CornerImagesAndBordersInTheirOrder) {
  Section(0x000000FF);
  manager.AddMask("S", "BORDERSMASK", Rect(16, 0, 22, 6), 1, 0, {2, 2, 2, 2});
  const int corner = manager.AddMask("S", "IMGBTMLEFT", Rect(24, 0, 26, 2), 1, 0);
  const std::vector<std::uint8_t> before = AllBytes(*bmp);
  for (const TRect& empty : {Rect(0, 0, 0, 10), Rect(0, 0, 13, 10)}) {
    PaintSection(0, "S", notReady, false, 0, empty, {}, bmp.get(), &manager);
    EXPECT_EQ(AllBytes(*bmp), before);
  }
  r = Rect(5, 0, 12, 10);
  PaintSection(0, "S", notReady, false, 0, r, {}, bmp.get(), &manager);
  EXPECT_EQ(BytesColor(*bmp, 5, 9), Grey(30)) << "PaintSection draws the border over its corner images";
  EXPECT_EQ(BytesColor(*bmp, 0, 9), Sentinel);
  manager.Masks[0].StretchMode = smNoNormalBorder;
  PaintSection(0, "S", notReady, false, 0, r, {}, bmp.get(), &manager);
  EXPECT_EQ(BytesColor(*bmp, 5, 9), Grey(240)) << "the bottom-left corner image at R's left";
  manager.Masks[0].StretchMode = 0;

  TSkinCommonData data(nullptr, false);
  data.SetSkinManager(&manager);
  data.SetSkinSection("S");
  data.SectionIndex = 0;
  data.BorderMaskIndex = 0;
  ASSERT_EQ(corner, 1);
  PaintControl(data, notReady, false, 0, r, {}, bmp.get(), true);
  EXPECT_EQ(BytesColor(*bmp, 5, 9), Grey(240)) << "PaintControl draws its corner images last";
}

using SectionPaintingOnTestSkin = TestSkinFixture;

TEST_F(SectionPaintingOnTestSkin, SectionsOfTheTestSkinOverAParentPicture) {
  manager.LoadSkin();
  const auto parent = MarkedBitmap(60, 60);
  const TBackdropRef backdrop = MakeBackdropRef(parent.get(), 5, 6);
  const TColor toolButton[3] = {0x00E8E0D8, 0x00FFE0C0, 0x00FFE0C0};
  for (int state = 0; state < 3; ++state) {
    auto bmp = FilledBitmap(40, 30, Sentinel);
    const TRect all = Rect(0, 0, 40, 30);
    PaintSection(Section("TOOLBUTTON"), "TOOLBUTTON", backdrop, true, state, all, {}, bmp.get(), nullptr);
    EXPECT_EQ(BytesColor(*bmp, 0, 0), TestSkin::FrameColors[state]) << "corner ring, state " << state;
    EXPECT_EQ(BytesColor(*bmp, 20, 0), TestSkin::FrameColors[state]) << "top edge ring";
    EXPECT_EQ(BytesColor(*bmp, 39, 15), TestSkin::FrameColors[state]) << "right edge ring";
    EXPECT_EQ(BytesColor(*bmp, 20, 15), toolButton[state]) << "centre";

    PaintSection(Section("PANEL"), "PANEL", backdrop, true, state, all, {}, bmp.get(), nullptr);
    EXPECT_EQ(BytesColor(*bmp, 0, 0), Marked(5, 6)) << "a key pixel of the corner shows the parent";
    EXPECT_EQ(BytesColor(*bmp, 3, 0), Marked(5 + 3, 6));
    EXPECT_EQ(BytesColor(*bmp, 2, 0), TestSkin::FrameColors[state]);

  }
  auto bmp = FilledBitmap(40, 30, Sentinel);
  PaintSection(Section("CHECKBOX"), "CHECKBOX", backdrop, true, 0, Rect(0, 0, 40, 30), {}, bmp.get(), nullptr);
  EXPECT_EQ(BytesColor(*bmp, 20, 15), Marked(5 + 20, 6 + 15)) << "transparent section";
  EXPECT_EQ(BytesColor(*bmp, 0, 29), Marked(5, 6 + 29));
}

using SectionPaintingOnAWindow = FormFixture;

TEST_F(SectionPaintingOnAWindow, APlainPanelAnswersItsColourAndAWindowGetsWhatABitmapGets) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetColor(clBtnFace);
  ShowForm();
  TBackdropQuery query;
  EXPECT_FALSE(AskBackdrop(query, panel, false));
  EXPECT_EQ(query.Kind, bkColor);
  EXPECT_EQ(query.Color, ColorToRGB(clBtnFace));

  TTestSkinManager manager;
  auto masterBitmap = FilledBitmap(16, 16, Grey(60));
  FillBytes(*masterBitmap, Rect(0, 0, 1, 1), clSkinKey);
  TBitmap* master = masterBitmap.get();
  manager.SetMasterBitmap(std::move(masterBitmap));
  manager.AddSection("S").Color = 0x00336699;
  manager.AddMask("S", "BORDERSMASK", Rect(0, 0, 6, 6), 1, 0, {2, 2, 2, 2});
  ASSERT_TRUE(master);
  const TBackdropRef plain{nullptr, 0, 0, 0x00AABBCC, false};
  auto bmp = FilledBitmap(30, 20, Sentinel);
  PaintSection(0, "S", plain, false, 0, Rect(0, 0, 30, 20), {}, bmp.get(), &manager);
  HDC dc = GetDC(panel->Handle());
  PaintSectionToDC(0, "S", plain, false, 0, Bounds(7, 9, 30, 20), {}, dc, &manager);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(GetPixel(dc, 7 + x, 9 + y), BytesColor(*bmp, x, y)) << x << "," << y;
  ReleaseDC(panel->Handle(), dc);
}

}  // namespace
