// The editing rows at work inside a list: what they accept, how numbers
// are dragged, what the choices store, and how labels are shortened.

#include "Edits/EdBool.h"
#include "Edits/EdEnum.h"
#include "Edits/EdRes.h"
#include "Edits/EdValue.h"
#include "engine/Var.h"
#include "tests/Edits/EdListFixture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/Screen.h"

namespace {

// Kinds with the typed rows: n, b, c, ch, s, r, then the parameters
// count (Integer 0..10), step (Real), ratio (Real 0..10), colour, name.
class EdRowsTest : public EdListTest {
protected:
  EdRowsTest() {
    Params.UseExpr = false;
    Show("Kinds");
  }
  TEdValue& Count() { return Row<TEdValue>(9); }
  TEdValue& Step() { return Row<TEdValue>(10); }
  TEdValue& Ratio() { return Row<TEdValue>(11); }

  // Presses on the handle, moves by each distance in turn (holding the
  // button), and gives the edit's text after each move.
  std::vector<std::string> Drag(TEdValue& row, const std::vector<int>& moves) {
    TImage& handle = row.Image();
    const HWND panel = row.Panel().Handle();
    TPoint at{handle.Left() + 4, handle.Top() + handle.Height() / 2};
    SynthesizeMouse(panel, at, TSyntheticMouse::Press, TInputButton::Left);
    ProcessEverything();
    std::vector<std::string> texts;
    for (int move : moves) {
      at.X += move;
      SynthesizeMouse(panel, at, TSyntheticMouse::Move, TInputButton::Left);
      ProcessEverything();
      texts.push_back(row.Edit().Text());
      cursorsWhileDragging.push_back(Screen().Cursor());
    }
    SynthesizeMouse(panel, at, TSyntheticMouse::Release, TInputButton::Left);
    ProcessEverything();
    return texts;
  }
  bool IsRed(TEdValue& row) { return row.Edit().Font().Color() == clRed; }

  std::vector<TCursor> cursorsWhileDragging;
};

TEST_F(EdRowsTest, NumbersAreDraggedThreePixelsAStepWithinTheirLimits) {
  struct TCase {
    const char* Row;
    std::vector<int> Moves;
    std::vector<std::string> Texts;
  } cases[] = {
      {"Count 0..10 from 2", {40}, {"10"}},
      {"Count back", {-9, -2, -1}, {"7", "7", "6"}},
      {"Step without limits from 1", {6, 2, 1}, {"1.2", "1.2", "1.3"}},
      {"Ratio 0..10 from 5", {3, -6}, {"5.1", "4.9"}},
  };
  TEdValue* rows[] = {&Count(), &Count(), &Step(), &Ratio()};
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(Drag(*rows[i], cases[i].Moves), cases[i].Texts) << cases[i].Row;
  for (TCursor cursor : cursorsWhileDragging) EXPECT_EQ(cursor, crSizeWE);
  EXPECT_EQ(Screen().Cursor(), crDefault) << "the release gives the cursor back";
}

TEST_F(EdRowsTest, ANumberTakesOnlyItsKeysAndShowsAnInvalidTextInRed) {
  Retype(Count().Edit(), "1x1");
  EXPECT_EQ(Count().Edit().Text(), "11") << "letters cannot be typed";
  EXPECT_TRUE(IsRed(Count())) << "beyond 10";
  EXPECT_FALSE(list->CanEvaluate());
  Retype(Count().Edit(), "-0");
  EXPECT_FALSE(IsRed(Count()));
  EXPECT_TRUE(list->CanEvaluate());
  Retype(Step().Edit(), "2.5e-1");
  EXPECT_EQ(Step().Edit().Text(), "2.5e-1") << "a Real takes the decimal separator and the exponent";
  EXPECT_EQ(Step().Value().AsReal(), 0.25L);

  Clipboard().SetAsText("abc");
  Count().Edit().SetFocus();
  Count().Edit().SelectAll();
  SynthesizeKeyStroke(Count().Edit().Handle(), 'V', "", {false, true, false});
  ProcessEverything();
  EXPECT_EQ(Count().Edit().Text(), "abc") << "a paste is taken";
  EXPECT_TRUE(IsRed(Count())) << "and shown invalid";
  EXPECT_FALSE(list->CanEvaluate());
  Retype(Row<TEdValue>(6).Edit(), "any text");
  EXPECT_EQ(Row<TEdValue>(6).Edit().Text(), "any text") << "a String takes every key";
}

TEST_F(EdRowsTest, ALimitedEnumerationListsItsRangeAndStoresTheChosenOrdinal) {
  list->SetRoutine(nullptr);
  Show("Pick");
  TEdEnum& colour = Row<TEdEnum>(4);
  TStrings& items = colour.ComboBox().Items();
  ASSERT_EQ(items.Count(), 3);
  EXPECT_EQ(items.Strings(0), "Blue");
  EXPECT_EQ(items.Strings(2), "Magenta");
  EXPECT_EQ(colour.ComboBox().ItemIndex(), 0) << "its value, Blue";
  EXPECT_EQ(Result(), "Blue");
  colour.ComboBox().SetFocus();
  SynthesizeKeyStroke(colour.ComboBox().Handle(), VK_DOWN, "");
  ProcessEverything();
  EXPECT_EQ(colour.GetValue().AsInt(), 3);
  EXPECT_EQ(Result(), "Cyan") << "the choice evaluated";
  EXPECT_EQ(Row<TEdEnum>(2).ComboBox().Items().Count(), 5) << "an argument lists every member";
}

TEST_F(EdRowsTest, ACheckBoxCommitsItsState) {
  TEdBool& b = Row<TEdBool>(3);
  EXPECT_EQ(b.CheckBox().Caption(), "b : Boolean");
  EXPECT_FALSE(b.CheckBox().Checked());
  auto* argument = dynamic_cast<TBaseVar*>(list->Routine()->Arg(1));
  SynthesizeClick(b.CheckBox().Handle(), {5, 5});
  ProcessEverything();
  EXPECT_TRUE(b.CheckBox().Checked());
  EXPECT_TRUE(argument->GetValue().AsBool()) << "the click evaluated, the state committed";
}

TEST_F(EdRowsTest, TheResultsHintRepeatsItsText) {
  TEdRes& result = *list->ResultRow();
  Retype(Row<TEdValue>(2).Edit(), "21");
  EXPECT_EQ(result.ResultText(), "42");
  EXPECT_EQ(result.Edit().Hint, " 42 ");
}

TEST(FitLabel, ShortensWithAnEllipsisWhereTheTextStopsFitting) {
  TFont font;
  font.SetName("Verdana");
  font.SetHeight(-13);
  TBitmap measure(1, 1, pf32bit);
  measure.Canvas().Font().Assign(font);
  const auto width = [&](const std::string& text) { return measure.Canvas().TextWidth(text); };
  const std::string text = "Level of detail";
  EXPECT_EQ(FitLabel(text, width(text) + 1, font), text);
  for (int room : {width(text), width("Level of") + 3}) {
    const std::string fitted = FitLabel(text, room, font);
    ASSERT_TRUE(fitted.ends_with(" ...")) << room;
    const std::string prefix = fitted.substr(0, fitted.size() - 4);
    EXPECT_GE(width(prefix + "  ..."), room) << "the character that overflowed is kept";
    EXPECT_LT(width(prefix.substr(0, prefix.size() - 1) + "  ..."), room) << "one fewer would still fit";
  }
  EXPECT_EQ(FitLabel(text, 0, font), "L ...") << "never less than one character";
}

}  // namespace
