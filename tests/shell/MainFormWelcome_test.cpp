// The welcome screen and the tips at the main window's first activation
// and from its Help menu, and the welcome tasks with the real windows.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "shell/AddVarDlg.h"
#include "shell/EditorForm.h"
#include "shell/EvaluatorForm.h"
#include "shell/TipsForm.h"
#include "shell/WelcomeForm.h"
#include "shell/WorkForm.h"
#include "tests/shell/MainFormFixture.h"
#include "tests/toolkit/DialogScript.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"

namespace {

const char* const ToolboxNames[] = {"Converters", "Algebra", "Geometry", "Constants", "Plots", "Analysis"};

class MainFormWelcomeTest : public MainFormTest {
protected:
  MainFormWelcomeTest() {
    for (const char* name : ToolboxNames)
      WriteProgramFile(std::string("LIBS/") + name + ".tarn",
                       std::string("library ") + name + ";\nfunction " + name + "Value : Integer; interfaced = 'Value';\n"
                       "begin\n  Result := 42\nend;\nend.\n");
  }
  ~MainFormWelcomeTest() override {
    FreeWindows();
    DeallocateHWnd(stepper_);
  }

  // The main window made, then the windows of the tasks and the two dialogs;
  // shown and activated with the dialogs answered by the queued steps.
  TMainForm& StartAll() {
    sounds.ClearRequests();
    Make();
    for (const char* name : ToolboxNames)
      EXPECT_EQ(form->Engine->LoadSourceLibrary((program.Path() / "LIBS" / (std::string(name) + ".tarn")).string()), name);
    WelcomeForm = new TWelcomeForm(&Application());
    EvaluatorForm = new TEvaluatorForm(nullptr, EvaluatorHost(*form), form->actEvaler);
    frmTips = new TfrmTips(&Application());
    new TEditorForm(nullptr);
    WorkForm = new TWorkForm(&Application(), form->Engine, form->actWorksp);
    AddVarDlg = new TAddVarDlg(&Application(), form->Engine);
    RunSteps();
    return ShowMade();
  }
  void FreeWindows() {
    delete AddVarDlg;
    AddVarDlg = nullptr;
    delete WorkForm;
    WorkForm = nullptr;
    delete EditorForm;
    EditorForm = nullptr;
    delete frmTips;
    delete EvaluatorForm;
    EvaluatorForm = nullptr;
    delete WelcomeForm;
  }
  TMainForm& RestartAll() {
    FreeWindows();
    Free();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    return StartAll();
  }

  // Steps run in turn, each once its window shows modally.
  void When(TForm*& window, std::function<void()> step) { steps_.push_back({&window, std::move(step)}); }
  void AnswerWelcome(const std::string& entry) {
    When(reinterpret_cast<TForm*&>(WelcomeForm), [this, entry] {
      log.push_back("welcome");
      if (entry.empty()) {
        SynthesizeClick(WelcomeForm->CloseButton->Handle(), {10, 10});
        return;
      }
      TTreeView& tree = *WelcomeForm->Tree;
      for (TTreeNode* top = tree.Items().GetFirstNode(); top; top = top->getNextSibling())
        for (int i = 0; i < top->Count(); ++i)
          if (top->Item(i)->Text() == entry) {
            const TRect row = top->Item(i)->DisplayRect(true);
            SynthesizeClick(tree.Handle(), {row.Left + 4, (row.Top + row.Bottom) / 2});
          }
    });
  }
  void CloseTips() {
    When(reinterpret_cast<TForm*&>(frmTips), [this] {
      log.push_back(std::string("tips") + (EditorForm->Visible() ? " after the editor" : ""));
      log.push_back(sounds.Requests().empty() ? "no sound yet" : "a sound already");
      SynthesizeClick(frmTips->Button1->Handle(), {10, 10});
    });
  }
  bool Expanded(const std::string& library) {
    for (TTreeNode* node = EvaluatorForm->FuncTree->Items().GetFirstNode(); node; node = node->getNextSibling())
      if (node->Text() == library) return node->Expanded();
    ADD_FAILURE() << "no library " << library;
    return false;
  }
  std::string ActiveTab() {
    TTabSheet* page = EditorForm->PageControl->ActivePage();
    return page ? page->Caption() : "<none>";
  }

  // The queued steps start running with the next modal loop.
  void RunSteps() {
    waitedRounds_ = 0;
    PostMessage(stepper_, WM_USER, 0, 0);
  }

  std::vector<std::string> log;
  TScriptedDialogs dialogs;

private:
  struct TStep {
    TForm** Window;
    std::function<void()> Run;
  };
  std::deque<TStep> steps_;
  // A window is answered once it has shown for a few rounds of its loop:
  // input reaches it only once the desktop has it on screen. A window that
  // does not show within a while is not waited for any longer.
  int shownRounds_ = 0;
  int waitedRounds_ = 0;
  HWND stepper_ = AllocateHWnd([this](TMessage& message) {
    if (message.Msg != WM_USER || steps_.empty()) return;
    TForm* window = *steps_.front().Window;
    shownRounds_ = window && window->Visible() ? shownRounds_ + 1 : 0;
    if (++waitedRounds_ > 2000) return;
    if (shownRounds_ > 3) {
      shownRounds_ = waitedRounds_ = 0;
      const TStep step = std::move(steps_.front());
      steps_.pop_front();
      step.Run();
    }
    if (!steps_.empty()) PostMessage(stepper_, WM_USER, 0, 0);
  });
};

TEST_F(MainFormWelcomeTest, ClosingTheWelcomeReopensTheWindowsThenShowsTheTipsThenSounds) {
  BindSound(sndAppStart, "start.wav");
  Store("EDITORFORM", "Visible", "1");
  AnswerWelcome("");
  CloseTips();
  StartAll();
  EXPECT_EQ(log, (std::vector<std::string>{"welcome", "tips after the editor", "no sound yet"}));
  EXPECT_TRUE(EditorForm->Visible());
  EXPECT_FALSE(sounds.Requests().empty()) << "Application start";
}

TEST_F(MainFormWelcomeTest, ATaskChosenAtStartReplacesTheReopenedWindowsTheTipsAndTheSound) {
  BindSound(sndAppStart, "start.wav");
  Store("EVALFORM", "Visible", "1");
  AnswerWelcome("Create new program");
  CloseTips();
  StartAll();
  EXPECT_EQ(log, (std::vector<std::string>{"welcome"}));
  EXPECT_TRUE(EditorForm->Visible());
  EXPECT_EQ(ActiveTab(), "Untitled1");
  EXPECT_FALSE(EvaluatorForm->Visible());
  EXPECT_TRUE(sounds.Requests().empty());
}

TEST_F(MainFormWelcomeTest, EachDialogShowsAtStartOnlyWhileItsBoxIsChecked) {
  BindSound(sndAppStart, "start.wav");
  Store("EDITORFORM", "Visible", "1");
  Store("WELCOME", "ShowStart", "0");
  CloseTips();
  StartAll();
  EXPECT_EQ(log, (std::vector<std::string>{"tips after the editor", "no sound yet"}));

  log.clear();
  frmTips->chkShowTips->SetChecked(false);
  RestartAll();
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(EditorForm->Visible());
  EXPECT_FALSE(sounds.Requests().empty());

  // A bad stored value reads as the default; the other section as stored.
  log.clear();
  FreeWindows();
  Free();
  Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
  EXPECT_EQ(Stored("TIPS", "ShowStart"), "0");
  Store("TIPS", "ShowStart", "yes");
  CloseTips();
  StartAll();
  EXPECT_EQ(log, (std::vector<std::string>{"tips after the editor", "no sound yet"}))
      << "a bad value reads as the default";
}

TEST_F(MainFormWelcomeTest, AFileGivenShowsNeitherDialogAndRuns) {
  ProgramArguments = {WriteProgramFile("a.tarn", "program A;\nbegin\n  Write('ran');\nend.\n")};
  AnswerWelcome("");
  CloseTips();
  StartAll();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(LastLine(), (TShownLine{"ran", lkOutput}));
}

TEST_F(MainFormWelcomeTest, EveryTaskOpensItsWindowsFromEitherView) {
  Store("WELCOME", "ShowStart", "0");
  Store("TIPS", "ShowStart", "0");
  StartAll();
  const auto hideAll = [&] {
    for (TToolForm* window : {static_cast<TToolForm*>(EditorForm), static_cast<TToolForm*>(EvaluatorForm),
                              static_cast<TToolForm*>(WorkForm)})
      if (window->Visible()) window->Toggle();
    for (TTreeNode* node = EvaluatorForm->FuncTree->Items().GetFirstNode(); node; node = node->getNextSibling())
      node->Collapse(false);
    ProcessEverything();
  };
  for (const bool compact : {false, true}) {
    const auto from = [&] {
      hideAll();
      form->SetCompact(compact);
      return compact ? " from the compact view" : " from the full view";
    };
    dialogs.ScriptCancel();
    std::string view = from();
    EXPECT_TRUE(form->RunWelcomeTask(1));
    EXPECT_TRUE(EditorForm->Visible()) << view;
    EXPECT_EQ(dialogs.Requests.size(), compact ? 2u : 1u) << "the open dialog" << view;
    EXPECT_EQ(EditorForm->PageControl->PageCount(), compact ? 2 : 0) << "cancelled: no tab" << view;

    view = from();
    EXPECT_TRUE(form->RunWelcomeTask(2));
    EXPECT_TRUE(EditorForm->Visible());
    EXPECT_EQ(ActiveTab(), compact ? "Untitled2" : "Untitled1") << view;
    view = from();
    EXPECT_TRUE(form->RunWelcomeTask(3));
    EXPECT_EQ(ActiveTab(), compact ? "NewLib2" : "NewLib1") << view;

    from();
    EXPECT_TRUE(form->RunWelcomeTask(4));
    EXPECT_FALSE(form->Compact);
    from();
    EXPECT_TRUE(form->RunWelcomeTask(5));
    EXPECT_TRUE(form->Compact);

    view = from();
    EXPECT_TRUE(form->RunWelcomeTask(6));
    EXPECT_FALSE(form->Compact) << view;
    EXPECT_TRUE(EvaluatorForm->Visible()) << view;
    for (int code = 7; code <= 10; ++code) {
      view = from();
      EXPECT_TRUE(form->RunWelcomeTask(code));
      EXPECT_FALSE(form->Compact) << code << view;
      EXPECT_TRUE(EvaluatorForm->Visible()) << code << view;
      EXPECT_TRUE(Expanded(ToolboxNames[code - 7])) << code << view;
    }

    view = from();
    EXPECT_TRUE(form->RunWelcomeTask(11)) << "the plotter, once it is made";
    view = from();
    EXPECT_TRUE(form->RunWelcomeTask(12));
    EXPECT_FALSE(form->Compact) << view;
    EXPECT_TRUE(Expanded("Plots")) << view;
    EXPECT_FALSE(Expanded("Analysis")) << view;
    EXPECT_TRUE(WorkForm->Visible()) << view;
    view = from();
    EXPECT_TRUE(form->RunWelcomeTask(13));
    EXPECT_TRUE(WorkForm->Visible()) << view;
    EXPECT_EQ(form->Compact, compact) << view;
    view = from();
    EXPECT_TRUE(form->RunWelcomeTask(14));
    EXPECT_FALSE(form->Compact) << view;
    EXPECT_TRUE(Expanded("Analysis") && Expanded("Plots")) << view;
    EXPECT_TRUE(EvaluatorForm->Visible() && WorkForm->Visible()) << view;

    for (const int code : {0, 15, -1}) {
      view = from();
      EXPECT_FALSE(form->RunWelcomeTask(code)) << code;
      EXPECT_FALSE(EditorForm->Visible() || EvaluatorForm->Visible() || WorkForm->Visible()) << code;
      EXPECT_EQ(form->Compact, compact) << code;
    }
  }
}

TEST_F(MainFormWelcomeTest, TheHelpMenuOpensBothDialogsAndRunsTheChosenTask) {
  Store("WELCOME", "ShowStart", "0");
  Store("TIPS", "ShowStart", "0");
  StartAll();
  const auto helpItem = [&](const std::string& caption) -> TMenuItem* {
    TMenuItem& main = form->MainMenu->Items();
    for (int i = 0; i < main.Count(); ++i)
      if (main.Items(i)->Caption() == "&Help")
        for (int j = 0; j < main.Items(i)->Count(); ++j)
          if (main.Items(i)->Items(j)->Caption() == caption) return main.Items(i)->Items(j);
    return nullptr;
  };
  TMenuItem* welcome = helpItem("Welcome ...");
  TMenuItem* tips = helpItem("Tip of the &Day ...");
  ASSERT_TRUE(welcome && tips);
  Application().DoIdle();
  EXPECT_TRUE(form->actWelcome->Enabled());
  EXPECT_TRUE(form->actTips->Enabled());

  AnswerWelcome("Data plots");
  RunSteps();
  welcome->Click();
  EXPECT_EQ(log, (std::vector<std::string>{"welcome"}));
  EXPECT_TRUE(WorkForm->Visible());
  EXPECT_TRUE(Expanded("Plots"));

  log.clear();
  CloseTips();
  RunSteps();
  tips->Click();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].rfind("tips", 0), 0u);
  EXPECT_FALSE(frmTips->Visible());
}

}  // namespace
