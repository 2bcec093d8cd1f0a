#include "shell/MainForm.h"

#include "engine/Var.h"
#include "engine/VarText.h"
#include "engine/XBuilder.h"
#include "shell/LibMan.h"
#include "shell/XButton.h"
#include "skin/SkinPanel.h"
#include "tests/engine/KindsFixture.h"
#include "tests/shell/MainFormFixture.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/win/Menu.h"
#include "toolkit/win/Window.h"
#include "treeview/DataDrawTree.h"
#include "skin/SkinToolBar.h"

namespace {

TMenuItem* FormatItem(TMainForm& form, const std::string& caption) { return form.mnuOutputFormat->Find(caption); }

// What the splash window would show while the window is made.
class TRecordedProgress : public ILoadProgress {
public:
  void AddMessage(const std::string& message) override { Steps.push_back(message); }
  void SetProgress(int percent) override { Steps.push_back(std::to_string(percent)); }
  std::vector<std::string> Steps;
};

TEST_F(MainFormTest, CreationTellsTheSplashItsSteps) {
  TRecordedProgress progress;
  LoadProgress = &progress;
  Start();
  LoadProgress = nullptr;
  progress.Steps.resize(5);  // the library manager's loading follows
  EXPECT_EQ(progress.Steps, (std::vector<std::string>{"Initializing engine", "5", "Initializing sounds", "10",
                                                      "Initializing library manager"}));
}

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
  form->CommandLine->SetSource("");
  Type("'b := 1' (* c := 2 *)");
  EXPECT_NE(form->ResultLine->GetSource(), "") << "no assignment outside the string and the comment";
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

// The pixels of a control's rectangle in the picture of the whole window.
int InkIn(const TWindowPicture& picture, const TRect& rect, std::uint32_t background) {
  int ink = 0;
  for (int y = rect.Top; y < rect.Bottom; ++y)
    for (int x = rect.Left; x < rect.Right; ++x) ink += picture.Pixels[y * picture.Width + x] != background;
  return ink;
}

int CountColor(const TWindowPicture& picture, const TRect& rect, std::uint32_t color) {
  int count = 0;
  for (int y = rect.Top; y < rect.Bottom; ++y)
    for (int x = rect.Left; x < rect.Right; ++x) count += picture.Pixels[y * picture.Width + x] == color;
  return count;
}

// 0x00RRGGBB, as the desktop's pictures hold colours.
std::uint32_t Rgb(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}

TEST_F(MainFormTest, TheFullViewShowsTheToolBarAndTheCreamCommandLine) {
  Start();
  TSkinToolBar& bar = *form->ToolBar;
  ASSERT_EQ(bar.ButtonCount(), 16);
  const auto inForm = [&](TControl& control) {
    const TPoint corner = form->ScreenToClient(control.ClientToScreen({0, 0}));
    const TPoint origin = form->ClientToScreen({0, 0});
    const TPoint window = {corner.X + origin.X - form->Left(), corner.Y + origin.Y - form->Top()};
    return Bounds(window.X, window.Y, control.Width(), control.Height());
  };
  const TWindowPicture before = GrabWindow(form->Handle());
  const TRect barRect = inForm(bar);
  const std::uint32_t barBackground = before.Pixels[(barRect.Bottom - 2) * before.Width + barRect.Right - 2];
  for (int i = 0; i < bar.ButtonCount(); ++i) {
    TToolButton& button = *bar.Buttons(i);
    const bool separator = button.Style() == tbsSeparator;
    EXPECT_EQ(separator, i == 1 || i == 6 || i == 9 || i == 12 || i == 15) << i;
    if (separator) continue;
    TRect rect = button.BoundsRect();
    OffsetRect(rect, barRect.Left, barRect.Top);
    EXPECT_GT(InkIn(before, rect, barBackground), 20) << "the picture of button " << i;
  }

  TToolButton& help = *bar.Buttons(14);
  const TPoint middle = {help.Left() + help.Width() / 2, help.Top() + help.Height() / 2};
  SynthesizeMouse(bar.Handle(), middle, TSyntheticMouse::Move, TInputButton::Left);
  ProcessEverything();
  const TWindowPicture hot = GrabWindow(form->Handle());
  TRect helpRect = help.BoundsRect();
  OffsetRect(helpRect, barRect.Left, barRect.Top);
  int changed = 0;
  for (int y = helpRect.Top + 3; y < helpRect.Bottom - 3; ++y)
    for (int x = helpRect.Left + 3; x < helpRect.Right - 3; ++x)
      changed += hot.Pixels[y * hot.Width + x] != before.Pixels[y * before.Width + x];
  EXPECT_GT(changed, 20) << "the hot picture under the mouse";

  const TRect line = inForm(*form->CommandLine);
  EXPECT_EQ(form->CommandLine->Prompt(), "> ");
  EXPECT_GT(CountColor(before, line, Rgb(0xF0FBFF)), line.Width() * line.Height() / 2) << "cream";
  const TRect promptArea = Bounds(line.Left, line.Top, 16, line.Height());
  EXPECT_GT(CountColor(before, promptArea, Rgb(clGreen)), 3) << "the green prompt";
}

// A press on the console, on a line or below the lines, or on the result
// line leaves the keyboard with the command line; the selection the press
// made stays.
TEST_F(MainFormTest, APressOnTheConsoleOrTheResultLineGivesTheKeysBackToTheCommandLine) {
  Start();
  Enter("1+1");
  TDataDrawTree& tree = *form->Console->Tree;
  SynthesizeClick(tree.Handle(), {60, tree.ClientHeight() - 10});
  ProcessEverything();
  Enter("3+3");
  EXPECT_EQ(LastLine(), (TShownLine{"6", lkResult})) << "typed after a press below the lines";
  SynthesizeClick(tree.Handle(), {60, static_cast<int>(tree.DefaultNodeHeight()) / 2});
  ProcessEverything();
  EXPECT_EQ(form->Console->SelectedCount(), 1) << "the line pressed";
  Enter("4+4");
  EXPECT_EQ(LastLine(), (TShownLine{"8", lkResult})) << "typed after a press on a line";
  EXPECT_EQ(GetFocus(), form->CommandLine->Handle());

  form->SetCompact(true);
  ProcessEverything();
  SynthesizeClick(form->ResultLine->Handle(), {20, form->ResultLine->ClientHeight() / 2});
  ProcessEverything();
  EXPECT_EQ(GetFocus(), form->CommandLine->Handle()) << "a press on the result line";
}

// The console as the desktop shows it, outside the open main menu, stays
// as it was: the menu loop repaints the window without blanking it.
TEST_F(MainFormTest, TheConsoleKeepsItsLinesWhileTheMainMenuIsOpen) {
  Start();
  for (const char* line : {"1+1", "'abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz'"}) Enter(line);
  const HWND tree = form->Console->Tree->Handle();
  const TWindowPicture before = GrabShownWindow(tree);
  TRect menu{};
  std::optional<TWindowPicture> during;
  // From the desktop's loop, which runs inside the menu's.
  int looks = 0;
  std::function<void()> lookAtTheMenu = [&] {
    const std::vector<HWND> windows = TopLevelWindows();
    const auto shown = std::find_if(windows.begin(), windows.end(), [](HWND window) {
      return GetClassName(window) == MenuWindowClass && IsWindowVisible(window);
    });
    if (shown == windows.end()) return ++looks < 50 ? RunLater(20, lookAtTheMenu) : void();
    GetWindowRect(*shown, menu);
    during = GrabShownWindow(tree);
    SynthesizeKeyStroke(form->Handle(), VK_ESCAPE, "");
  };
  RunLater(20, lookAtTheMenu);
  TToolButton& menuButton = *form->ToolBar->Buttons(0);
  SynthesizeClick(form->ToolBar->Handle(), {menuButton.Left() + 5, menuButton.Top() + 5});
  ProcessEverything();
  ASSERT_TRUE(during.has_value()) << "the menu did not open";
  ASSERT_EQ(during->Pixels.size(), before.Pixels.size());
  TRect treeOnScreen;
  GetWindowRect(tree, treeOnScreen);
  int compared = 0, changed = 0;
  for (int y = 0; y < before.Height; ++y)
    for (int x = 0; x < before.Width; ++x) {
      if (PtInRect(menu, {treeOnScreen.Left + x, treeOnScreen.Top + y})) continue;
      ++compared;
      changed += during->Pixels[y * before.Width + x] != before.Pixels[y * before.Width + x];
    }
  EXPECT_GT(compared, before.Width * before.Height / 2) << "most of the console lies beside the menu";
  EXPECT_EQ(changed, 0);
}

}  // namespace
