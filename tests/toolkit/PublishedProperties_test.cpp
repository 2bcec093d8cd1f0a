#include "runtime/PublishedProperties.h"

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/StringGrid.h"

namespace {

TEST(PublishedProperties, ControlsHaveTheirClassesAndAncestorsProperties) {
  TPanel panel(nullptr);
  TStringGrid grid(nullptr);
  EXPECT_TRUE(IsPublishedProp(panel, "Color"));
  EXPECT_TRUE(IsPublishedProp(grid, "FixedColor"));
  EXPECT_TRUE(IsPublishedProp(grid, "color")) << "names compare ignoring case";
  EXPECT_FALSE(IsPublishedProp(panel, "FixedColor"));
  EXPECT_EQ(GetOrdProp(panel, "Nonsense"), -1);
  EXPECT_EQ(GetObjectProp(panel, "Nonsense"), nullptr);
  EXPECT_EQ(GetObjectProp(panel, "Color"), nullptr) << "not an object property";
  SetOrdProp(grid, "FixedColor", 0x00336699);
  EXPECT_EQ(grid.FixedColor(), 0x00336699u);
  SetOrdProp(panel, "Color", 0x00112233);
  EXPECT_EQ(GetOrdProp(panel, "Color"), 0x00112233);
}

TEST(PublishedProperties, AFontsStyleReadsAndWritesAsElementNames) {
  TPanel panel(nullptr);
  TObject* font = GetObjectProp(panel, "Font");
  ASSERT_EQ(font, &panel.Font());
  SetSetProp(*font, "Style", "fsBold,fsItalic");
  EXPECT_EQ(panel.Font().Style(), fsBold | fsItalic);
  EXPECT_EQ(GetSetProp(*font, "Style"), "fsBold,fsItalic");
  SetSetProp(*font, "Style", "[fsStrikeOut, fsbold]");
  EXPECT_EQ(GetSetProp(*font, "Style"), "fsBold,fsStrikeOut");
  SetSetProp(*font, "Style", "");
  EXPECT_EQ(GetSetProp(*font, "Style"), "");
  EXPECT_THROW(SetSetProp(*font, "Style", "fsBold,fsHeavy"), EPropertyConvertError);
  EXPECT_EQ(GetSetProp(*font, "Style"), "") << "a refused text changes nothing";
}

// A class of the test's own with a handler property.
class TProbe : public TObject {
public:
  TMethod OnThing;
};

TEST(PublishedProperties, AMethodSetAndReadBackComparesEqual) {
  static const bool registered = (RegisterMethodProperty<TProbe>("OnThing", &TProbe::OnThing), true);
  ASSERT_TRUE(registered);
  TProbe probe;
  TProbe owner;
  static const int handleTag = 0;
  const TMethod handler{&handleTag, &owner};
  SetMethodProp(probe, "OnThing", handler);
  EXPECT_EQ(GetMethodProp(probe, "OnThing"), handler);
  EXPECT_NE(GetMethodProp(probe, "OnThing"), (TMethod{&handleTag, &probe}));
  EXPECT_EQ(GetMethodProp(probe, "OnOther"), TMethod{});
}

}  // namespace
