#include "shell/MainForm.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "console/Console.h"
#include "console/Sounds.h"
#include "console/Syntax.h"
#include "console/XEdit.h"
#include "engine/ConsoleLine.h"
#include "engine/RunState.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Params.h"
#include "runtime/Storage.h"
#include "runtime/SysInfo.h"
#include "shell/EditorForm.h"
#include "shell/EvaluatorForm.h"
#include "shell/Images.h"
#include "shell/InstCtrl.h"
#include "shell/LibMan.h"
#include "shell/SettingsForm.h"
#include "shell/Splash.h"
#include "shell/StoredPlace.h"
#include "shell/ToolForm.h"
#include "shell/TipsForm.h"
#include "shell/ToolWindows.h"
#include "shell/WelcomeForm.h"
#include "shell/WorkForm.h"
#include "shell/XButton.h"
#include "shell/XHint.h"
#include "skin/SkinPanel.h"
#include "skin/SkinToolBar.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

TMainForm* MainForm = nullptr;
std::vector<std::string> ProgramArguments;

namespace {

constexpr const char* MainSection = "MAINFORM";
constexpr const char* LinesSection = "CONSOLELINES";
constexpr const char* ColorsSection = "CONSOLECOLORS";
constexpr UINT WM_ACTIVATECOMMANDLINE = WM_USER + 1;
constexpr UINT WM_STARTWITHOUTFILE = WM_USER + 2;
constexpr UINT WM_RUNEND = WM_USER + 3;
constexpr int MinWidth = 320;
constexpr int MinFullHeight = 200;

void TellSplash(const std::string& message, int progress) {
  if (!LoadProgress) return;
  if (progress >= 0) LoadProgress->SetProgress(progress);
  LoadProgress->AddMessage(message);
}

// Whether the line assigns: a ":=" token of the lexer, not one inside a
// string or a comment.
bool HasAssignment(TSyntax& syntax, const std::string& line) {
  TSyntaxLine scan(syntax, line);
  while (syntax.NextKind() != skEndOfLine)
    if (syntax.TokenText() == ":=") return true;
  return false;
}

}  // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  MainForm = this;
  SetBounds(225, 114, 631, 381);
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  ShowHint = true;
  closeRetry_ = new TTimer(this);
  closeRetry_->SetEnabled(false);
  closeRetry_->SetInterval(20);
  closeRetry_->SetOnTimer([this](TObject*) { CloseAfterRun(); });
  CreateActions();
  CreateMenus();
  CreatePanels();
  CreateToolBar();

  FirstActivation = true;
  FileGiven = !ProgramArguments.empty();
  if (Storage->NewBuild) RegisterFileType("tarn", ProgramFileName());
  Compact = false;
  full_ = compact_ = {Left(), Top(), Width(), Height()};

  TellSplash("Initializing engine", -1);
  Engine = MakeCounted<TXBuilder>(StandardCatalogues());
  Engine->SetIntegerFormat(0);
  // A running script keeps the windows alive, so that an abort reaches it.
  SetMessagePump([] { Application().ProcessMessages(); });
  // Heard once the engine's call has returned, whether the run completed, failed or was aborted.
  Engine->SetOnRunEnd([this] {
    if (HandleAllocated()) PostMessage(Handle(), WM_RUNEND, 0, 0);
  });

  Syntax = std::make_unique<TSyntax>();
  Syntax->Classifier = [this](const std::string& name) { return ClassifyIdentifier(name); };
  Syntax->Attrs().LoadFromStorage(ColorsSection);
  ScrPanel->SetAlign(alClient);
  CreateLines();
  CreateConsole();
  EditPanel->OnResize = [this](TObject*) { EditPanelResize(); };
  ScrPanel->OnResize = [this](TObject*) { ScrPanelResize(); };
  ApplyEditColors();
  ApplyView(false, false);
  if (InstCtrl && !InstCtrl->Warning().empty()) Console->AddLine(InstCtrl->Warning(), lkWarning, 0);

  TellSplash("Initializing sounds", 5);
  AppSounds = std::make_unique<TSounds>();
  TellSplash("Initializing library manager", 10);
  LibMan = std::make_unique<TLibMan>(GetAppFolder() + "LIBS/", Engine);
  LibMan->LoadAll();

  ReadSettings();
  BuildLibHelpMenu();
  LibMan->OnReplaced = [this] { BuildLibHelpMenu(); };
  if (Params.MainOnTop) SetFormStyle(fsStayOnTop);
  SetCaption(" " + Application().Title());
  Application().OnMessage = [this](MSG& message, bool& handled) { AppMessage(message, handled); };
  OnActivate = [this](TObject*) { FormActivate(); };
  OnCloseQuery = [this](TObject*, bool& canClose) { FormCloseQuery(canClose); };
  OnCanResize = [this](TObject*, int& width, int& height, bool&) { FormCanResize(width, height); };
}

TMainForm::~TMainForm() {
  Application().OnMessage = nullptr;
  if (AppSounds) AppSounds->Play(sndAppFinish, true);
  SaveSettings();
  LibMan.reset();
  // The layout handlers would reach the lines freed below.
  OnCanResize = nullptr;
  EditPanel->OnResize = nullptr;
  ScrPanel->OnResize = nullptr;
  Engine->SetConsole(nullptr);
  delete Console;
  delete MenuButton;
  delete CommandLine;
  delete ResultLine;
  Syntax.reset();
  SetMessagePump(nullptr);
  Engine->SetOnRunEnd(nullptr);
  Engine = nullptr;
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  if (Params.WinsInTask) Application().SetHintWindowClass(HintWindowClassOf<TXHint>());
}

void TMainForm::CreatePanels() {
  CoolBar = new TCoolBar(this);
  CoolBar->SetAlign(alTop);
  CoolBar->SetAutoSize(true);
  CoolBar->SetEdgeBorders(ebBottom);
  CoolBar->SetParent(this);
  for (TSkinPanel** panel : {&EditPanel, &ScrPanel}) {
    *panel = new TSkinPanel(this);
    (*panel)->SetBevelOuter(bvNone);
    (*panel)->SetParent(this);
  }
}

void TMainForm::CreateLines() {
  CommandLine = new TXEdit(EditPanel, true);
  CommandLine->Syntax = Syntax.get();
  CommandLine->OnExecute = [this](TObject* sender, const std::string& line) { ExecuteLine(sender, line); };
  ResultLine = new TXEdit(ScrPanel, false);
  ResultLine->Syntax = Syntax.get();
  ResultLine->NoEdit = true;
  ResultLine->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ScrMouseDown(); };
  MenuButton = new TXButton(EditPanel);
  MenuButton->SetParent(EditPanel);
  MenuButton->SetDropMenu(MainMenu);
  MenuButton->SetAction(actMainMenu);
  MenuButton->SetBounds(0, 0, 24, 22);
  MenuButton->SetFlat(true);
  MenuButton->SetCaption("");
}

void TMainForm::CreateConsole() {
  Console = new TConsole(ScrPanel);
  Console->SetParent(ScrPanel);
  Console->SetAlign(alClient);
  Console->SetImages(Images ? &Images->Norm : nullptr);
  Console->LoadLineAttrs(LinesSection);
  Console->SetPopupMenu(PopupMenu);
  Console->TabStop = false;
  Console->NoBackground = Params.BackImage;
  Console->ShowPrefixInCopy = Params.CopyPrefix;
  if (Storage->FirstRun) Console->LineAttrs.Outputs.Syntax = false;
  Console->Tree->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ScrMouseDown(); };
  Console->Syntax = Syntax.get();
  ResultLine->ClipboardHelper = &Console->Copier;
}

// The stored view is applied as it is: the geometry the window has now is
// the designed one, not a view's.
void TMainForm::ReadSettings() {
  Storage->OpenSection(MainSection, false);
  TSectionCloser closer(*Storage);
  const TRect design = BoundsRect();
  const auto read = [&](const char* prefix, bool compact) {
    const TRect place = ReadStoredPlace(prefix, design, SmallestSize(compact));
    return TViewBounds{place.Left, place.Top, place.Width(), place.Height()};
  };
  compact_ = read("C", true);
  full_ = read("F", false);
  const bool compact = Storage->ReadBool("Compact", false);
  ApplyView(compact, false);
}

void TMainForm::SaveSettings() {
  StoreGeometry();
  {
    Storage->OpenSection(MainSection, true);
    TSectionCloser closer(*Storage);
    Storage->WriteInteger("CLeft", compact_.Left);
    Storage->WriteInteger("CTop", compact_.Top);
    Storage->WriteInteger("CWidth", compact_.Width);
    Storage->WriteInteger("CHeight", compact_.Height);
    Storage->WriteInteger("FLeft", full_.Left);
    Storage->WriteInteger("FTop", full_.Top);
    Storage->WriteInteger("FWidth", full_.Width);
    Storage->WriteInteger("FHeight", full_.Height);
    Storage->WriteBool("Compact", Compact);
  }
  Console->SaveLineAttrs(LinesSection);
  Syntax->Attrs().SaveToStorage(ColorsSection);
}

void TMainForm::SaveEverySetting() {
  SaveSettings();
  CommandLine->StoreHistory();
  LibMan->WriteSettings();
}

// ---------------------------------------------------------------- views

void TMainForm::SetCompact(bool compact) { ApplyView(compact, compact != Compact); }

void TMainForm::StoreGeometry() { (Compact ? compact_ : full_) = {Left(), Top(), Width(), Height()}; }

void TMainForm::ApplyView(bool compact, bool storeLeftGeometry) {
  if (storeLeftGeometry) StoreGeometry();
  Compact = compact;
  actSwitch->SetChecked(compact);
  CoolBar->SetVisible(!compact);
  Console->SetVisible(!compact);
  ResultLine->SetVisible(compact);
  MenuButton->SetVisible(compact);
  CommandLine->EnterExec = true;
  CommandLine->ClearLine = !compact;
  CommandLine->AutoExec = compact;
  const TViewBounds& bounds = compact ? compact_ : full_;
  EditPanel->SetAlign(compact ? alTop : alBottom);
  SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
  Engine->SetConsole(GetConsoleIntf());
  if (compact) CommandLine->SetSelStart(static_cast<int>(CommandLine->Text().size()));
  EditPanelResize();
  ScrPanelResize();
  EditPanel->Realign();
}

CountedPtr<IXConsBase> TMainForm::GetConsoleIntf() { return Compact ? ResultLine->ConsoleIntf : Console->ConsoleIntf; }

// The command line keeps the height its font gives it.
void TMainForm::EditPanelResize() {
  const int width = EditPanel->ClientWidth();
  const int height = CommandLine->Height();
  if (Compact) {
    EditPanel->SetHeight(height);
    CommandLine->SetBounds(0, 0, width - MenuButton->Width(), height);
    MenuButton->SetBounds(width - MenuButton->Width(), 0, MenuButton->Width(), MenuButton->Height());
  } else {
    EditPanel->SetHeight(height + 4);
    CommandLine->SetBounds(4, 0, width - 8, height);
  }
}

// The compact window shows exactly two lines.
void TMainForm::ScrPanelResize() {
  if (!Compact) return;
  ResultLine->SetBounds(0, 0, ScrPanel->ClientWidth(), ResultLine->Height());
  if (ClientHeight() != TwoLineHeight()) SetClientSize(ClientWidth(), TwoLineHeight());
}

int TMainForm::TwoLineHeight() const { return EditPanel->Height() + ResultLine->Height(); }

void TMainForm::FormCanResize(int& newWidth, int& newHeight) {
  const TSize smallest = SmallestSize(Compact);
  newWidth = std::max(newWidth, smallest.cx);
  newHeight = Compact ? smallest.cy : std::max(newHeight, smallest.cy);
}

// The compact view's height is its only one: two lines.
TSize TMainForm::SmallestSize(bool compact) const {
  return {MinWidth, compact ? Height() - ClientHeight() + TwoLineHeight() : MinFullHeight};
}

// The console takes the focus itself once it has handled the press (the
// tree's rule), after this handler: the command line takes it back after
// that, and the selection the press made stays.
void TMainForm::ScrMouseDown() { PostMessage(Handle(), WM_ACTIVATECOMMANDLINE, 0, 0); }

void TMainForm::Dispatch(TMessage& message) {
  if (message.Msg == WM_STARTWITHOUTFILE) return StartWithoutFile();
  if (message.Msg == WM_RUNEND) {
    if (WorkForm) WorkForm->RunEnded();
    return;
  }
  if (message.Msg != WM_ACTIVATECOMMANDLINE) return TForm::Dispatch(message);
  if (CommandLine->CanFocus()) SetActiveControl(CommandLine);
}

void TMainForm::ApplyEditColors() {
  const auto apply = [](TXEdit& edit, const TLineAttr& look) {
    edit.SetColor(look.Color);
    edit.SetPromptAttr(look.Prefix);
    edit.PlainColors = !look.Syntax;
    edit.SetTextAttr(look.Text);
    edit.SetPrompt(look.PrefixStr);
  };
  apply(*CommandLine, Console->LineAttrs.Inputs);
  apply(*ResultLine, Console->LineAttrs.Results);
}

std::uint8_t TMainForm::ClassifyIdentifier(const std::string& name) { return Engine->ClassifyIdentifier(name); }

// ---------------------------------------------------------------- lines

// The compact view evaluates while the user types, but an assignment only
// on Enter: evaluated at every keystroke, "a := a + 1" would add one each time.
void TMainForm::ExecuteLine(TObject*, const std::string& line) {
  ExecuteTypedLine(line, CommandLine->ExecutingChange());
}

void TMainForm::ExecuteTypedLine(const std::string& line, bool automatic) {
  if (Compact && automatic && HasAssignment(*Syntax, line)) {
    ResultLine->SetSource("");
    return;
  }
  if (!Compact) Console->AddLine(line, lkInput, 0);
  Evaluate(line);
  if (CommandLine->CanFocus()) SetActiveControl(CommandLine);
  Console->RefreshView();
}

// Only the full view makes Workspace variables and lists results.
void TMainForm::Evaluate(const std::string& line) {
  EvaluateConsoleLine(*Engine, line, !Compact, !Compact && Params.UseShow);
}

// The output format is not stored: every start is decimal. The compact
// view shows the current line in the new format at once.
void TMainForm::FormatClick(TObject* sender) {
  auto* item = static_cast<TMenuItem*>(sender);
  item->SetChecked(true);
  Engine->SetIntegerFormat(static_cast<std::uint8_t>(item->Tag - 1));
  if (Compact) ExecuteTypedLine(CommandLine->GetSource(), true);
}

// A file that does not exist is named in the console, not passed over in silence.
void TMainForm::RunFile(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error)) {
    Console->AddLine("File \"" + fileName + "\" not found", lkError, 0);
    return;
  }
  Engine->CompileFile(fileName);
}

// ---------------------------------------------------------------- first activation and closing

void TMainForm::FormActivate() {
  if (!FirstActivation) return;
  if (frmSplash) {
    frmSplash->FillAboutText();
    frmSplash->Hide();
  }
  if (AppSounds) AppSounds->Arm();
  if (FileGiven) {
    for (TToolWindowId id : ToolWindowIds)
      if (TToolForm* window = ToolWindow(id)) window->ClearReopenFlag();
  } else {
    // The dialogs take input only once the activation is over.
    StartPending = true;
    PostMessage(Handle(), WM_STARTWITHOUTFILE, 0, 0);
  }
  FirstActivation = false;
  Show();
  Application().ProcessMessages();
  // A file compiles without handling messages: the window is on the
  // desktop and painted first, not a black frame until the file is done.
  if (FileGiven) {
    PresentNow(Handle());
    RunFile(ProgramArguments.front());
  }
}

// Raising the window is a request: the desktop's focus rules decide. A
// file handed over while another handed-over file runs waits for it, so
// that simultaneous starts each run theirs; while anything else runs it is
// refused.
void TMainForm::AppMessage(MSG& Msg, bool& Handled) {
  Handled = false;
  if (Msg.message != WM_INSTCTRL) return;
  Handled = true;
  if (runningHandOver_) {
    waitingHandOvers_.push_back(Msg);
    return;
  }
  const TInstCtrl::THandling handling(Msg);
  Application().Restore();
  Application().BringToFront();
  const std::string fileName = InstCtrl ? InstCtrl->GetCmdLine() : std::string();
  if (fileName.empty()) return;
  if (Engine->IsRunning()) {
    Console->AddLine("Failed to execute : " + fileName, lkError, 0);
    return;
  }
  struct TRunningHandOver {
    TMainForm& Form;
    explicit TRunningHandOver(TMainForm& form) : Form(form) { Form.runningHandOver_ = true; }
    ~TRunningHandOver() {
      Form.runningHandOver_ = false;
      for (const MSG& waiting : Form.waitingHandOvers_)
        PostMessage(waiting.hwnd, waiting.message, waiting.wParam, waiting.lParam);
      Form.waitingHandOvers_.clear();
    }
  } running(*this);
  RunFile(fileName);
}

// A task chosen on the welcome screen replaces the rest: the stored tool
// windows, the tips and the start sound.
void TMainForm::StartWithoutFile() {
  StartPending = false;
  if (WelcomeForm && WelcomeForm->GetShowAtStart() && ShowWelcome()) return;
  ReopenToolWindows();
  if (frmTips && frmTips->GetShowAtStart()) frmTips->ShowModal();
  if (AppSounds) AppSounds->Play(sndAppStart, false);
}

bool TMainForm::ShowWelcome() {
  return WelcomeForm->ShowModal() == mrOk && RunWelcomeTask(WelcomeForm->TaskCode);
}

void TMainForm::ReopenToolWindows() {
  for (TToolWindowId id : ToolWindowIds)
    if (TToolForm* window = ToolWindow(id); window && window->ReopenFlag()) ShowToolWindow(window);
}

// Closing during a run aborts it; the window closes once the run has
// returned, so that nothing is freed under a running script. Then the
// editor asks about its unsaved texts, unless nobody can answer.
void TMainForm::FormCloseQuery(bool& canClose) {
  if (Engine->IsRunning()) {
    Engine->Abort();
    canClose = false;
    closeRetry_->SetEnabled(true);
    return;
  }
  if (!EditorForm) return;
  if (unattendedClose_)
    EditorForm->EndWithoutAsking();
  else
    canClose = EditorForm->ConfirmSaveAll();
}

void TMainForm::CloseUnattended() {
  unattendedClose_ = true;
  Close();
}

void TMainForm::CloseAfterRun() {
  if (Engine->IsRunning()) return;
  closeRetry_->SetEnabled(false);
  Close();
}

// ---------------------------------------------------------------- tool windows and welcome tasks

void TMainForm::ShowToolWindow(TToolForm* window) {
  if (window && !window->Visible()) window->Toggle();
}

void TMainForm::FullViewFirst() {
  if (Compact) actSwitch->Execute();
}

void TMainForm::ShowSettings() {
  SettingsForm->LoadConsole(*Console);
  SettingsForm->LoadLibraries(*LibMan);
  SettingsForm->LoadSounds(*AppSounds);
  if (SettingsForm->ShowModal() == mrOk) TakeSettings();
}

void TMainForm::TakeSettings() {
  SettingsForm->StoreLibraries(*LibMan);
  SettingsForm->StoreSounds(*AppSounds);
  Console->CopyLookFrom(SettingsForm->ApplyOptions());
  Console->RefreshView();
  if (EditorForm) {
    EditorForm->Console->CopyLookFrom(*Console);
    EditorForm->Console->RefreshView();
  }
  ApplyEditColors();
}

// The evaluator in the full view, with the toolbox libraries of the task opened.
void TMainForm::ShowToolboxes(std::initializer_list<const char*> libraries) {
  FullViewFirst();
  ShowToolWindow(EvaluatorForm);
  if (EvaluatorForm)
    for (const char* library : libraries) EvaluatorForm->SelectLibrary(library);
}

void TMainForm::RunEditorCommand(TAction* TEditorForm::*command) {
  if (!EditorForm) return;
  ShowToolWindow(EditorForm);
  Application().ProcessMessages();
  (EditorForm->*command)->Execute();
  EditorForm->BringToFront();
}

bool TMainForm::RunWelcomeTask(int code) {
  switch (code) {
    case 1: RunEditorCommand(&TEditorForm::actOpen); return true;
    case 2: RunEditorCommand(&TEditorForm::actNew); return true;
    case 3: RunEditorCommand(&TEditorForm::actNewLib); return true;
    case 4: FullViewFirst(); return true;
    case 5:
      if (!Compact) actSwitch->Execute();
      return true;
    case 6: ShowToolboxes({}); return true;
    case 7: ShowToolboxes({"Converters"}); return true;
    case 8: ShowToolboxes({"Algebra"}); return true;
    case 9: ShowToolboxes({"Geometry"}); return true;
    case 10: ShowToolboxes({"Constants"}); return true;
    case 11: ShowToolWindow(ToolWindow(twPlotter)); return true;
    case 12:
      ShowToolboxes({"Plots"});
      ShowToolWindow(WorkForm);
      return true;
    case 13:
      ShowToolWindow(WorkForm);
      if (WorkForm) WorkForm->actImport->Execute();
      return true;
    case 14:
      ShowToolboxes({"Analysis", "Plots"});
      ShowToolWindow(WorkForm);
      return true;
    default: return false;
  }
}
