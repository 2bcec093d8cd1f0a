#include "toolkit/controls/Label.h"

#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/qt/SyntheticInput.h"

namespace {

TEST(IsAccel, FindsTheLetterAfterASingleAmpersand) {
  struct TCase {
    char32_t Key;
    const char* Caption;
    bool Expected;
  };
  const TCase cases[] = {
      {'h', "&Help", true},   {'H', "&help", true},  {'e', "&Help", false}, {'x', "E&xit", true},
      {'s', "A&&s", false},   {'b', "A&&&b", true},  {'a', "a", false},     {'a', "end&", false},
  };
  for (const TCase& c : cases) EXPECT_EQ(IsAccel(c.Key, c.Caption), c.Expected) << c.Caption;
}

class LabelTest : public FormFixture {
protected:
  LabelTest() {
    label = new TLabel(form);
    label->SetParent(form);
    label->SetLeft(100);
    label->SetTop(20);
  }
  TLabel* label;
};

TEST_F(LabelTest, AutoSizeFitsTheTextAndKeepsTheAlignedEdge) {
  label->SetCaption("Wide caption");
  const int width = label->Width();
  EXPECT_GT(width, 40);
  EXPECT_GT(label->Height(), 8);
  label->SetAlignment(taRightJustify);
  label->SetCaption("W");
  EXPECT_EQ(label->Left() + label->Width(), 100 + width) << "the right edge stays";
  label->SetAutoSize(false);
  label->SetCaption("A much longer caption than before");
  EXPECT_EQ(label->Left() + label->Width(), 100 + width) << "without AutoSize nothing moves";
}

TEST_F(LabelTest, TextIsAlignedInsideAFixedSizeAndTransparencyKeepsTheBackground) {
  label->SetAutoSize(false);
  label->SetBounds(100, 20, 200, 40);
  label->SetCaption("II");
  label->SetColor(clYellow);
  struct TCase {
    TAlignment Alignment;
    TTextLayout Layout;
  };
  int lastLeft = -1;
  for (const TCase c : {TCase{taLeftJustify, tlTop}, TCase{taCenter, tlCenter}, TCase{taRightJustify, tlBottom}}) {
    label->SetAlignment(c.Alignment);
    label->SetLayout(c.Layout);
    const auto image = Render();
    const TRect ink = InkBounds(*image, Bounds(100, 20, 200, 40), clYellow);
    ASSERT_FALSE(IsRectEmpty(ink));
    EXPECT_GT(ink.Left, lastLeft) << "each alignment moves the text right";
    lastLeft = ink.Left;
    if (c.Layout == tlTop) {
      EXPECT_LT(ink.Top, 20 + 8);
    } else if (c.Layout == tlCenter) {
      EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 40, 3);
    } else {
      EXPECT_GT(ink.Bottom, 60 - 6);
    }
  }
  EXPECT_GT(lastLeft, 100 + 180);
  label->SetTransparent(true);
  const auto image = Render();
  EXPECT_EQ(CountPixels(*image, Bounds(100, 20, 200, 40), clYellow), 0) << "the form's white shows through";
}

TEST_F(LabelTest, AcceleratorUnderlinesAndFocusesTheFocusControl) {
  auto* target = new TPanel(form);
  target->SetParent(form);
  target->SetBounds(10, 100, 50, 20);
  label->SetCaption("&Name");
  label->SetFocusControl(target);
  ShowForm();
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'x', 0), 0);
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'n', 0), 1);
  EXPECT_TRUE(target->Focused());
  delete target;
  EXPECT_EQ(label->FocusControl(), nullptr) << "a freed target is forgotten";
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'n', 0), 0);

  label->SetCaption("N");
  const auto plain = Render();
  const TRect plainInk = InkBounds(*plain, label->BoundsRect(), clWhite);
  label->SetCaption("&N");
  const auto underlined = Render();
  EXPECT_GT(InkBounds(*underlined, label->BoundsRect(), clWhite).Bottom, plainInk.Bottom) << "the N is underlined";
}

TEST_F(LabelTest, AltAndTheLetterFocusTheLabelledEdit) {
  auto* first = new TEdit(form);
  first->SetParent(form);
  first->SetBounds(10, 60, 100, 22);
  auto* named = new TEdit(form);
  named->SetParent(form);
  named->SetBounds(10, 100, 100, 22);
  label->SetCaption("&Name");
  label->SetFocusControl(named);
  ShowForm();
  first->SetFocus();
  ProcessEverything();
  SynthesizeKeyStroke(form->Handle(), 'N', "n", {.Alt = true});
  ProcessEverything();
  EXPECT_TRUE(named->Focused());
  EXPECT_EQ(first->Text(), "") << "the key typed nothing";
}

}  // namespace
