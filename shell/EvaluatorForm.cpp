#include "shell/EvaluatorForm.h"

#include "Edits/EdList.h"
#include "engine/Func.h"
#include "engine/MessageChannel.h"
#include "engine/Proc.h"
#include "engine/Var.h"
#include "runtime/AsciiCase.h"
#include "runtime/Help.h"
#include "runtime/Storage.h"
#include "shell/ActionBars.h"
#include "shell/EvalerInt.h"
#include "shell/MainForm.h"
#include "shell/SelectionHook.h"
#include "shell/XpmPicture.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/controls/Splitter.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/gdi/Bitmap.h"

// The pictures, drawn by tools/draw-images.py.
#include "resources/images/Evaluator.xpm"

TEvaluatorForm* EvaluatorForm = nullptr;

namespace {

constexpr const char* FormSection = "EVALFORM";
constexpr const char* ParamsSection = "EVALPARAMS";
const TRect Designed = Bounds(260, 180, 531, 353);
constexpr int TreeWidth = 185;
constexpr int SettingsHeight = 32;
constexpr int ButtonWidth = 89;
constexpr int ButtonHeight = 25;
constexpr int ButtonMargin = 8;

}  // namespace

TEvaluatorForm::TEvaluatorForm(TComponent* owner, const TEdHost& host, TAction* toggle)
    : TToolForm(owner, FormSection, toggle, Designed) {
  SetCaption(" Evaluator");
  TBitmap pictures;
  DecodeXpm(EvaluatorPictures, pictures);
  Images.Add(pictures, nullptr);
  CreateActions();
  CreateSettingsPanel();
  pnlMain = new TPanel(this);
  pnlMain->SetParent(this);
  pnlMain->SetAlign(alClient);
  pnlMain->SetBevelOuter(bvNone);
  CreateTree();
  pnlEdList = new TPanel(this);
  pnlEdList->SetParent(pnlMain);
  pnlEdList->SetAlign(alClient);
  pnlEdList->SetBevelOuter(bvNone);
  pnlEdList->DoubleBuffered = true;
  EdList = new TEdList(pnlEdList, host);
  EdList->SetParent(pnlEdList);
  EdList->SetAlign(alClient);
  ReadSettings();
  chkAuto->OnClick = [this](TObject*) { EdList->Auto = chkAuto->Checked(); };
  chkClear->OnClick = [this](TObject*) { EdList->ClearConsole = chkClear->Checked(); };
  chkInterfaced->OnClick = [this](TObject*) { actRefresh->Execute(); };
  OnCanResize = [this](TObject*, int& width, int& height, bool& resize) { FormCanResize(width, height, resize); };
  AfterSelectionSync = [this] { Reevaluate(); };
  RegisterClient(*host.Engine);
}

TEvaluatorForm::~TEvaluatorForm() {
  AfterSelectionSync = nullptr;
  static_cast<TEvalerInt*>(DataClient.get())->Forget();
  DataClient = nullptr;
  FuncTree->OnChange = nullptr;
  FuncTree->OnCustomDrawItem = nullptr;
  delete EdList;
  EdList = nullptr;
  try {
    WriteSettings();
  } catch (const std::exception&) {
    // The stored settings stay as they were; the program is ending anyway.
  }
  if (EvaluatorForm == this) EvaluatorForm = nullptr;
}

void TEvaluatorForm::CreateActions() {
  ActionList = new TActionList(this);
  ActionList->Images = &Images;
  actRefresh = MakeAction(this, ActionList, {"&Refresh"});
  actEvaluate = MakeAction(this, ActionList, {"&Evaluate", "", "F9", eiEvaluate});
  actHelp = MakeAction(this, ActionList, {"&Help", "", "F1"});
  actRefresh->OnExecute = [this](TObject*) { DataClient->Update(dcEverything); };
  actEvaluate->OnExecute = [this](TObject*) { EdList->Evaluate(); };
  actEvaluate->OnUpdate = [this](TObject*) { actEvaluateUpdate(); };
  actHelp->OnExecute = [](TObject*) { ShowHelp("a1_02_11.htm"); };
}

void TEvaluatorForm::CreateSettingsPanel() {
  pnlSetts = new TPanel(this);
  pnlSetts->SetParent(this);
  pnlSetts->SetAlign(alBottom);
  pnlSetts->SetHeight(SettingsHeight);
  pnlSetts->ShowHint = true;
  const auto box = [this](const char* caption, const char* hint, int left, int width) {
    auto* check = new TCheckBox(this);
    check->SetParent(pnlSetts);
    check->SetCaption(caption);
    check->Hint = hint;
    check->SetBounds(left, 8, width, 17);
    return check;
  };
  chkInterfaced = box("Interfaced", " Show only interfaced routines ", 8, 84);
  chkClear = box("Clear console", " Clear console on evaluation ", 100, 100);
  chkAuto = box("Automatic", " Automatic evaluation when parameter is modified ", 208, 88);
  Button = new TSpeedButton(this);
  Button->SetParent(pnlSetts);
  Button->SetBounds(0, (SettingsHeight - ButtonHeight) / 2, ButtonWidth, ButtonHeight);
  Button->SetLayout(blGlyphRight);
  Button->SetAction(actEvaluate);
  pnlSetts->OnResize = [this](TObject*) { pnlSettsResize(); };
  pnlSettsResize();
}

void TEvaluatorForm::CreateTree() {
  FuncTree = new TTreeView(this);
  FuncTree->SetParent(pnlMain);
  FuncTree->SetAlign(alLeft);
  FuncTree->SetWidth(TreeWidth);
  FuncTree->SetHotTrack(true);
  FuncTree->SetReadOnly(true);
  FuncTree->SetIndent(19);
  FuncTree->SetImages(&Images);
  FuncTree->OnChange = [this](TObject*, TTreeNode* node) { FuncTreeChange(node); };
  FuncTree->OnExpanding = [](TObject*, TTreeNode* node, bool&) {
    node->SetImageIndex(eiLibraryExpanded);
    node->SetSelectedIndex(eiLibraryExpanded);
  };
  FuncTree->OnCollapsing = [](TObject*, TTreeNode* node, bool&) {
    node->SetImageIndex(eiLibrary);
    node->SetSelectedIndex(eiLibrary);
  };
  FuncTree->OnCustomDrawItem = [this](TObject*, TTreeNode* node, TCustomDrawState, bool&) {
    FuncTreeCustomDrawItem(node);
  };
  Splitter = new TSplitter(this);
  Splitter->SetParent(pnlMain);
  Splitter->SetBounds(TreeWidth, 0, 4, pnlMain->Height());
  Splitter->SetAlign(alLeft);
  Splitter->MinSize = 128;
  Splitter->AutoSnap = false;
}

void TEvaluatorForm::ReadSettings() {
  Storage->OpenSection(ParamsSection, false);
  TSectionCloser closer(*Storage);
  chkAuto->SetChecked(Storage->ReadBool("Auto", true));
  chkClear->SetChecked(Storage->ReadBool("Clear", false));
  chkInterfaced->SetChecked(Storage->ReadBool("Interfaced", true));
  EdList->Auto = chkAuto->Checked();
  EdList->ClearConsole = chkClear->Checked();
}

void TEvaluatorForm::WriteSettings() {
  Storage->OpenSection(ParamsSection, true);
  TSectionCloser closer(*Storage);
  Storage->WriteBool("Auto", chkAuto->Checked());
  Storage->WriteBool("Clear", chkClear->Checked());
  Storage->WriteBool("Interfaced", chkInterfaced->Checked());
}

void TEvaluatorForm::RegisterClient(ITarnscript& engine) {
  DataClient = MakeCounted<TEvalerInt>(*this, engine);
  if (engine.AddDataClient(DataClient))
    actRefresh->Execute();
  else
    WriteMessage("Failed to initialize evaluator form", lkError, 0);
}

TEdHost EvaluatorHost(TMainForm& main) {
  return {main.Engine, main.Syntax.get(), [&main] { main.actClear->Execute(); }};
}

void TEvaluatorForm::Reevaluate() {
  if (Visible() && EdList->Auto) EdList->Evaluate();
}

void TEvaluatorForm::SelectLibrary(const std::string& name) {
  for (TTreeNode* node = FuncTree->Items().GetFirstNode(); node; node = node->getNextSibling())
    if (SameAsciiText(node->Text(), name)) {
      node->Expand(false);
      return;
    }
}

// ---------------------------------------------------------------- the tree

// The list lets go of the routine first: the nodes' routines may be gone.
void TEvaluatorForm::ClearRoutineTree() {
  EdList->SetRoutine(nullptr);
  clearingTree_ = true;
  FuncTree->Items().Clear();
  clearingTree_ = false;
  FuncTree->SetSortType(stNone);
}

TTreeNode* TEvaluatorForm::AddLibraryNode(const std::string& name) {
  return AddItemNode(nullptr, name, nullptr, eiLibrary);
}

// With "Interfaced" on, only the interfaced script routines.
TTreeNode* TEvaluatorForm::AddRoutineNode(TTreeNode* parent, TFunc* routine) {
  const bool function = routine->ResultKind() != nullptr;
  const auto* proc = dynamic_cast<const TProc*>(routine);
  const bool interfaced = proc && proc->Interfaced();
  if (chkInterfaced->Checked() && !interfaced) return nullptr;
  const int image = interfaced ? (function ? eiInterfacedFunction : eiInterfacedProcedure)
                               : (function ? eiFunction : eiProcedure);
  return AddItemNode(parent, routine->Name(), static_cast<THashNode*>(routine), image);
}

// With "Interfaced" on, only the parameter constants.
TTreeNode* TEvaluatorForm::AddConstantNode(TTreeNode* parent, TVar* variable) {
  const bool parameter = dynamic_cast<TParamVar*>(variable) != nullptr;
  if (chkInterfaced->Checked() && !parameter) return nullptr;
  return AddItemNode(parent, variable->Name(), static_cast<THashNode*>(variable),
                     parameter ? eiParameterConstant : eiConstant);
}

// A node's data is the THashNode of its routine or constant; a library's is nil.
TTreeNode* TEvaluatorForm::AddItemNode(TTreeNode* parent, const std::string& name, void* item, int image) {
  TTreeNode* node = FuncTree->Items().AddChildObject(parent, DisplayName(name), item);
  node->SetImageIndex(image);
  node->SetSelectedIndex(image);
  return node;
}

void TEvaluatorForm::FuncTreeChange(TTreeNode* node) {
  if (clearingTree_ || !node) return;
  if (!node->Parent())
    EdList->SetRoutine(nullptr);
  else if (node->Data)
    EdList->SetRoutine(static_cast<THashNode*>(node->Data));
}

void TEvaluatorForm::FuncTreeCustomDrawItem(TTreeNode* node) {
  FuncTree->Canvas().Font().SetStyle(node->Parent() ? 0 : fsBold);
}

// ---------------------------------------------------------------- actions and layout

// The idle pass is also where what waited for a run to end is done.
void TEvaluatorForm::actEvaluateUpdate() {
  EdList->CatchUp();
  actEvaluate->SetEnabled(EdList->CanEvaluate() && !chkAuto->Checked());
}

void TEvaluatorForm::pnlSettsResize() {
  Button->SetLeft(pnlSetts->ClientWidth() - ButtonWidth - ButtonMargin);
}

// Refused, not clamped: the window keeps its size.
void TEvaluatorForm::FormCanResize(int newWidth, int newHeight, bool& resize) {
  if (newWidth < MinWidth || newHeight < MinHeight) resize = false;
}
