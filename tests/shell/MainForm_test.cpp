#include "shell/MainForm.h"

#include "engine/Var.h"
#include "engine/VarText.h"
#include "engine/XBuilder.h"
#include "shell/XButton.h"
#include "skin/SkinPanel.h"
#include "tests/engine/KindsFixture.h"
#include "tests/shell/MainFormFixture.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/Menus.h"

namespace {

TMenuItem* FormatItem(TMainForm& form, const std::string& caption) { return form.mnuOutputFormat->Find(caption); }

TEST_F(MainFormTest, ALineTypedInTheFullViewShowsItsInputAndResult) {
  Start();
  Enter("1+2");
  EXPECT_EQ(Lines(), (std::vector<TShownLine>{{"1+2", lkInput}, {"3", lkResult}}));
  EXPECT_EQ(form->CommandLine->GetSource(), "");
  EXPECT_TRUE(form->CommandLine->Focused());
  Enter("y := 4");
  Enter("y*2");
  EXPECT_EQ(LastLine(), (TShownLine{"8", lkResult}));
}

TEST_F(MainFormTest, AListingIsOpenedAsDeepAsShowLevel) {
  Start();
  Enter("v := {1, 2, 3}");
  TDataDrawTree& tree = *form->Console->Tree;
  PDataNode listing = tree.LastChildOfRaw(tree.RootNode());
  ASSERT_NE(listing, nullptr);
  EXPECT_GE(listing->ChildCount, 3u) << "the elements";
  EXPECT_TRUE(listing->Has(nsExpanded)) << "visible";
}

TEST_F(MainFormTest, TheOutputFormatFollowsTheRadioItems) {
  Start();
  const struct {
    const char* Item;
    const char* Result;
  } cases[] = {{"Hexadecimal", "$FF"}, {"Binary", "#11111111"}, {"Decimal", "255"}};
  for (const auto& format : cases) {
    FormatItem(*form, format.Item)->Click();
    Enter("255");
    EXPECT_EQ(LastLine(), (TShownLine{format.Result, lkResult})) << format.Item;
    EXPECT_TRUE(FormatItem(*form, format.Item)->Checked());
  }
}

TEST_F(MainFormTest, OnlyTheFullViewCreatesWorkspaceVariables) {
  Start();
  Enter("x := 5");
  EXPECT_NE(form->Engine->FindVariable("x"), nullptr);
  EXPECT_FALSE(form->Engine->GetOption(0));
  Press(VK_F2);
  Enter("z := 5");
  EXPECT_EQ(form->Engine->FindVariable("z"), nullptr);
  EXPECT_EQ(form->ResultLine->GetSource(), "");
  EXPECT_NE(form->Engine->GetErrorText().find("z"), std::string::npos) << form->Engine->GetErrorText();
  EXPECT_FALSE(form->Engine->GetOption(0));
}

TEST_F(MainFormTest, AFaultLeavingTheEngineIsShownAndSwitchesOptionZeroOff) {
  Start();
  auto& engine = static_cast<TXBuilder&>(*form->Engine);
  TFuncKind* signature = engine.ParseSignature("function : integer", std::string());
  engine.RegisterFunc(std::make_unique<TTestFunc>("Crash", signature, engine.FindLibrary(WorkspaceLibName),
                                                  [](TTestFunc&, TSourcePos) -> bool { throw EIntOverflow(); }),
                      frPlain);
  TRecordingMessageBoxes boxes;
  Enter("Crash()");
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_FALSE(form->Engine->GetOption(0));
  EXPECT_TRUE(form->CommandLine->Focused());
}

TEST_F(MainFormTest, TheCompactViewAnswersWhileTheUserTypes) {
  Start();
  Press(VK_F2);
  EXPECT_TRUE(form->Compact);
  EXPECT_TRUE(form->actSwitch->Checked());
  Type("2*3");
  EXPECT_EQ(form->ResultLine->GetSource(), "6");
  EXPECT_TRUE(form->CommandLine->Focused());
  EXPECT_TRUE(Lines().empty()) << "the console shows nothing of it";
  FormatItem(*form, "Hexadecimal")->Click();
  ProcessEverything();
  EXPECT_EQ(form->ResultLine->GetSource(), "$6");
  Press(VK_BACK);
  Press(VK_BACK);
  Press(VK_BACK);
  Type("255");
  EXPECT_EQ(form->ResultLine->GetSource(), "$FF");
  FormatItem(*form, "Decimal")->Click();
  ProcessEverything();
  EXPECT_EQ(form->ResultLine->GetSource(), "255") << "evaluated again at once";
}

TEST_F(MainFormTest, TheCompactViewRunsAnAssignmentOnlyOnEnter) {
  Start();
  Enter("a := 1");
  Press(VK_F2);
  Type("a := a + 1");
  EXPECT_EQ(form->ResultLine->GetSource(), "");
  Type(" ");
  EXPECT_EQ(VarToText(form->Engine->FindVariable("a"), false, false), "1");
  Press(VK_RETURN);
  EXPECT_EQ(form->ResultLine->GetSource(), "2");
  EXPECT_EQ(VarToText(form->Engine->FindVariable("a"), false, false), "2");
}

TEST_F(MainFormTest, TheCompactWindowShowsTwoLinesAndTheMenuButton) {
  Start();
  Press(VK_F2);
  EXPECT_EQ(form->ClientHeight(), form->CommandLine->Height() + form->ResultLine->Height());
  EXPECT_EQ(form->MenuButton->Width(), 24);
  EXPECT_EQ(form->MenuButton->Height(), 22);
  EXPECT_EQ(form->MenuButton->Left() + form->MenuButton->Width(), form->EditPanel->ClientWidth());
  EXPECT_EQ(form->ResultLine->Prompt(), "= ");
  EXPECT_FALSE(form->Console->Visible());
  EXPECT_FALSE(form->CoolBar->Visible());
  EXPECT_TRUE(form->ResultLine->Visible());
  Press(VK_F2);
  EXPECT_FALSE(form->Compact);
  EXPECT_TRUE(form->Console->Visible());
  EXPECT_FALSE(form->MenuButton->Visible());
}

TEST_F(MainFormTest, TheResultRowShowsAGreenPrefixBeforeTheValue) {
  Start();
  Enter("1+2");
  TConsole& console = *form->Console;
  console.Tree->Invalidate();
  ProcessEverything();
  const CountedPtr<TGdiBitmap> image = RenderWindow(form->Handle());
  PDataNode result = console.Tree->NextSiblingOf(console.Tree->FirstRootNodeRaw());
  const TRect row = console.Tree->NodeDisplayRect(result, ColumnNone, false);
  const TPoint origin = form->ScreenToClient(console.Tree->ClientOrigin());
  const int left = origin.X + row.Left, top = origin.Y + row.Top;
  const TColor background = image->Pixel(origin.X + row.Right - 2, top + 1);
  int greenEnd = -1, inkAfterGreen = 0;
  for (int x = left; x < origin.X + row.Right; ++x)
    for (int y = top; y < origin.Y + row.Bottom; ++y) {
      const TColor pixel = image->Pixel(x, y);
      if (pixel == ColorToRGB(clGreen))
        greenEnd = x;
      else if (pixel != background && greenEnd >= 0 && x > greenEnd + 2)
        ++inkAfterGreen;
    }
  EXPECT_GE(greenEnd, 0) << "the green prefix \"= \"";
  EXPECT_GT(inkAfterGreen, 5) << "the 3 after it";
}

}  // namespace
