// Stored skins: their defaults and setters, "Data" on a stream, and the
// three readers that turn the collections into a load's tables.

#include "skin/skins/StoredSkins.h"

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "skin/skins/PackedSkin.h"
#include "tests/runtime/TempFolder.h"
#include "tests/skin/TestSkinWriter.h"
#include "tests/toolkit/FlatJpeg.h"

namespace {

std::unique_ptr<TBitmap> Picture(int width, int height, TColor color) {
  auto picture = std::make_unique<TBitmap>(width, height, pf32bit);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture->Handle()->SetPixel(x, y, color);
  return picture;
}

std::unique_ptr<TJPEGImage> Jpeg(int width, int height) {
  TempFolder folder;
  WriteFlatJpeg(folder / "flat.jpg", width, height, 0x00406080);
  auto jpeg = std::make_unique<TJPEGImage>();
  jpeg->LoadFromFile(folder / "flat.jpg");
  return jpeg;
}

TEST(StoredSkins, DefaultsAndTheSkinsFoundByExactName) {
  TSkinStoredSkins skins;
  TSkinStoredSkin& skin = skins.Add();
  EXPECT_EQ(skin.Shadow1Blur, -1);
  EXPECT_EQ(skin.BorderColor, TColor(0xFF00FF));
  EXPECT_EQ(skin.Version, 0);
  EXPECT_TRUE(skin.MasterBitmap().Empty());
  EXPECT_EQ(skin.PackedData().Size(), 0);
  skin.SetName("Blue");
  skins.Add().SetName("blue");
  EXPECT_EQ(skins.IndexOf("blue"), 1);
  EXPECT_EQ(skins.IndexOf("BLUE"), -1);

  TSkinStoredSkins other;
  other.Add();
  skins.Assign(other);
  EXPECT_EQ(skins.Count(), 2) << "assigning another collection does nothing";
}

TEST(StoredSkins, CollectionsCopyOnlyWhenEmpty) {
  TSkinStoredSkin source;
  TSkinStoredSkin target;
  target.GeneralData().Add();
  target.SetGeneralData(source.GeneralData());
  EXPECT_EQ(target.GeneralData().Count(), 0) << "an empty collection copies";
  source.GeneralData().Add();
  try {
    target.SetGeneralData(source.GeneralData());
    ADD_FAILURE() << "sections copied";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "Cannot assign a TSkinGeneral to a TSkinGeneral");
  }
  source.Images().Add();
  EXPECT_THROW(target.SetImages(source.Images()), EConvertError);
  source.Patterns().Add();
  EXPECT_THROW(target.SetPatterns(source.Patterns()), EConvertError);
}

TEST(StoredSkins, DataRoundTripsAndIsWrittenEmptyAsCountZero) {
  TSkinStoredSkin empty;
  TMemoryStream form;
  empty.WriteData(form);
  ASSERT_EQ(form.Size(), 4);
  EXPECT_EQ(form.Memory()[0] | form.Memory()[1] | form.Memory()[2] | form.Memory()[3], 0);

  TSkinStoredSkin packed;
  const std::string bytes = PackSkin(TestSkinMembers());
  packed.PackedData().WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  TMemoryStream stream;
  packed.WriteData(stream);
  stream.SetPosition(0);
  TSkinStoredSkin read;
  read.ReadData(stream);
  std::unique_ptr<TSkSkinConvertor> convertor;
  LoadPackedData(read.PackedData(), convertor, true);
  EXPECT_EQ(convertor->IniText(), TestSkinOptions()) << "the data read back is the packed skin";
}

TEST(StoredSkins, MasksAreOwnPicturesWithANameElseRectanglesOfTheMaster) {
  TSkinStoredSkin skin;
  skin.SetMasterBitmap(*Picture(64, 32, 0x00123456));
  const auto own = Picture(90, 42, 0x00FF0000);
  struct {
    const char* Name;
    int ImageCount, MaskType, BorderWidth;
    TSkImgType ImgType;
  } const items[] = {
      {"BTN", 0, 0, 0, itisaBorder},  // no frame count: three frames over their alpha rows
      {"", 2, 0, 3, itisaGlyph},      // a picture but no name: a rectangle of the master
      {"", 1, 0, 0, itisaTexture},
  };
  for (const auto& c : items) {
    TSkinImage& image = skin.Images().Add();
    image.SectionName = "Button";
    image.PropertyName = "bordersMask";
    image.SetName(c.Name);
    image.SetImage(*own);
    image.Left = 4;
    image.Top = 2;
    image.Right = 28;
    image.Bottom = 14;
    image.ImageCount = c.ImageCount;
    image.MaskType = c.MaskType;
    image.BorderWidth = c.BorderWidth;
    image.ImgType = c.ImgType;
  }
  skin.Images().Items(2).WL = 5;

  std::vector<TSkinMaskData> masks;
  ReadStoredMasks(skin, nullptr, masks);
  ASSERT_EQ(masks.size(), 3u);
  const TSkinMaskData& btn = masks[0];
  ASSERT_TRUE(btn.Image);
  EXPECT_EQ(btn.Image->PixelFormat(), pf24bit);
  EXPECT_EQ(btn.SourceRect, Rect(0, 0, 90, 42));
  EXPECT_EQ(btn.ImageCount, 3);
  EXPECT_EQ(btn.MaskType, 1);
  EXPECT_EQ(btn.WL, 10);
  EXPECT_EQ(btn.WT, 7);
  EXPECT_EQ(btn.SectionName, "BUTTON");
  EXPECT_EQ(btn.PropertyName, "BORDERSMASK");
  const TSkinMaskData& glyph = masks[1];
  EXPECT_FALSE(glyph.Image);
  EXPECT_EQ(glyph.SourceRect, Rect(4, 2, 28, 14));
  EXPECT_EQ(glyph.ImgType, itisaGlyph);
  EXPECT_EQ(glyph.WR, 3) << "the border width for every side";
  EXPECT_EQ(masks[2].WL, 5) << "widths given stay";
  EXPECT_EQ(masks[2].WR, 0);

  const std::unique_ptr<TBitmap> master = StoredMasterBitmap(skin);
  EXPECT_EQ(master->PixelFormat(), pf24bit);
  EXPECT_TRUE(master->Transparent());
  EXPECT_EQ(master->TransparentColor(), TColor(0xFF00FF));
  EXPECT_EQ(master->Width(), 64);
}

TEST(StoredSkins, PatternsOfOneNameShareTheirPicture) {
  TSkinStoredSkin skin;
  const auto picture = Jpeg(30, 20);
  const struct {
    const char* Section;
    const char* Name;
    bool HasPicture;
  } items[] = {{"form", "back", false}, {"dialog", "back", true}, {"panel", "lone", false}};
  for (const auto& c : items) {
    TSkinPattern& pattern = skin.Patterns().Add();
    pattern.SectionName = c.Section;
    pattern.PropertyName = "pattern";
    pattern.SetName(c.Name);
    if (c.HasPicture) pattern.SetImage(*picture);
  }
  std::vector<TSkinPatternData> patterns;
  ReadStoredPatterns(skin, patterns);
  ASSERT_EQ(patterns.size(), 3u) << "every stored pattern stays a pattern";
  EXPECT_EQ(patterns[0].Image->Width(), 30) << "taken from the other pattern of its name";
  EXPECT_EQ(patterns[1].Image->Width(), 30);
  EXPECT_TRUE(patterns[2].Image->Empty());
  EXPECT_EQ(patterns[0].SectionName, "FORM");
  EXPECT_EQ(patterns[0].PropertyName, "PATTERN");
}

TEST(StoredSkins, SectionsTakeTheirValuesAndFiveFontColours) {
  TSkinStoredSkin skin;
  skin.Version = 6.05;
  skin.Author = "me";
  skin.Shadow1Offset = 3;
  skin.BorderColor = 0x123;
  const struct {
    const char* FontColor;
    std::array<TColor, 5> Expected;
  } cases[] = {
      {"1 2 3 4", {0, TColor(-1), TColor(-1), TColor(-1), TColor(-1)}},
      {"1 2 3 4 5", {1, 2, 3, 4, 5}},
      {"$FF 0 -1 0 -1", {0xFF, 0, TColor(-1), 0, TColor(-1)}},
      {"", {0, TColor(-1), TColor(-1), TColor(-1), TColor(-1)}},
  };
  for (const auto& c : cases) {
    TSkinGeneral& general = skin.GeneralData().Add();
    general.SectionName = "Button";
    general.ParentClass = "panel";
    general.Color = TColor(0x80000005);  // a system colour, kept as stored
    general.FontColor = c.FontColor;
    general.HotFontColor = "9 8 7 6 5";
    general.GradientData = "255;65280;100;1;0";
    general.ShowFocus = true;
    general.FadingIterations = 7;
  }
  TSkinData info;
  info.CaptionButtonSpacing = 9;
  std::vector<TSkinGeneralData> sections;
  ReadStoredSectionData(skin, info, sections);
  EXPECT_EQ(info.Version, 6.05);
  EXPECT_EQ(info.Author, "me");
  EXPECT_EQ(info.Shadow1Offset, 3);
  EXPECT_EQ(info.Shadow1Blur, -1);
  EXPECT_EQ(info.BorderColor, TColor(0x123));
  EXPECT_EQ(info.CaptionButtonSpacing, 9) << "the caption-button values stay";
  ASSERT_EQ(sections.size(), std::size(cases));
  for (size_t i = 0; i < sections.size(); ++i) EXPECT_EQ(sections[i].FontColor, cases[i].Expected) << cases[i].FontColor;
  const TSkinGeneralData& d = sections[0];
  EXPECT_EQ(d.SectionName, "Button");
  EXPECT_EQ(d.ParentClass, "panel");
  EXPECT_EQ(d.Color, TColor(0x80000005));
  EXPECT_EQ(d.HotFontColor, (std::array<TColor, 5>{9, 8, 7, 6, 5}));
  ASSERT_EQ(d.GradientArray.size(), 1u);
  EXPECT_EQ(d.GradientArray[0].Color2, TColor(65280));
  EXPECT_TRUE(d.HotGradientArray.empty());
  EXPECT_TRUE(d.ShowFocus);
  EXPECT_EQ(d.FadingIterations, 7);

  skin.GeneralData().Add().FontColor = "1 2 x 4 5";
  EXPECT_THROW(ReadStoredSectionData(skin, info, sections), EConvertError);
}

}  // namespace
