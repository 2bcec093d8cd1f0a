#include "Edits/EdList.h"

#include "Edits/EdBool.h"
#include "Edits/EdEnum.h"
#include "Edits/EdExpr.h"
#include "Edits/EdInfo.h"
#include "Edits/EdTitle.h"
#include "Edits/EdValue.h"
#include "tests/Edits/EdListFixture.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ScrollBox.h"

namespace {

std::vector<int> Tags(const TEdList& list) {
  std::vector<int> tags;
  for (const auto& row : list.Rows()) tags.push_back(static_cast<int>(row->Tag));
  return tags;
}

TEST_F(EdListTest, ARoutineShowsItsTitleDescriptionArgumentsParametersAndResult) {
  Show("Gain");
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"EdTitle1", "EdInfo1", "EdTitle2", "EdExpr1", "EdTitle3",
                                                  "EdValue1", "EdTitle4", "EdRes1"}));
  EXPECT_EQ(Row<TEdTitle>(0).TitleText(), "Gain");
  EXPECT_EQ(Row<TEdInfo>(1).Memo().Lines().Strings(0), "Amplifies");
  EXPECT_EQ(Row<TEdTitle>(2).TitleText(), "Arguments");
  EXPECT_EQ(Row<TEdExpr>(3).ELabel().Caption(), "x : Real");
  EXPECT_EQ(Row<TEdTitle>(4).TitleText(), "Parameters");
  EXPECT_EQ(Row<TEdValue>(5).Edit().EditLabel().Caption(), "Gain");
  EXPECT_EQ(Row<TEdValue>(5).Edit().Text(), "2");
  EXPECT_TRUE(Row<TEdValue>(5).Image().Visible()) << "a number's drag handle";
  EXPECT_EQ(Row<TEdTitle>(6).TitleText(), "Result");
  EXPECT_EQ(Result(), "0") << "evaluated at once in automatic mode";

  Retype(Row<TEdExpr>(3).Edit(), "3");
  EXPECT_EQ(Result(), "6");
  Retype(Row<TEdValue>(5).Edit(), "5");
  EXPECT_EQ(Result(), "15") << "the parameter's value is the one the routine sees";
  for (const auto& row : list->Rows()) EXPECT_EQ(row->Width(), list->MainPanel().ClientWidth()) << row->Name();
}

TEST_F(EdListTest, TitlesFadeToTheRightAndTheDescriptionIsOnCream) {
  Show("Gain");
  const auto title = Grab(Row<TEdTitle>(0).Panel());
  EXPECT_EQ(title->Canvas().Pixel(0, 1), RGB(255, 200, 64));
  const TColor right = title->Canvas().Pixel(title->Width() - 2, 1);
  EXPECT_LT(GetGValue(right), 200) << "darker at the right";
  EXPECT_EQ(Grab(Row<TEdTitle>(2).Panel())->Canvas().Pixel(0, 1), RGB(166, 202, 240));
  EXPECT_EQ(Grab(Row<TEdTitle>(6).Panel())->Canvas().Pixel(0, 1), RGB(192, 220, 192));
  const auto info = Grab(Row<TEdInfo>(1).Panel());
  EXPECT_EQ(info->Canvas().Pixel(2, 2), RGB(255, 251, 240));
  EXPECT_EQ(Row<TEdInfo>(1).Memo().Color(), RGB(255, 251, 240));
}

// Typed rows where the user may not type expressions, for parameters, and
// for the kinds a click chooses; expression rows for the rest.
TEST_F(EdListTest, EachKindGetsItsRow) {
  const int title = rtTitle, value = rtValue, choice = rtEnum, check = rtBool, result = rtResult, expr = rtExpression;
  const std::vector<int> parameters{title, value, value, value, choice, value, title, result};
  struct TCase {
    bool UseExpr;
    std::vector<int> Arguments;  // n, b, c, ch, s, r
  } cases[] = {
      {true, {expr, check, choice, expr, expr, expr}},
      {false, {value, check, choice, expr, value, value}},
  };
  for (const TCase& c : cases) {
    Params.UseExpr = c.UseExpr;
    list->SetRoutine(nullptr);
    Show("Kinds");
    std::vector<int> expected{title, title};
    expected.insert(expected.end(), c.Arguments.begin(), c.Arguments.end());
    expected.insert(expected.end(), parameters.begin(), parameters.end());
    EXPECT_EQ(Tags(*list), expected) << "UseExpr " << c.UseExpr;
  }
  EXPECT_TRUE(Row<TEdValue>(9).Image().Visible()) << "an Integer parameter is dragged";
  EXPECT_FALSE(Row<TEdValue>(13).Image().Visible()) << "a String is not";
}

TEST_F(EdListTest, AnExpressionRowIsPinkWhileItsTextDoesNotGiveAValue) {
  Show("Kinds");
  TEdExpr& n = Row<TEdExpr>(2);
  struct TCase {
    const char* Text;
    bool Valid;
  } cases[] = {{"2*3", true}, {"2*", false}, {"'text'", false}, {"Level", true}, {"", false}};
  for (const TCase& c : cases) {
    Retype(n.Edit(), c.Text);
    EXPECT_EQ(n.Edit().Color(), c.Valid ? clWindow : RGB(255, 192, 192)) << c.Text;
    EXPECT_EQ(list->CanEvaluate(), c.Valid) << c.Text;
  }
  EXPECT_EQ(Row<TEdExpr>(5).Edit().GetSource(), "''") << "a Char starts as the empty literal, which compiles";
}

TEST_F(EdListTest, OnlyARoutineShownWholeWithTwoRowsCanBeEvaluated) {
  struct TCase {
    const char* Routine;
    std::size_t Rows;
    bool CanEvaluate;
  } cases[] = {
      {"Swap", 2, false},   // a var parameter: title and description only
      {"Write", 1, false},  // variadic: its first parameter is Anything
      {"Quiet", 1, false},  // a procedure of nothing but its title
      {"Told", 2, true},
      {"Sin", 5, true},
  };
  for (const TCase& c : cases) {
    Show(c.Routine);
    EXPECT_EQ(list->Rows().size(), c.Rows) << c.Routine;
    EXPECT_EQ(list->CanEvaluate(), c.CanEvaluate) << c.Routine;
    EXPECT_EQ(list->Evaluate(), c.CanEvaluate) << c.Routine;
  }
}

TEST_F(EdListTest, AutomaticModeEvaluatesEveryValidChangeAndClearsTheConsoleWhenAsked) {
  list->Auto = false;
  Show("Gain");
  EXPECT_EQ(Result(), "");
  Retype(Row<TEdExpr>(3).Edit(), "4");
  EXPECT_EQ(Result(), "") << "manual mode waits for Evaluate";
  EXPECT_TRUE(list->Evaluate());
  EXPECT_EQ(Result(), "8");
  EXPECT_EQ(consoleClears, 0);
  list->ClearConsole = true;
  list->Auto = true;
  Retype(Row<TEdExpr>(3).Edit(), "5");
  EXPECT_EQ(Result(), "10");
  EXPECT_EQ(consoleClears, 1) << "before the evaluation of 5 (the emptied edit evaluated nothing)";
}

TEST_F(EdListTest, AFailedCallKeepsThePreviousResult) {
  Show("Sqrt");
  Retype(Row<TEdExpr>(2).Edit(), "16");
  EXPECT_EQ(Result(), "4");
  sink->Lines.clear();
  Retype(Row<TEdExpr>(2).Edit(), "-1");
  EXPECT_EQ(Result(), "4");
  EXPECT_EQ(sink->ErrorTexts(), std::vector<std::string>{"Sqrt argument must be non-negative"});
}

TEST_F(EdListTest, ConstantsAreShownAndNeverEvaluated) {
  list->SetRoutine(engine->FindVariable("Greeting"));
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"EdTitle1", "EdTitle2", "EdRes1"}));
  EXPECT_EQ(Result(), "'hello'");
  EXPECT_FALSE(list->CanEvaluate());
  EXPECT_FALSE(list->Evaluate());
  list->SetRoutine(engine->FindVariable("Level"));
  EXPECT_EQ(Row<TEdInfo>(1).Memo().Lines().Strings(0), "Level of detail");
  EXPECT_EQ(Result(), "4");
}

TEST_F(EdListTest, ClearingSaysWhetherAnythingWasChosen) {
  EXPECT_EQ(list->MainPanel().Caption(), "No routine selected");
  list->SetRoutine(nullptr);
  EXPECT_EQ(list->MainPanel().Caption(), "No routine selected") << "nothing was shown";
  Show("Gain");
  EXPECT_EQ(list->MainPanel().Caption(), "");
  list->SetRoutine(nullptr);
  EXPECT_EQ(list->MainPanel().Caption(), "No function selected");
  EXPECT_TRUE(list->Rows().empty());
  EXPECT_EQ(list->ResultRow(), nullptr);
}

// Each display starts from the variables: an argument from its type's
// zero, a parameter from the value the routine last saw.
TEST_F(EdListTest, ArgumentsTypedForARoutineAreLostWhenAnotherIsChosen) {
  Show("Gain");
  Retype(Row<TEdExpr>(3).Edit(), "3");
  Retype(Row<TEdValue>(5).Edit(), "7");
  EXPECT_EQ(Result(), "21");
  Show("Sin");
  Show("Gain");
  EXPECT_EQ(Row<TEdExpr>(3).Edit().GetSource(), "0");
  EXPECT_EQ(Row<TEdValue>(5).Edit().Text(), "7");
  EXPECT_EQ(Result(), "0");
}

TEST_F(EdListTest, TheListScrollsWhenTheRowsAreTallerThanIt) {
  form->SetHeight(200);
  Params.UseExpr = false;
  Show("Kinds");
  ProcessEverything();
  EXPECT_GT(list->MainPanel().Height(), list->ScrollBox().ClientHeight());
  EXPECT_TRUE(list->ScrollBox().VertScrollBar().IsScrollBarVisible());
  EXPECT_FALSE(list->ScrollBox().HorzScrollBar().IsScrollBarVisible());
}

}  // namespace
