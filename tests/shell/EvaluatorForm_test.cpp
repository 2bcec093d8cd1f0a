#include "shell/EvaluatorForm.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "Edits/EdExpr.h"
#include "Edits/EdList.h"
#include "Edits/EdRes.h"
#include "Edits/EdTitle.h"
#include "Edits/EdValue.h"
#include "engine/Catalogue.h"
#include "engine/Expression.h"
#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "shell/DesktopPrompt.h"
#include "shell/InputForm.h"
#include "shell/SelectionHook.h"
#include "tests/Edits/ToolsLibrary.h"
#include "tests/shell/MainFormFixture.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/gdi/Bitmap.h"

namespace {

// The main window as the program's main form, so that its shortcuts reach
// every window, with the test library loaded, and the evaluator made as
// the start-up makes it.
class EvaluatorFormTest : public MainFormTest {
protected:
  ~EvaluatorFormTest() override { FreeEvaluator(); }

  TEvaluatorForm& StartBoth() {
    TXEdit::ResetNameCounter();
    TEdRow::ResetNameCounters();
    form = Application().CreateForm<TMainForm>();
    EXPECT_TRUE(form->Engine->CompileText(ToolsLibrary));
    MakeEvaluator();
    ShowMade();
    return *EvaluatorForm;
  }
  TEvaluatorForm& MakeEvaluator() {
    EvaluatorForm = new TEvaluatorForm(nullptr, EvaluatorHost(*form), form->actEvaler);
    return *EvaluatorForm;
  }
  void FreeEvaluator() {
    delete EvaluatorForm;
    EvaluatorForm = nullptr;
  }
  TEvaluatorForm& RestartBoth() {
    FreeEvaluator();
    Free();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    return StartBoth();
  }
  TEvaluatorForm& Shown() {
    if (!EvaluatorForm->Visible()) EvaluatorForm->Toggle();
    ProcessEverything();
    return *EvaluatorForm;
  }

  TTreeView& Tree() { return *EvaluatorForm->FuncTree; }
  TEdList& List() { return *EvaluatorForm->EdList; }
  std::vector<std::string> Texts(TTreeNode* first) {
    std::vector<std::string> texts;
    for (TTreeNode* node = first; node; node = node->getNextSibling()) texts.push_back(node->Text());
    return texts;
  }
  TTreeNode* Node(TTreeNode* first, const std::string& text) {
    for (TTreeNode* node = first; node; node = node->getNextSibling())
      if (node->Text() == text) return node;
    return nullptr;
  }
  TTreeNode* Library(const std::string& text) { return Node(Tree().Items().GetFirstNode(), text); }
  TTreeNode* Item(const std::string& library, const std::string& text) {
    TTreeNode* parent = Library(library);
    return parent ? Node(parent->getFirstChild(), text) : nullptr;
  }
  // The user's click on a node, its library opened first.
  void Choose(TTreeNode* node) {
    ASSERT_NE(node, nullptr);
    if (node->Parent()) node->Parent()->Expand(false);
    ProcessEverything();
    const TRect row = node->DisplayRect(true);
    SynthesizeClick(Tree().Handle(), {row.Left + 4, (row.Top + row.Bottom) / 2});
    ProcessEverything();
  }
  void Click(TWinControl& control) {
    SynthesizeClick(control.Handle(), {4, control.Height() / 2});
    ProcessEverything();
  }
  void ClickButton() {
    TSpeedButton& button = *EvaluatorForm->Button;
    SynthesizeClick(EvaluatorForm->pnlSetts->Handle(), {button.Left() + 10, button.Top() + 10});
    ProcessEverything();
  }
  void PressIn(TWinControl& control, WORD key, TInputModifiers modifiers = {}) {
    control.SetFocus();
    SynthesizeKeyStroke(control.Handle(), key, "", modifiers);
    ProcessEverything();
  }
  void Retype(TWinControl& edit, const std::string& text) {
    PressIn(edit, 'A', {false, true, false});
    PressIn(edit, VK_DELETE);
    SynthesizeTyping(edit.Handle(), text);
    ProcessEverything();
  }
  // A line typed into the main window's command line.
  void ConsoleLine(const std::string& line) {
    form->CommandLine->SetFocus();
    ProcessEverything();
    Enter(line);
  }
  std::string Result() { return List().ResultRow() ? List().ResultRow()->ResultText() : "<no result row>"; }
  void Idle() {
    Application().DoIdle();
    ProcessEverything();
  }
  TTreeNode* first() { return Tree().Items().GetFirstNode(); }
};

bool SortedIgnoringCase(const std::vector<std::string>& texts) {
  const auto lower = [](std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
  };
  return std::is_sorted(texts.begin(), texts.end(),
                        [&](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
}

TEST_F(EvaluatorFormTest, InterfacedShowsOnlyInterfacedRoutinesAndParameterConstants) {
  StartBoth();
  EXPECT_TRUE(EvaluatorForm->chkInterfaced->Checked()) << "the default";
  EXPECT_EQ(Texts(first()), std::vector<std::string>{"My Tools"}) << "built-in libraries have nothing to show";
  EXPECT_EQ(Texts(Library("My Tools")->getFirstChild()),
            (std::vector<std::string>{"Forever", "Gain", "Kinds", "Level", "Pick", "Quiet", "Slow", "Swap", "Told"}));
  const std::pair<const char*, int> images[] = {{"Gain", eiInterfacedFunction},
                                                {"Told", eiInterfacedProcedure},
                                                {"Level", eiParameterConstant}};
  for (const auto& [text, image] : images) {
    EXPECT_EQ(Item("My Tools", text)->ImageIndex(), image) << text;
    EXPECT_EQ(Item("My Tools", text)->SelectedIndex(), image) << text;
  }
  EXPECT_EQ(Library("My Tools")->ImageIndex(), eiLibrary);
}

TEST_F(EvaluatorFormTest, WithoutInterfacedEveryRoutineAndConstantShowsSortedByLibrary) {
  StartBoth();
  Shown();
  Click(*EvaluatorForm->chkInterfaced);
  EXPECT_FALSE(EvaluatorForm->chkInterfaced->Checked());
  const std::vector<std::string> libraries = Texts(first());
  EXPECT_TRUE(SortedIgnoringCase(libraries));
  for (const char* library : {"InOut", "Math", "My Tools", "System"})
    EXPECT_NE(Library(library), nullptr) << library;
  for (const char* library : {"_SysMath", " SysMath", "Workspace"})
    EXPECT_EQ(Library(library), nullptr) << library << ": hidden, or with nothing to show";
  for (TTreeNode* library = first(); library; library = library->getNextSibling())
    EXPECT_TRUE(SortedIgnoringCase(Texts(library->getFirstChild()))) << library->Text();
  const std::tuple<const char*, const char*, int> images[] = {
      {"Math", "Sin", eiFunction},       {"System", "Write", eiProcedure},        {"My Tools", "Hidden", eiFunction},
      {"My Tools", "Greeting", eiConstant}, {"My Tools", "Level", eiParameterConstant}, {"Math", "Pi", eiConstant}};
  for (const auto& [library, text, image] : images) {
    TTreeNode* node = Item(library, text);
    ASSERT_NE(node, nullptr) << library << "." << text;
    EXPECT_EQ(node->ImageIndex(), image) << text;
  }
  Click(*EvaluatorForm->chkInterfaced);
  EXPECT_EQ(Texts(first()), std::vector<std::string>{"My Tools"});
}

// Bold text has more ink than the same text drawn plainly.
TEST_F(EvaluatorFormTest, LibrariesAreBold) {
  StartBoth();
  Shown();
  Library("My Tools")->Expand(false);
  ProcessEverything();
  const auto ink = [this](TTreeNode* node) {
    TBitmap picture(Tree().ClientWidth(), Tree().ClientHeight(), pf32bit);
    Tree().Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Canvas().Handle()), PRF_CLIENT);
    const TRect text = node->DisplayRect(true);
    return CountPixels(*picture.Handle(), text, clBlack);
  };
  const int library = ink(Library("My Tools")), routine = ink(Item("My Tools", "Gain"));
  Tree().OnCustomDrawItem = nullptr;
  EXPECT_GT(library, ink(Library("My Tools")));
  EXPECT_EQ(routine, ink(Item("My Tools", "Gain"))) << "routines are drawn plainly";
}

TEST_F(EvaluatorFormTest, ExpandingAndCollapsingOpenAndCloseTheLibrarysBook) {
  StartBoth();
  Shown();
  TTreeNode* tools = Library("My Tools");
  Choose(tools);
  PressIn(Tree(), VK_RIGHT);
  EXPECT_TRUE(tools->Expanded());
  EXPECT_EQ(tools->ImageIndex(), eiLibraryExpanded);
  EXPECT_EQ(tools->SelectedIndex(), eiLibraryExpanded);
  PressIn(Tree(), VK_LEFT);
  EXPECT_FALSE(tools->Expanded());
  EXPECT_EQ(tools->ImageIndex(), eiLibrary);
}

TEST_F(EvaluatorFormTest, SelectLibraryExpandsTheShownNameIgnoringCase) {
  StartBoth();
  EvaluatorForm->SelectLibrary("My_Tools");
  EXPECT_FALSE(Library("My Tools")->Expanded()) << "the shown name has blanks";
  EvaluatorForm->SelectLibrary("my tools");
  EXPECT_TRUE(Library("My Tools")->Expanded());
}

TEST_F(EvaluatorFormTest, ChoosingANodeShowsItsRoutineAndALibraryClears) {
  StartBoth();
  Shown();
  Choose(Item("My Tools", "Gain"));
  ASSERT_NE(List().Routine(), nullptr);
  EXPECT_EQ(List().Routine()->Name(), "Gain");
  EXPECT_EQ(Result(), "0");
  Choose(Library("My Tools"));
  EXPECT_EQ(List().Routine(), nullptr);
  EXPECT_EQ(List().MainPanel().Caption(), "No function selected");
  Choose(Item("My Tools", "Level"));
  EXPECT_EQ(Result(), "4");
}

// Code 4 reaches the evaluator, code 1 (a console line) does not.
TEST_F(EvaluatorFormTest, ALoadedLibraryRebuildsTheTreeAndEmptiesTheRows) {
  StartBoth();
  Shown();
  Choose(Item("My Tools", "Gain"));
  ConsoleLine("1+1");
  EXPECT_EQ(LastLine(), (TShownLine{"2", lkResult}));
  ASSERT_NE(List().Routine(), nullptr) << "a console line leaves the rows";
  const std::string extra = WriteProgramFile("Extra_Tools.tarn",
                                             "library Extra_Tools; function Twice(x : Real) : Real; interfaced; "
                                             "begin Result := 2 * x end; end.");
  EXPECT_EQ(form->Engine->LoadSourceLibrary(extra), "Extra_Tools");
  EXPECT_EQ(List().Routine(), nullptr);
  EXPECT_TRUE(List().Rows().empty());
  EXPECT_EQ(Texts(first()), (std::vector<std::string>{"Extra Tools", "My Tools"}));
}

TEST_F(EvaluatorFormTest, EvaluateIsForTheManualModeAndClearConsoleEmptiesTheConsoleFirst) {
  StartBoth();
  Shown();
  Choose(Item("My Tools", "Told"));
  Idle();
  EXPECT_FALSE(EvaluatorForm->actEvaluate->Enabled()) << "automatic mode evaluates by itself";
  EXPECT_EQ(LastLine(), (TShownLine{"told", lkOutput})) << "evaluated when chosen";
  Click(*EvaluatorForm->chkAuto);
  EXPECT_FALSE(List().Auto);
  Idle();
  EXPECT_TRUE(EvaluatorForm->actEvaluate->Enabled());
  ClickButton();
  EXPECT_EQ(Lines().size(), 3u) << "the library's line and two calls";
  Click(*EvaluatorForm->chkClear);
  EXPECT_TRUE(List().ClearConsole);
  PressIn(Tree(), VK_F9);
  EXPECT_EQ(Lines(), (std::vector<TShownLine>{{"told", lkOutput}})) << "emptied before the call";
  Choose(Item("My Tools", "Quiet"));
  Idle();
  EXPECT_FALSE(EvaluatorForm->actEvaluate->Enabled()) << "a procedure of nothing but its title";
}

TEST_F(EvaluatorFormTest, CtrlF9EndsAnEndlessRoutineAndTheEvaluatorGoesOn) {
  StartBoth();
  Shown();
  Click(*EvaluatorForm->chkAuto);
  Choose(Item("My Tools", "Forever"));
  RunLater(100, [this] { PressIn(Tree(), VK_F9, {false, true, false}); });
  ClickButton();
  EXPECT_EQ(LastLine(), (TShownLine{"Execution terminated", lkWarning}));
  EXPECT_FALSE(form->Engine->IsRunning());
  Choose(Item("My Tools", "Gain"));
  PressIn(Tree(), VK_F9);
  EXPECT_EQ(Result(), "0");
}

class TBrokenRoutine : public TFunc {
public:
  TBrokenRoutine(TFuncKind* signature, TLib* lib) : TFunc("Broken", signature, lib) {}
  bool Execute(TSourcePos) override { throw std::runtime_error("Broken routine"); }
};

TEST_F(EvaluatorFormTest, AnExceptionOfARoutineIsShownAndTheEvaluatorGoesOn) {
  StartBoth();
  Shown();
  auto& engine = static_cast<TXBuilder&>(*form->Engine);
  TCatalogue catalogue(engine, engine.FindLibrary("Math"));
  TFunc* broken = catalogue.AddRoutine(
      std::make_unique<TBrokenRoutine>(catalogue.Signature(Function({Param("x", kcReal)}, kcReal)), catalogue.Lib()),
      frPlain);
  Click(*EvaluatorForm->chkAuto);
  List().SetRoutine(broken);
  TRecordingMessageBoxes boxes;
  ClickButton();
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, "Broken routine");
  EXPECT_FALSE(List().Busy());
  EXPECT_FALSE(form->Engine->IsRunning());
  Choose(Item("My Tools", "Gain"));
  ClickButton();
  EXPECT_EQ(Result(), "0");
}

// Under a script's dialog and during its Delay the evaluator writes nothing;
// a change made meanwhile is evaluated once the script has ended.
TEST_F(EvaluatorFormTest, NothingIsEvaluatedWhileAScriptRuns) {
  StartBoth();
  Shown();
  InputForm = new TInputForm(nullptr);
  SetPrompt(MakeCounted<TDesktopPrompt>(*InputForm));
  Choose(Item("My Tools", "Gain"));
  std::vector<TShownLine> linesDuring;
  bool dialogSeen = false;
  RunLater(100, [&] {
    dialogSeen = InputForm->Showing();
    EvaluatorForm->actEvaluate->Execute();
    List().Evaluate();
    linesDuring = Lines();
    InputForm->SetModalResult(mrCancel);
  });
  ConsoleLine("InputInteger('n', 1)");
  EXPECT_TRUE(dialogSeen);
  EXPECT_EQ(linesDuring.back().Text, "InputInteger('n', 1)") << "nothing written under the dialog";

  TEdValue& gain = dynamic_cast<TEdValue&>(*List().Rows()[5]);
  RunLater(100, [&] {
    Retype(gain.Edit(), "3");
    List().Evaluate();
    linesDuring = Lines();
  });
  ConsoleLine("Delay(0.3)");
  EXPECT_EQ(linesDuring.back().Text, "Delay(0.3)") << "not even \"Reentrace attempted\"";
  Retype(dynamic_cast<TEdExpr&>(*List().Rows()[3]).Edit(), "2");
  EXPECT_EQ(Result(), "6") << "the gain typed during the run is the routine's";
  SetPrompt(nullptr);
  delete InputForm;
  InputForm = nullptr;
}

TEST_F(EvaluatorFormTest, TheMatrixSelectionReevaluatesWhileShownAndAutomatic) {
  StartBoth();
  ASSERT_NE(form->Engine->AddVariable("selection", FindKind("Vector")), nullptr);
  ASSERT_TRUE(form->Engine->CompileText("library Sel; function Total : Real; interfaced = 'Sum'; "
                                        "begin Result := VecSum(selection) end; end."));
  Shown();
  Choose(Item("Sel", "Total"));
  EXPECT_EQ(Result(), "0");
  const auto select = [this](const std::string& vector) {
    TVariant value;
    form->Engine->Evaluate("selection := " + vector, false, false, -1, value);
    if (AfterSelectionSync) AfterSelectionSync();
    ProcessEverything();
  };
  select("{1, 2, 3}");
  EXPECT_EQ(Result(), "6");
  form->actEvaler->Execute();
  select("{1}");
  EXPECT_EQ(Result(), "6") << "hidden";
  form->actEvaler->Execute();
  Click(*EvaluatorForm->chkAuto);
  select("{2}");
  EXPECT_EQ(Result(), "6") << "manual mode";
  FreeEvaluator();
  EXPECT_FALSE(AfterSelectionSync) << "nobody listens once the window is gone";
  EXPECT_TRUE(form->Engine->CompileText("library After; end.")) << "the engine tells the client it keeps";
}

TEST_F(EvaluatorFormTest, F8ShowsAndHidesTheWindowFromEitherWindowAndF1ShowsItsHelp) {
  StartBoth();
  EXPECT_FALSE(EvaluatorForm->Visible());
  Press(VK_F8);
  EXPECT_TRUE(EvaluatorForm->Visible());
  EXPECT_TRUE(form->actEvaler->Checked());
  EXPECT_EQ(EvaluatorForm->Caption(), " Evaluator");
  PressIn(Tree(), VK_F1);
  EXPECT_EQ(help.Pages, std::vector<std::string>{HelpFolder() + "a1_02_11.htm"}) << "the evaluator's own page";
  PressIn(Tree(), VK_F8);
  EXPECT_FALSE(EvaluatorForm->Visible());
  EXPECT_FALSE(form->actEvaler->Checked());
}

TEST_F(EvaluatorFormTest, SettingsAndPlaceSurviveARestart) {
  StartBoth();
  Shown();
  EXPECT_EQ(EvaluatorForm->Width(), 531);
  EXPECT_EQ(EvaluatorForm->Height(), 353);
  for (TCheckBox* box : {EvaluatorForm->chkAuto, EvaluatorForm->chkClear, EvaluatorForm->chkInterfaced}) Click(*box);
  EvaluatorForm->SetBounds(50, 60, 600, 420);
  RestartBoth();
  EXPECT_EQ(Stored("EVALPARAMS", "Auto"), "0");
  EXPECT_EQ(Stored("EVALPARAMS", "Clear"), "1");
  EXPECT_EQ(Stored("EVALPARAMS", "Interfaced"), "0");
  EXPECT_EQ(Stored("EVALFORM", "Visible"), "1");
  EXPECT_FALSE(EvaluatorForm->chkAuto->Checked());
  EXPECT_TRUE(EvaluatorForm->chkClear->Checked());
  EXPECT_FALSE(EvaluatorForm->chkInterfaced->Checked());
  EXPECT_FALSE(List().Auto);
  EXPECT_TRUE(List().ClearConsole);
  EXPECT_NE(Library("Math"), nullptr) << "the tree built without the filter";
  EXPECT_EQ(EvaluatorForm->BoundsRect(), Bounds(50, 60, 600, 420));
  EXPECT_TRUE(EvaluatorForm->Visible()) << "reopened at the first activation";
}

TEST_F(EvaluatorFormTest, AResizeBelowTheMinimumIsRefused) {
  StartBoth();
  Shown();
  EvaluatorForm->SetBounds(100, 100, 399, 300);
  EXPECT_EQ(EvaluatorForm->Width(), 531) << "refused, not clamped";
  EvaluatorForm->SetBounds(100, 100, 500, 199);
  EXPECT_EQ(EvaluatorForm->Height(), 353);
  EvaluatorForm->SetBounds(100, 100, 400, 200);
  EXPECT_EQ(EvaluatorForm->BoundsRect(), Bounds(100, 100, 400, 200));
  const TSpeedButton& button = *EvaluatorForm->Button;
  EXPECT_EQ(EvaluatorForm->pnlSetts->ClientWidth() - button.Left() - button.Width(), 8);
  EXPECT_EQ(button.Width(), 89);
  EXPECT_EQ(button.Height(), 25);
}

// An engine that takes no subscriber; nothing else of it is used.
class TRefusingEngine : public ITarnscript {
public:
  void SetLibraryPath(const std::string&) override {}
  std::string LoadSourceLibrary(const std::string&) override { return {}; }
  std::string LoadPackedLibrary(const std::string&) override { return {}; }
  bool UnloadLibrary(const std::string&, bool) override { return false; }
  void Evaluate(const std::string&, bool, bool, std::int32_t, TVariant&) override {}
  std::unique_ptr<TExpression> ParseExpression(const std::string&) override { return nullptr; }
  bool CompileText(const std::string&) override { return false; }
  bool CompileFile(const std::string&) override { return false; }
  void SetConsole(CountedPtr<IXConsBase>) override {}
  CountedPtr<IXConsBase> GetConsole() override { return nullptr; }
  void SetOnRunEnd(std::function<void()>) override {}
  bool RegisterType(const std::string&, const std::string&) override { return false; }
  TVar* AddVariable(const std::string&, TKind*) override { return nullptr; }
  bool InsertVariable(std::unique_ptr<TVar>&) override { return false; }
  std::uint8_t ClassifyIdentifier(const std::string&) override { return 0; }
  std::uint8_t GetIntegerFormat() override { return 0; }
  void SetIntegerFormat(std::uint8_t) override {}
  std::int32_t GetErrorLine() override { return -1; }
  std::int32_t GetErrorColumn() override { return -1; }
  std::string GetErrorText() override { return {}; }
  TVar* FindVariable(const std::string&) override { return nullptr; }
  TLib* FindLibrary(const std::string&) override { return nullptr; }
  void DeleteVariable(const std::string&) override {}
  bool AddClient(TObject&, const std::string&) override { return false; }
  bool AddClientFunction(int, const std::string&) override { return false; }
  void RemoveClient(const std::string&) override {}
  void Abort() override {}
  bool IsRunning() override { return false; }
  void SetOption(std::uint8_t, bool) override {}
  bool GetOption(std::uint8_t) override { return false; }
  bool IsFreeIdentifier(const std::string&) override { return false; }
  bool ForEachVariable(const std::function<bool(TVar*)>&, const std::string&) override { return false; }
  void ClearWorkspace() override {}
  bool AddDataClient(CountedPtr<IXDataClient>) override { return false; }
  void NotifyDataClients(std::uint8_t) override {}
  void EnumLibraries(IXDataClient&, bool, std::uint8_t, const std::string&) override { ++Enumerations; }
  TImpExp& ImportExport() override { return importExport; }
  int Enumerations = 0;
  TImpExp importExport;
};

TEST_F(EvaluatorFormTest, AnEngineThatRefusesTheSubscriberGivesAnErrorLine) {
  Start();
  auto refusing = MakeCounted<TRefusingEngine>();
  TEdHost host = EvaluatorHost(*form);
  host.Engine = refusing;
  EvaluatorForm = new TEvaluatorForm(nullptr, host, form->actEvaler);
  EXPECT_EQ(LastLine(), (TShownLine{"Failed to initialize evaluator form", lkError}));
  EXPECT_EQ(refusing->Enumerations, 0) << "no tree without a subscription";
  EXPECT_EQ(Tree().Items().Count(), 0);
}

}  // namespace
