#include "toolkit/controls/ColorBox.h"

#include "tests/toolkit/DialogScript.h"
#include "tests/toolkit/NativeControlFixture.h"

namespace {

class ColorBoxTest : public NativeControlTest {
protected:
  TColorBox* MakeBox(TColorBoxStyle style) {
    auto* box = Make<TColorBox>(10, 10, 180, 24);
    box->SetStyle(style);
    ProcessEverything();
    return box;
  }
};

TEST_F(ColorBoxTest, ListsTheColoursOfItsStyleByName) {
  auto* box = MakeBox(cbStandardColors | cbExtendedColors | cbSystemColors | cbPrettyNames);
  ASSERT_EQ(box->ColorCount(), 16 + 4 + 30);
  EXPECT_EQ(box->Items().Strings(0), "Black");
  EXPECT_EQ(box->Items().Strings(15), "White");
  EXPECT_EQ(box->Items().Strings(16), "Money Green");
  EXPECT_EQ(box->Items().Strings(19), "Medium Gray");
  EXPECT_EQ(box->Colors(19), clMedGray);
  EXPECT_EQ(box->Items().Strings(20 + 15), "Button Face");
  EXPECT_EQ(box->Colors(20 + 15), clBtnFace);
  box->SetSelected(clTeal);
  EXPECT_EQ(box->Text(), "Teal");
  EXPECT_EQ(box->Selected(), clTeal);
  box->SetStyle(cbStandardColors);
  EXPECT_EQ(box->Items().Strings(6), "clTeal");
  EXPECT_EQ(box->Selected(), clTeal) << "a new style keeps the colour chosen";
}

TEST_F(ColorBoxTest, TheCustomEntryAsksTheColourDialogAndChangesOnce) {
  auto* box = MakeBox(cbCustomColor | cbStandardColors | cbPrettyNames);
  EXPECT_EQ(box->Items().Strings(0), "Custom...");
  box->SetSelected(clBlack);
  EXPECT_EQ(box->ItemIndex(), 1);
  std::vector<TColor> changes;
  box->OnChange = [&](TObject*) { changes.push_back(box->Selected()); };
  TScriptedDialogs dialogs;
  dialogs.Script({.Confirmed = true, .Color = 0x00336699});
  box->SetFocus();
  Press(box->Handle(), VK_UP);
  EXPECT_EQ(box->Selected(), 0x00336699u);
  EXPECT_EQ(changes, std::vector<TColor>{0x00336699});
  ASSERT_EQ(dialogs.Requests.size(), 1u);
  EXPECT_EQ(dialogs.Requests[0].Kind, TDialogKind::Color);

  Press(box->Handle(), VK_DOWN);
  changes.clear();
  dialogs.ScriptCancel();
  Press(box->Handle(), VK_UP);
  EXPECT_TRUE(changes.empty()) << "a cancelled dialog changes nothing";
  EXPECT_EQ(box->Selected(), clBlack);
}

TEST_F(ColorBoxTest, TheChosenEntryShowsASwatchOfItsColourBesideItsName) {
  auto* box = MakeBox(cbStandardColors | cbPrettyNames);
  box->SetColor(clWhite);
  for (const TColor color : {clRed, clLime}) {
    box->SetSelected(color);
    const auto grab = Grab(*box);
    const TRect face{0, 0, grab->Width(), grab->Height()};
    const int filled = CountPixels(*grab->Handle(), face, color);
    EXPECT_GT(filled, 60) << "a swatch of " << box->Text();
    EXPECT_LT(filled, face.Height() * face.Height()) << "a swatch, not the whole box";
    // The name is written right of the swatch, in the window's text colour.
    const TRect right{face.Height(), 0, face.Width() / 2, face.Height()};
    EXPECT_GT(CountPixels(*grab->Handle(), right, clBlack), 8) << box->Text();
  }
}

TEST_F(ColorBoxTest, AColourNotListedBecomesTheCustomEntrysColour) {
  auto* box = MakeBox(cbCustomColor | cbStandardColors);
  box->SetSelected(0x00123456);
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->Selected(), 0x00123456u);
  auto* plain = MakeBox(cbStandardColors);
  plain->SetSelected(0x00123456);
  EXPECT_EQ(plain->ItemIndex(), -1);
}

}  // namespace
