#include "skin/skins/SkinManager.h"

#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "tests/skin/TestSkinFixture.h"
#include "toolkit/gdi/Color.h"

namespace {

class SkinLookUpTest : public TestSkinFixture {
protected:
  SkinLookUpTest() {
    manager.LoadSkin();
    manager.RefreshCachedIndexes();
  }
  int MaskOf(const std::string& section, const std::string& name) const {
    return manager.MaskIndexOf(Section(section), section, name);
  }
};

TEST_F(SkinLookUpTest, LookUpsFollowNamesAndParents) {
  const TCachedIndexes& cache = manager.CachedIndexes;
  const struct {
    const char* Name;
    int Actual;
    int Expected;
  } cases[] = {
      {"\"Button\" and \"BUTTON\" are two sections", Section("Button") >= 0 && Section("Button") != Section("BUTTON"), 1},
      {"a section name compares exactly", Section("panel"), -1},
      {"TABBOTTOM's cached border is TABTOP's", cache.TabBorders[1], manager.MaskIndexOfNames("TABTOP", "BORDERSMASK")},
      {"TABBOTTOM has no border of its own", manager.MaskIndexOfNames("TABBOTTOM", "BORDERSMASK"), -1},
      {"a valid index with an empty name", manager.MaskIndexOf(Section("PANEL"), "", "BORDERSMASK"), -1},
      {"a negative section index", manager.MaskIndexOf(-1, "PANEL", "BORDERSMASK"), -1},
      {"a section naming itself lacks the mask", MaskOf("SELFISH", "BORDERSMASK"), -1},
      {"two sections naming each other lack it", MaskOf("CYCLEA", "BORDERSMASK"), -1},
      {"nor is a texture found round the cycle", manager.TextureIndexOf(Section("CYCLEB"), "CYCLEB", "PATTERN"), -1},
      {"nor a pattern", manager.PatternIndexOf(Section("CYCLEA"), "CYCLEA", "PATTERN"), -1},
      {"a pattern of the section", manager.PatternIndexOf(Section("DIALOG"), "DIALOG", "PATTERN"), 0},
      {"a texture is found among the textures", manager.TextureIndexOf(Section("PANEL"), "PANEL", "PATTERN"),
       manager.MaskIndexOfNames("PANEL", "PATTERN")},
      {"a border is no texture", manager.TextureIndexOf(Section("PANEL"), "PANEL", "BORDERSMASK"), -1},
      {"PANEL_LOW takes PANEL's border", MaskOf("PANEL_LOW", "BORDERSMASK"), manager.MaskIndexOfNames("PANEL", "BORDERSMASK")},
      {"names only: no parent", manager.MaskIndexOfNames("PANEL_LOW", "BORDERSMASK"), -1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Actual, c.Expected) << c.Name;
  EXPECT_GE(manager.MaskIndexOfNames("TABTOP", "BORDERSMASK"), 0);
}

TEST_F(SkinLookUpTest, CachedIndexesHoldTheGlyphsComboAndScrollPieces) {
  const TCachedIndexes& cache = manager.CachedIndexes;
  EXPECT_EQ(cache.GlobalInfo, Section("GLOBALINFO"));
  std::set<int> glyphs;
  for (size_t i = 0; i < CheckBoxGlyphNames.size(); ++i) {
    EXPECT_EQ(cache.CheckBoxGlyphs[i], manager.MaskIndexOfNames("GLOBALINFO", CheckBoxGlyphNames[i])) << i;
    glyphs.insert(cache.CheckBoxGlyphs[i]);
  }
  EXPECT_EQ(glyphs.size(), 9U);
  EXPECT_EQ(glyphs.count(-1), 0U);

  EXPECT_EQ(cache.ComboButton, Section("COMBOBTN"));
  EXPECT_EQ(cache.ComboButtonBorder, manager.MaskIndexOfNames("COMBOBTN", "BORDERSMASK"));
  EXPECT_EQ(cache.ComboButtonTextures[0], manager.MaskIndexOfNames("COMBOBTN", "PATTERN"));
  EXPECT_EQ(cache.ComboButtonTextures[1], manager.MaskIndexOfNames("COMBOBTN", "HOTPATTERN"));
  EXPECT_EQ(cache.ComboGlyph, manager.MaskIndexOfNames("COMBOBOX", "GLYPHMASK"));

  const char* const buttons[] = {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(cache.ScrollButtons[i], Section(buttons[i])) << buttons[i];
    EXPECT_EQ(cache.ScrollButtonBorders[i], manager.MaskIndexOfNames("SCROLLBTNTOP", "BORDERSMASK")) << buttons[i];
    EXPECT_EQ(cache.ScrollButtonGlyphs[i], manager.MaskIndexOfNames(buttons[i], "GLYPHMASK")) << buttons[i];
    EXPECT_EQ(cache.ScrollButtonTextures[i], -1) << buttons[i];
  }
  EXPECT_EQ(cache.Sliders, (std::array<int, 2>{Section("SCROLLSLIDERV"), Section("SCROLLSLIDERH")}));
  const int sliderBorder = manager.MaskIndexOfNames("SCROLLSLIDERV", "BORDERSMASK");
  EXPECT_EQ(cache.SliderBorders, (std::array<int, 2>{sliderBorder, sliderBorder})) << "the horizontal inherits";
  const int pattern = manager.MaskIndexOfNames("SCROLLSLIDERV", "PATTERN");
  const int hotPattern = manager.MaskIndexOfNames("SCROLLSLIDERV", "HOTPATTERN");
  EXPECT_EQ(cache.SliderTextures, (std::array<int, 4>{pattern, hotPattern, pattern, hotPattern}));
  const int barBorder = manager.MaskIndexOfNames("SCROLLBAR1H", "BORDERSMASK");
  EXPECT_EQ(cache.ScrollBars[3], Section("SCROLLBAR2V"));
  const int afterBorder = manager.MaskIndexOfNames("SCROLLBAR2H", "BORDERSMASK");
  EXPECT_NE(afterBorder, barBorder);
  EXPECT_EQ(cache.ScrollBarBorders, (std::array<int, 4>{barBorder, barBorder, afterBorder, afterBorder}))
      << "the vertical halves inherit";
  EXPECT_EQ(cache.ScrollBarHotTextures[2], manager.MaskIndexOfNames("SCROLLBAR1H", "HOTPATTERN"));
}

TEST_F(TestSkinFixture, ASkinWithoutGlobalInfoHasDefaultsAndNoGlyphs) {
  std::string options = TestSkinOptions();
  options.erase(options.find("[GLOBALINFO]"), options.find("[PANEL]") - options.find("[GLOBALINFO]"));
  WriteOptions(options);
  manager.LoadSkin();
  manager.RefreshCachedIndexes();
  ASSERT_GE(Section("PANEL"), 0);
  EXPECT_EQ(manager.CachedIndexes.GlobalInfo, -1);
  for (int glyph : manager.CachedIndexes.CheckBoxGlyphs) EXPECT_EQ(glyph, -1);
  EXPECT_EQ(manager.GlobalColor(), ColorToRGB(clBtnFace));
  EXPECT_EQ(manager.GlobalFontColor(), 0xFF00FFU);
}

TEST_F(SkinLookUpTest, GlobalColoursAreGlobalInfosAsRgb) {
  EXPECT_EQ(manager.GlobalColor(), 0x00C8D0D4U);
  EXPECT_EQ(manager.GlobalFontColor(), 0x00102030U);
}

TEST(SkinManagerTables, EmptyTablesCacheNothing) {
  TSkinManager manager(nullptr);
  manager.CachedIndexes.ComboButton = 7;
  manager.RefreshCachedIndexes();
  EXPECT_EQ(manager.CachedIndexes, TCachedIndexes());
  EXPECT_FALSE(manager.IsSectionIndex(0));
  EXPECT_FALSE(manager.IsMaskIndex(0));
  EXPECT_EQ(manager.PatternIndexOf(0, "PANEL", "PATTERN"), -1);
}

TEST(SkinManagerTables, MaskWidthsAndFrameSizes) {
  TSkinManager manager(nullptr);
  TSkinMaskData byHand;
  byHand.ImageCount = 0;
  byHand.SourceRect = Rect(0, 0, 30, 12);
  manager.Masks.push_back(std::move(byHand));
  EXPECT_EQ(manager.MaskLeftWidth(0), 10);
  EXPECT_EQ(manager.Masks[0].ImageCount, 1) << "a frame count of 0 becomes 1 first";

  TSkinMaskData given;
  given.SourceRect = Rect(10, 10, 70, 46);  // 3 frames of 20 x 18 over their alpha rows
  given.ImageCount = 3;
  given.MaskType = 1;
  manager.Masks.push_back(std::move(given));
  EXPECT_EQ(manager.MaskLeftWidth(1), 6);
  EXPECT_EQ(manager.MaskRightWidth(1), 6);
  EXPECT_EQ(manager.MaskBottomWidth(1), 6);
  EXPECT_EQ(manager.MaskFrameSize(1), (TSize{20, 18}));
  manager.Masks[1].WR = 2;
  manager.Masks[1].BorderWidth = 4;
  EXPECT_EQ(manager.MaskRightWidth(1), 2) << "its own width first";
  EXPECT_EQ(manager.MaskBottomWidth(1), 4) << "then the border width";
}

TEST_F(SkinLookUpTest, AnOwnPicturesFrameIsTheFrameThePainterDraws) {
  const int button = manager.MaskIndexOfNames("BUTTON", "BORDERSMASK");
  ASSERT_GE(button, 0);
  EXPECT_EQ(manager.MaskFrameSize(button), (TSize{30, 21}));
  EXPECT_EQ(manager.MaskFrameSize(manager.MaskIndexOfNames("PANEL", "BORDERSMASK")), (TSize{16, 16}));
  EXPECT_EQ(manager.MaskFrameSize(manager.MaskIndexOfNames("TOOLBUTTON", "BORDERSMASK")), (TSize{16, 16}));
}

TEST_F(SkinLookUpTest, MaskBordersReadTheWidthsAndTheNormalStateSwitch) {
  const int panel = manager.MaskIndexOfNames("PANEL", "BORDERSMASK");
  const TMaskBorders borders = manager.MaskBorders(panel);
  EXPECT_EQ(borders.Left + borders.Top + borders.Right + borders.Bottom, 16);
  EXPECT_FALSE(borders.NoBorderInNormalState);
  manager.Masks[panel].StretchMode |= smNoNormalBorder;
  EXPECT_TRUE(manager.MaskBorders(panel).NoBorderInNormalState);
}

}  // namespace
