#include "console/LineAttrs.h"

#include <gtest/gtest.h>

#include "tests/console/StoredSettings.h"

namespace {

TEST(LineAttrs, UnknownKindsAreOutputs) {
  TLineAttrs attrs;
  for (int kind : {0, 8, 255}) EXPECT_EQ(&attrs.AttrOfKind(kind), &attrs.Outputs) << "kind " << kind;
  EXPECT_EQ(&attrs.AttrOfKind(7), &attrs.Fatals);
  EXPECT_EQ(attrs.Fatals.Name(), "Fatal errors");
}

TEST(LineAttrs, Defaults) {
  TLineAttrs attrs;
  EXPECT_EQ(attrs.Inputs.PrefixStr, "> ");
  EXPECT_EQ(attrs.Inputs.Color, 0xF0FBFFu);
  EXPECT_TRUE(attrs.Inputs.Syntax);
  EXPECT_EQ(attrs.Errors.Prefix.Styles, fsBold);
  EXPECT_EQ(attrs.Errors.Image, 2);
  EXPECT_TRUE(attrs.Errors.Icon);
  EXPECT_FALSE(attrs.Outputs.Icon);
  EXPECT_EQ(attrs.Infos.Text.Color, clBlue);
  EXPECT_TRUE(attrs.Fatals.Shadow);
  EXPECT_EQ(attrs.Color, clWindow);
}

TEST(LineAttrs, BlackAndWhiteKeepsTheFatalLook) {
  TLineAttrs attrs;
  attrs.ApplyScheme(2);
  EXPECT_EQ(attrs.Color, clBlack);
  EXPECT_EQ(attrs.Results.Text.Color, clWhite);
  EXPECT_FALSE(attrs.Results.Syntax);
  EXPECT_EQ(attrs.Fatals.Color, clMaroon);
  EXPECT_EQ(attrs.Fatals.Prefix.Color, clRed);
  EXPECT_EQ(attrs.Fatals.Prefix.Styles, fsBold);
  EXPECT_EQ(attrs.Fatals.Text.Color, clWhite);
  EXPECT_EQ(attrs.Fatals.Text.Styles, fsBold);
}

TEST(LineAttrs, MonogreenBoldsTheWarningPrefix) {
  TLineAttrs attrs;
  attrs.ApplyScheme(3);
  EXPECT_EQ(attrs.Warnings.Prefix.Styles, fsBold);
  EXPECT_EQ(attrs.Warnings.Prefix.Color, clGreen);
  EXPECT_EQ(attrs.Outputs.Text.Color, clLime);
}

TEST(LineAttrs, DeepBlueFollowsItsTable) {
  TLineAttrs attrs;
  attrs.ApplyScheme(4);
  EXPECT_EQ(attrs.Color, clNavy);
  EXPECT_EQ(attrs.Errors.Color, clTeal);
  EXPECT_EQ(attrs.Errors.Prefix.Styles, fsBold);
  EXPECT_EQ(attrs.Warnings.Prefix.Color, clYellow);
  EXPECT_EQ(attrs.Warnings.Prefix.Styles, fsBold);
  EXPECT_TRUE(attrs.Outputs.Shadow);
  EXPECT_FALSE(attrs.Inputs.Shadow);
  EXPECT_TRUE(attrs.Inputs.Syntax);
  EXPECT_EQ(attrs.Splits.Text.Color, clAqua);
  EXPECT_EQ(attrs.Fatals.Color, clMaroon);
}

TEST(LineAttrs, SchemesAndDefaultsKeepTheSeparatorPrefix) {
  TLineAttrs attrs;
  attrs.Splits.PrefixStr = "----";
  for (int scheme : {1, 2, 3, 4, 9}) {
    attrs.ApplyScheme(scheme);
    EXPECT_EQ(attrs.Splits.PrefixStr, "----") << "scheme " << scheme;
  }
  attrs.ApplyScheme(9);
  TLineAttrs defaults;
  EXPECT_EQ(attrs.Results.Prefix.Color, defaults.Results.Prefix.Color);
  EXPECT_EQ(attrs.Color, defaults.Color);
}

using LineAttrsStorage = StoredSettings;

TEST_F(LineAttrsStorage, PrefixBlanksSurviveBetweenHashes) {
  TLineAttrs saved;
  saved.Errors.Color = clSystemColor | 5;
  saved.SaveToStorage("CONSOLELINES");
  EXPECT_EQ(Stored("CONSOLELINES", "OutputsLeadStr"), "#  #");
  EXPECT_EQ(Stored("CONSOLELINES", "FatalerrorsColor"), std::to_string(clMaroon));
  EXPECT_EQ(Stored("CONSOLELINES", "FatalerrorsSyntax"), "0");
  EXPECT_NE(Stored("CONSOLELINES", "InformationImage"), "<none>");

  TLineAttrs loaded;
  loaded.Outputs.PrefixStr = "x";
  loaded.LoadFromStorage("CONSOLELINES");
  EXPECT_EQ(loaded.Outputs.PrefixStr, "  ");
  EXPECT_EQ(loaded.Errors.Color, clSystemColor | 5);
}

TEST_F(LineAttrsStorage, AShortStoredPrefixIsEmpty) {
  Store("CONSOLELINES", "InputsLeadStr", "#");
  Store("CONSOLELINES", "ResultsLeadStyle", "19");
  TLineAttrs loaded;
  loaded.LoadFromStorage("CONSOLELINES");
  EXPECT_EQ(loaded.Inputs.PrefixStr, "");
  EXPECT_EQ(loaded.Results.Prefix.Styles, fsBold | fsItalic);
}

}  // namespace
