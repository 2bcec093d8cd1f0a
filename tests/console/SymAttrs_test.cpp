#include "console/SymAttrs.h"

#include <gtest/gtest.h>

#include "tests/console/StoredSettings.h"

namespace {

TEST(SymAttrs, IndexAndPropertyViewsAreTheSameObjects) {
  TSymAttrs attrs;
  EXPECT_EQ(&attrs.GetAttr(skReserved), &attrs.Reserved());
  EXPECT_EQ(&attrs.GetAttr(skType), &attrs.TypeId());
  EXPECT_EQ(&attrs.GetAttr(skGutter), &attrs.Gutter());
  EXPECT_EQ(attrs.GetAttr(255).Name(), "Plain text");
  EXPECT_EQ(attrs.GetAttr(-1).Name(), "Plain text");
  EXPECT_EQ(attrs.Reserved().Styles, fsBold);
  EXPECT_EQ(attrs.Comments().Color, clGray);
  EXPECT_EQ(attrs.Comments().Styles, fsItalic);
  EXPECT_EQ(attrs.Hexs().Color, clTeal);
}

TEST(SymAttrs, SetAttrCopiesLookNeverNameAndIgnoresBadIndices) {
  TSymAttrs attrs;
  TSymAttr red("Other");
  red.Color = clRed;
  red.Styles = fsUnderline;
  attrs.SetAttr(skVar, red);
  EXPECT_EQ(attrs.Vars().Color, clRed);
  EXPECT_EQ(attrs.Vars().Styles, fsUnderline);
  EXPECT_EQ(attrs.Vars().Name(), "Variables");
  attrs.SetAttr(14, red);
  attrs.SetAttr(255, red);
  EXPECT_EQ(attrs.Text().Color, clBlack);

  TSymAttrs copy;
  copy.ResetAll();
  copy.Assign(attrs);
  EXPECT_EQ(copy.Vars().Color, clRed);
  EXPECT_EQ(copy.Reserved().Styles, fsBold);
}

using SymAttrsStorage = StoredSettings;

TEST_F(SymAttrsStorage, RoundTripsEveryAttributeWithSystemColours) {
  TSymAttrs saved;
  for (int i = 0; i < SymKindCount; ++i) {
    saved.GetAttr(i).Color = i % 2 ? clSystemColor | TColor(i) : TColor(0x010203 * i);
    saved.GetAttr(i).Styles = TFontStyles(i % 16);
  }
  saved.SaveToStorage("CONSOLECOLORS");
  EXPECT_EQ(Stored("CONSOLECOLORS", "Color5"), "-16777211");

  TSymAttrs loaded;
  loaded.LoadFromStorage("CONSOLECOLORS");
  for (int i = 0; i < SymKindCount; ++i) {
    EXPECT_EQ(loaded.GetAttr(i).Color, saved.GetAttr(i).Color) << "attribute " << i;
    EXPECT_EQ(loaded.GetAttr(i).Styles, saved.GetAttr(i).Styles) << "attribute " << i;
  }
}

TEST_F(SymAttrsStorage, StoredStylesKeepOnlyTheirFourBits) {
  Store("CONSOLECOLORS", "Styles3", "17");
  TSymAttrs loaded;
  loaded.LoadFromStorage("CONSOLECOLORS");
  EXPECT_EQ(loaded.Floats().Styles, fsBold);
  EXPECT_EQ(loaded.Floats().Color, clMaroon) << "a missing key keeps the current value";
}

}  // namespace
