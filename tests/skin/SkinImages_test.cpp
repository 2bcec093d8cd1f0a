// The image entries of the test skin: every entry form, the pictures they
// name, the master bitmap, and the entries of CommonSections.

#include <cstdlib>
#include <set>

#include <gtest/gtest.h>

#include "runtime/MemIniFile.h"
#include "runtime/StringList.h"
#include "tests/skin/TestSkinFixture.h"
#include "toolkit/gdi/Canvas.h"

namespace {

using namespace TestSkin;

class SkinImagesTest : public TestSkinFixture {
protected:
  void Load() { manager.LoadSkin(); }
  // The value the test skin writes, to prove the fixture is what a case claims.
  std::string Written(const std::string& section, const std::string& key) const {
    return TMemIniFile(SkinFile("Options.dat")).ReadString(section, key, "");
  }
};

struct TMaskCase {
  const char* Section;
  const char* Name;
  TSkImgType Type;
  TRect Source;
  int ImageCount, MaskType, StretchMode, BorderWidth;
  int WL, WT, WR, WB;
};

TEST_F(SkinImagesTest, EveryEntryFormGivesItsMask) {
  Load();
  ASSERT_EQ(Written("COMBOBTN", "PATTERN").size(), 24U);
  ASSERT_EQ(Written("COMBOBTN", "HOTPATTERN").size(), 25U);
  ASSERT_EQ(Written("PANEL", "BORDERSMASK").size(), 48U) << "a \"^\" with every field";
  ASSERT_EQ(Written("DIVIDER", "BORDERSMASK"), "#(0,64,8,80)(0,-2)");
  const TRect none;
  const TMaskCase cases[] = {
      // "~" of 24 characters, of 25: character 25 is the mask type.
      {"COMBOBTN", "PATTERN", itisaTexture, Tile, 1, 0, 0, 0, 0, 0, 0, 0},
      {"COMBOBTN", "HOTPATTERN", itisaTexture, AlphaTile, 1, 1, 0, 0, 0, 0, 0, 0},
      {"GLOBALINFO", "RADIOCHECKED", itisaGlyph, {0, 88, 24, 96}, 3, 0, 0, 0, 0, 0, 0, 0},
      {"PANEL", "BORDERSMASK", itisaBorder, PanelBorder, 3, 0, 4, 2, 4, 4, 4, 4},
      {"TOOLBUTTON", "BORDERSMASK", itisaBorder, ToolButtonBorder, 3, 1, 0, 0, 4, 4, 4, 4},
      // A frame-count digit "0": one frame; no widths: a third of it.
      {"GROUPBOX", "BORDERSMASK", itisaBorder, ButtonBorder, 1, 0, 0, 0, 16, 5, 16, 5},
      // "!BTN.BMP!3!1!0" on a picture of 90 x 42.
      {"BUTTON", "BORDERSMASK", itisaBorder, {0, 0, 90, 42}, 3, 1, 4, 0, 10, 7, 10, 7},
      // "#" with the parameters "0,-2"; names upper-cased.
      {"DIVIDER", "BORDERSMASK", itisaBorder, {0, 64, 8, 80}, 1, 0, 1, 0, 2, 5, 2, 5},
      // A whole bitmap file: 3 frames over their alpha rows.
      {"EDIT", "BORDERSMASK", itisaBorder, {0, 0, 48, 32}, 3, 1, 0, 0, 5, 5, 5, 5},
      // JPEGs below 90,000 pixels: textures with a picture of their own.
      {"FORM", "PATTERN", itisaTexture, none, 1, 0, 0, 0, 0, 0, 0, 0},
      {"PANEL", "PATTERN", itisaTexture, none, 1, 0, 0, 0, 0, 0, 0, 0},
      // A picture named in a COLOR key is an entry all the same.
      {"STATUSBAR", "COLOR", itisaTexture, none, 1, 0, 0, 0, 0, 0, 0, 0},
  };
  for (const TMaskCase& c : cases) {
    const int index = manager.MaskIndexOfNames(c.Section, c.Name);
    ASSERT_GE(index, 0) << c.Section << " " << c.Name;
    const TSkinMaskData& m = manager.Masks[index];
    const std::string what = std::string(c.Section) + " " + c.Name;
    EXPECT_EQ(m.ImgType, c.Type) << what;
    EXPECT_EQ(m.SourceRect, c.Source) << what;
    EXPECT_EQ((std::array<int, 4>{m.ImageCount, m.MaskType, m.StretchMode, m.BorderWidth}),
              (std::array<int, 4>{c.ImageCount, c.MaskType, c.StretchMode, c.BorderWidth}))
        << what << ": frames, mask type, stretch mode, border width";
    EXPECT_EQ((std::array<int, 4>{m.WL, m.WT, m.WR, m.WB}), (std::array<int, 4>{c.WL, c.WT, c.WR, c.WB})) << what;
    EXPECT_EQ(m.Manager, &manager) << what;
  }
  EXPECT_EQ(manager.MaskIndexOfNames("Button", "BORDERSMASK"), -1) << "\"!\" naming \"btn.bmp\" is ignored";
}

TEST_F(SkinImagesTest, OwnPicturesAreKeptIn24Bits) {
  Load();
  const TSkinMaskData& button = Mask("BUTTON", "BORDERSMASK");
  ASSERT_TRUE(button.Image);
  EXPECT_EQ(button.Image->PixelFormat(), pf24bit);
  EXPECT_EQ(button.Image->Handle()->Pixel(30, 0), FrameColors[1]) << "frame 1's ring";
  const TSkinMaskData& wide = Mask("FORM", "PATTERN");
  ASSERT_TRUE(wide.Image);
  EXPECT_EQ((TSize{wide.Image->Width(), wide.Image->Height()}), (TSize{299, 300}));
  EXPECT_EQ(wide.Image->PixelFormat(), pf24bit);
  const TColor drawn = wide.Image->Handle()->Pixel(150, 150);
  for (int shift : {0, 8, 16})
    EXPECT_LE(std::abs(int(drawn >> shift & 0xFF) - int(JpegColor >> shift & 0xFF)), 2) << "the picture drawn in";
  EXPECT_EQ(Mask("PANEL", "PATTERN").Image->Width(), 16);
}

// The form painters' masks: pixel tests tell glyphs, bars, corners and
// their states apart by ring colour, so every frame must read its own.
TEST_F(SkinImagesTest, CaptionMasksHaveThreeFramesOfDistinctRings) {
  Load();
  std::set<TColor> rings;
  for (int m = 0; m < CaptionMaskCount; ++m) {
    const TMaskPlace& place = CaptionMasks[m];
    const TSkinMaskData& mask = Mask(place.Section, place.Name);
    EXPECT_EQ(mask.SourceRect, Bounds(place.Left, place.Top, 3 * place.Size, place.Size)) << place.Name;
    EXPECT_EQ(mask.ImageCount, 3) << place.Name;
    for (int f = 0; f < 3; ++f) {
      const TColor ring = manager.MasterBitmap()->Handle()->Pixel(place.Left + f * place.Size, place.Top);
      EXPECT_EQ(ring, MaskRing(m, f)) << place.Name << " frame " << f;
      EXPECT_EQ(manager.MasterBitmap()->Handle()->Pixel(place.Left + f * place.Size + place.Size / 2,
                                                        place.Top + place.Size / 2),
                CaptionMaskInside)
          << place.Name;
      rings.insert(ring);
    }
  }
  EXPECT_EQ(rings.size(), 3U * CaptionMaskCount) << "no two frames share a ring";
  EXPECT_EQ(rings.count(Magenta), 0U);
}

TEST_F(SkinImagesTest, APictureOf90000PixelsIsAPattern) {
  Load();
  ASSERT_EQ(manager.Patterns.size(), 1U);
  const TSkinPatternData& pattern = manager.Patterns[0];
  EXPECT_EQ(pattern.SectionName, "DIALOG");
  EXPECT_EQ(pattern.PropertyName, "PATTERN");
  EXPECT_EQ((TSize{pattern.Image->Width(), pattern.Image->Height()}), (TSize{300, 300}));
  EXPECT_EQ(manager.MaskIndexOfNames("DIALOG", "PATTERN"), -1) << "no mask besides";
}

TEST_F(SkinImagesTest, TheMasterBitmapIs24BitsTransparentInMagenta) {
  Load();
  const TBitmap* master = manager.MasterBitmap();
  ASSERT_NE(master, nullptr);
  EXPECT_EQ((TSize{master->Width(), master->Height()}), (TSize{MasterWidth, MasterHeight}));
  EXPECT_EQ(master->PixelFormat(), pf24bit);
  EXPECT_TRUE(master->Transparent());
  EXPECT_EQ(master->TransparentColor(), 0xFF00FFU);
  const TColor cornerRow[] = {Magenta, Magenta, FrameColors[0], Magenta};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(master->Handle()->Pixel(x, 0), cornerRow[x]) << x;
  for (const TSkinMaskData& mask : manager.Masks)
    if (mask.PropertyName == "MASTERBITMAP") ADD_FAILURE() << "the master bitmap's key is no entry";
}

TEST_F(SkinImagesTest, CommonSectionsGiveBitmapsFromDiskFreeFormsAndPatterns) {
  TStringList lines;
  lines.SetText(
      "[extra]\nBORDERSMASK = edit.bmp\nEDGE=#(0,0,48,16)(3,0,2)\nTILE=~0096,0048,0112,0064,00,\n"
      "PATTERN=tile16.jpg\nMISSING=gone.bmp\n"
      "[GLOBALINFO]\nGLOBALEDGE=#(0,0,48,16)\nBACKGROUND=back.jpg\n");
  manager.SetCommonSections(lines);
  Load();
  const TSkinMaskData& whole = Mask("EXTRA", "BORDERSMASK");
  EXPECT_EQ(whole.Image->Width(), 48) << "from the skin's folder on disk";
  EXPECT_EQ(whole.ImageCount, 3);
  const TSkinMaskData& edge = Mask("EXTRA", "EDGE");
  EXPECT_EQ((std::array<int, 4>{edge.ImageCount, edge.BorderWidth, edge.WL, edge.WB}), (std::array<int, 4>{3, 2, 2, 2}));
  EXPECT_EQ(manager.MaskIndexOfNames("EXTRA", "TILE"), -1) << "no first-character forms here";
  EXPECT_EQ(manager.MaskIndexOfNames("EXTRA", "MISSING"), -1);
  EXPECT_EQ(manager.MaskIndexOfNames("GLOBALINFO", "GLOBALEDGE"), -1) << "GLOBALINFO gives no masks";
  ASSERT_EQ(manager.Patterns.size(), 3U);
  EXPECT_EQ(manager.Patterns[1].SectionName, "EXTRA");
  EXPECT_EQ(manager.Patterns[1].Image->Width(), 16) << "a pattern whatever its size";
  EXPECT_EQ(manager.Patterns[2].SectionName, "GLOBALINFO") << "but patterns of GLOBALINFO";
}

TEST_F(SkinImagesTest, FrameCountsBelowOneAndNamesWithEitherSeparator) {
  WriteOptions(TestSkinOptions() +
               "[ZERO]\nOWN=!.\\BTN.BMP!0!0!0\nGLYPH=@0000,0048,0016,0056,0,0\nCURSOR=!BTN.BMP!3!1!7\n");
  TStringList lines;
  lines.SetText("[ABSOLUTE]\nBORDERSMASK=" + SkinFile("edit.bmp") + "\nDRIVE=c:\\edit.bmp\n");
  manager.SetCommonSections(lines);
  Load();
  const TSkinMaskData& own = Mask("ZERO", "OWN");
  EXPECT_EQ((std::array<int, 6>{own.ImageCount, own.MaskType, own.WL, own.WT, own.WR, own.WB}),
            (std::array<int, 6>{3, 1, 10, 7, 10, 7}))
      << "an own picture without a frame count is a button's three frames over their alpha rows";
  EXPECT_EQ(Mask("ZERO", "GLYPH").ImageCount, 1);
  EXPECT_EQ(Mask("ZERO", "CURSOR").ImgType, itisaBorder) << "an image type beyond the three known ones";
  EXPECT_EQ(Mask("ABSOLUTE", "BORDERSMASK").Image->Width(), 48) << "a name from the root, upper-cased by the reader";
  EXPECT_EQ(manager.MaskIndexOfNames("ABSOLUTE", "DRIVE"), -1);
}

TEST_F(SkinImagesTest, AnotherLoadReplacesEveryTable) {
  Load();
  const size_t masks = manager.Masks.size();
  Load();
  EXPECT_EQ(manager.Masks.size(), masks);
  EXPECT_EQ(manager.Patterns.size(), 1U);
  EXPECT_EQ(manager.SectionData.size(), 44U);
}

}  // namespace
