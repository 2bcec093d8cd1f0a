#include "runtime/PublishedProperties.h"

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/StringGrid.h"

namespace {

TEST(PublishedProperties, ControlsHaveTheirClassesAndAncestorsProperties) {
  TEdit edit(nullptr);
  TStringGrid grid(nullptr);
  EXPECT_TRUE(IsPublishedProp(edit, "Color"));
  EXPECT_TRUE(IsPublishedProp(grid, "FixedColor"));
  EXPECT_TRUE(IsPublishedProp(grid, "color")) << "names compare ignoring case";
  EXPECT_FALSE(IsPublishedProp(edit, "FixedColor"));
  EXPECT_EQ(GetOrdProp(edit, "Nonsense"), -1);
  EXPECT_EQ(GetObjectProp(edit, "Nonsense"), nullptr);
  EXPECT_EQ(GetObjectProp(edit, "Color"), nullptr) << "not an object property";
  SetOrdProp(grid, "FixedColor", 0x00336699);
  EXPECT_EQ(grid.FixedColor(), 0x00336699u);
  SetOrdProp(edit, "Color", 0x00112233);
  EXPECT_EQ(GetOrdProp(edit, "Color"), 0x00112233);
}

TEST(PublishedProperties, AFontsStyleReadsAndWritesAsElementNames) {
  TEdit edit(nullptr);
  TObject* font = GetObjectProp(edit, "Font");
  ASSERT_EQ(font, &edit.Font());
  SetSetProp(*font, "Style", "fsBold,fsItalic");
  EXPECT_EQ(edit.Font().Style(), fsBold | fsItalic);
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
