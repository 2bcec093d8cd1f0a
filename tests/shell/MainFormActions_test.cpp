// The main window's keys, actions and first activation.

#include <algorithm>
#include <chrono>
#include <thread>

#include "console/Console.h"
#include "shell/MainForm.h"
#include "shell/EditorForm.h"
#include "shell/ToolForm.h"
#include "shell/ToolWindows.h"
#include "tests/shell/MainFormFixture.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Menus.h"

namespace {

// A run of Delay(30) that something ends early: the seconds until Enter returned.
class MainFormRunTest : public MainFormTest {
protected:
  double EnterDelay() {
    const auto start = std::chrono::steady_clock::now();
    Enter("Delay(30)");
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
};

TEST_F(MainFormRunTest, CtrlF9AbortsARunAndALineTypedMeanwhileIsRefused) {
  Start();
  RunLater(150, [this] {
    Enter("1+1");
    Press(VK_F9, Ctrl);
  });
  EXPECT_LT(EnterDelay(), 5.0) << "the run ended at the abort";
  const std::vector<TShownLine> lines = Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), TShownLine{"Reentrace attempted", lkError}), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), TShownLine{"Execution terminated", lkWarning}), lines.end());
  EXPECT_FALSE(form->Engine->IsRunning());
}

// The listing of a million rows keeps the window alive: Ctrl+F9 ends it,
// what it listed stays, and the next line runs.
TEST_F(MainFormRunTest, CtrlF9EndsABigListing) {
  Start();
  RunLater(200, [this] { Press(VK_F9, Ctrl); });
  Enter("v := MakeVec(1000000)");
  const std::vector<TShownLine> lines = Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), TShownLine{"Execution terminated", lkWarning}), lines.end());
  EXPECT_LT(form->Console->Tree->RootNode()->TotalCount, 1000000u) << "the listing went on";
  EXPECT_EQ(lines.front(), (TShownLine{"v := MakeVec(1000000)", lkInput}));
  Enter("1+1");
  EXPECT_EQ(LastLine(), (TShownLine{"2", lkResult}));
}

TEST_F(MainFormRunTest, ClosingDuringARunEndsTheRunThenTheWindow) {
  Start();
  // Checked while the script still runs: once Enter returns, the retry
  // timer may already have closed the window on a slow machine.
  bool visibleUnderTheRun = false;
  RunLater(150, [this, &visibleUnderTheRun] {
    form->Close();
    visibleUnderTheRun = form->Visible() && form->Engine->IsRunning();
  });
  EXPECT_LT(EnterDelay(), 5.0);
  EXPECT_TRUE(visibleUnderTheRun) << "not closed under the running script";
  // The retry timer ticks every 20 ms; a loaded machine may take longer.
  for (int i = 0; i < 500 && form->Visible(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ProcessEverything();
  }
  EXPECT_FALSE(form->Visible()) << "closed once the run returned";
  form->SetBounds(100, 110, 500, 300);
  Free();
  Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
  EXPECT_EQ(Stored("MAINFORM", "FWidth"), "500") << "the settings written";
}

TEST_F(MainFormTest, ClearAndCopyFollowTheConsole) {
  Start();
  Application().DoIdle();
  EXPECT_FALSE(form->actClear->Enabled());
  EXPECT_FALSE(form->actCopyClip->Enabled());
  Enter("1+2");
  Application().DoIdle();
  EXPECT_TRUE(form->actClear->Enabled());
  EXPECT_FALSE(form->actCopyClip->Enabled()) << "no line selected";

  Type("4*5");
  SynthesizeKeyStroke(form->Handle(), VK_HOME, "", {true, false, false});
  ProcessEverything();
  Press('C', Ctrl);
  EXPECT_EQ(Clipboard().AsText(), "4*5") << "the command line's selection";

  TDataDrawTree& tree = *form->Console->Tree;
  tree.SetNodeSelected(tree.FirstRootNodeRaw(), true);
  Application().DoIdle();
  EXPECT_TRUE(form->actCopyClip->Enabled());
  Press('C', Ctrl);
  EXPECT_EQ(Clipboard().AsText().find("1+2"), 0u) << Clipboard().AsText();

  form->actClear->Execute();
  EXPECT_EQ(form->Console->LineCount(), 0);
  Application().DoIdle();
  EXPECT_FALSE(form->actClear->Enabled());
}

TEST_F(MainFormTest, HelpOpensItsPages) {
  Start();
  Press(VK_F1);
  form->actTutorials->Execute();
  form->MainMenu->Items().Find("Help")->Find("Toolboxes")->Click();
  EXPECT_EQ(help.Pages, (std::vector<std::string>{HelpFolder() + "index.htm", HelpFolder() + "a1_04_00.htm",
                                                  HelpFolder() + "a4_00_00.htm"}));
  TForm other(nullptr);
  other.Show();
  other.SetFocus();
  ProcessEverything();
  Application().DoIdle();
  EXPECT_FALSE(form->actHelp->Enabled()) << "another window is active";
}

class MainFormToolWindowTest : public MainFormTest {
protected:
  ~MainFormToolWindowTest() override {
    delete EditorForm;
    EditorForm = nullptr;
  }
  // The editor, made after the main window as at start-up.
  TEditorForm& MakeEditor() { return *new TEditorForm(nullptr); }
  // The editor exists before the first activation.
  void StartWithEditor() {
    Make();
    MakeEditor();
    ShowMade();
  }
  // Freed before the main window, as at the end of the program.
  void FreeAll() {
    delete EditorForm;
    EditorForm = nullptr;
    Free();
  }
};

TEST_F(MainFormToolWindowTest, ToggleActionsShowAndHideTheirWindows) {
  Start();
  Application().DoIdle();
  EXPECT_FALSE(form->actEditor->Enabled()) << "no editor yet";
  MakeEditor();
  Application().DoIdle();
  EXPECT_TRUE(form->actEditor->Enabled());
  form->CommandLine->SetFocus();
  Press(VK_F4);
  EXPECT_TRUE(EditorForm->Visible());
  EXPECT_TRUE(form->actEditor->Checked());
  EXPECT_TRUE(EditorForm->ReopenFlag());
  form->CommandLine->SetFocus();
  ProcessEverything();
  Press(VK_F4);
  EXPECT_FALSE(EditorForm->Visible());
  EXPECT_FALSE(form->actEditor->Checked());
  EXPECT_FALSE(EditorForm->ReopenFlag());
  for (TAction* action : {form->actSettings, form->actTips, form->actWelcome, form->actAbout})
    EXPECT_FALSE(action->Enabled()) << action->Caption();
}

TEST_F(MainFormToolWindowTest, TheFirstActivationReopensWindowsUnlessAFileIsGiven) {
  BindSound(sndAppStart, "start.wav");
  Store("EDITORFORM", "Visible", "1");
  StartWithEditor();
  EXPECT_TRUE(EditorForm->Visible());
  ASSERT_FALSE(sounds.Requests().empty());
  EXPECT_TRUE(AppSounds->Armed());

  FreeAll();
  Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
  ProgramArguments = {WriteProgramFile("a.tarn", "program A;\nbegin\n  Write('ran');\nend.\n")};
  StartWithEditor();
  EXPECT_FALSE(EditorForm->Visible());
  EXPECT_EQ(LastLine(), (TShownLine{"ran", lkOutput}));
  FreeAll();
  Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
  EXPECT_EQ(Stored("EDITORFORM", "Visible"), "0");
}

TEST_F(MainFormToolWindowTest, WelcomeTasksSwitchViewsAndOpenWindows) {
  Start();
  EXPECT_TRUE(form->RunWelcomeTask(5));
  EXPECT_TRUE(form->Compact);
  EXPECT_TRUE(form->RunWelcomeTask(4));
  EXPECT_FALSE(form->Compact);
  MakeEditor();
  EXPECT_TRUE(form->RunWelcomeTask(2));
  EXPECT_TRUE(EditorForm->Visible());
  EXPECT_TRUE(EditorForm->HasActiveTab()) << "a new program";
  EXPECT_TRUE(form->RunWelcomeTask(11)) << "done without its window, as far as it can";
  EXPECT_FALSE(form->RunWelcomeTask(0));
  EXPECT_FALSE(form->RunWelcomeTask(15));
}

TEST_F(MainFormTest, AMissingFileIsNamedInTheConsole) {
  ProgramArguments = {"nope.tarn"};
  Start();
  EXPECT_EQ(LastLine(), (TShownLine{"File \"nope.tarn\" not found", lkError}));
}

}  // namespace
