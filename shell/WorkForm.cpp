#include "shell/WorkForm.h"

#include <algorithm>
#include <cmath>

#include "engine/Lib.h"
#include "libraries/WorkStatus.h"
#include "runtime/HeapUsage.h"
#include "runtime/Storage.h"
#include "shell/AddVarDlg.h"
#include "shell/MatEdit.h"
#include "shell/WorkInt.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/Splitter.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/ToolBar.h"
#include "treeview/DTHeader.h"
#include "treeview/DataStringTree.h"

TWorkForm* WorkForm = nullptr;

namespace {

constexpr const char* SectionName = "WORKFORM";
const TRect DesignBounds = Bounds(196, 128, 725, 442);
constexpr int TreeWidth = 401;
constexpr const char* VariableFilter = "Variable File (*.xvar)|*.xvar|All Files (*.*)|*.*";
constexpr const char* WorkspaceFilter = "Workspace Files (*.xws)|*.xws|All Files (*.*)|*.*";

constexpr std::uint64_t KiloByte = 1024;
constexpr std::uint64_t MegaByte = 1024 * 1024;

// Hundredths written as FloatToStr writes them: no trailing zeros, no point for a whole number.
std::string HundredthsText(std::uint64_t hundredths) {
  std::string text = std::to_string(hundredths / 100);
  const std::uint64_t fraction = hundredths % 100;
  if (fraction == 0) return text;
  text += '.';
  text += static_cast<char>('0' + fraction / 10);
  if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
  return text;
}

// Round(bytes x 100 / unit), halves to even.
std::uint64_t HundredthsOf(std::uint64_t bytes, std::uint64_t unit) {
  return static_cast<std::uint64_t>(std::nearbyint(static_cast<long double>(bytes) * 100 / unit));
}

// Ends the tree's update also when a rebuild fails half-way.
class TTreeUpdate {
public:
  explicit TTreeUpdate(TBaseDataTree& tree) : tree_(tree) { tree_.BeginUpdate(); }
  ~TTreeUpdate() { tree_.EndUpdate(); }
  TTreeUpdate(const TTreeUpdate&) = delete;
  TTreeUpdate& operator=(const TTreeUpdate&) = delete;

private:
  TBaseDataTree& tree_;
};

}  // namespace

std::string HeapStatusText(std::uint64_t bytes) {
  std::string amount;
  if (bytes <= KiloByte)
    amount = std::to_string(bytes) + " B";
  else if (bytes > MegaByte)
    amount = HundredthsText(HundredthsOf(bytes, MegaByte)) + " MB";
  else
    amount = HundredthsText(HundredthsOf(bytes, KiloByte)) + " KB";
  return " Allocated : " + amount;
}

TWorkForm::TWorkForm(TComponent* owner, CountedPtr<ITarnscript> engine, TAction* toggle)
    : TToolForm(owner, SectionName, toggle, DesignBounds), Engine(std::move(engine)) {
  SetCaption(" Workspace");
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  ShowHint = true;
  CreateActions();
  CreateMenus();
  CreatePanels();
  CreateBars();
  CreateDialogs();
  KeepOwnKeys([this](TStorage& storage) { ReadOwnKeys(storage); },
              [this](TStorage& storage) { WriteOwnKeys(storage); });
  workInt_ = MakeCounted<TWorkInt>(this);
  DataClient = workInt_;
  Engine->AddDataClient(DataClient);
  SetWorkStatusHandler([this](const std::string& text) { SetStatusText(text); });
  OnShow = [this](TObject*) { FormShow(); };
  OnActivate = [this](TObject*) { FormActivate(); };
}

// The engine keeps the subscriber: from now on it does nothing.
TWorkForm::~TWorkForm() {
  WriteSettings();
  // The editors' controls live in the tree and the tabs: they go first.
  VarTree->CancelNodeEdit();
  EditLink = nullptr;
  while (auto* tab = ActiveEditorTab()) CloseEditorTab(tab);
  SetWorkStatusHandler(nullptr);
  workInt_->Form = nullptr;
}

void TWorkForm::CreatePanels() {
  StatusBar = new TStatusBar(this);
  StatusBar->SetParent(this);
  StatusBar->SetAlign(alBottom);
  for (int width : {128, 256}) StatusBar->Panels().Add().SetWidth(width);
  pnlLeft = new TPanel(this);
  pnlLeft->SetParent(this);
  pnlLeft->SetBevelOuter(bvNone);
  pnlLeft->SetBounds(0, 0, TreeWidth, ClientHeight());
  pnlLeft->SetAlign(alLeft);
  Splitter = new TSplitter(this);
  Splitter->SetParent(this);
  Splitter->SetBounds(TreeWidth, 0, 4, ClientHeight());
  Splitter->SetAlign(alLeft);
  Splitter->MinSize = 200;
  Splitter->AutoSnap = false;
  pnlMain = new TPanel(this);
  pnlMain->SetParent(this);
  pnlMain->SetBevelOuter(bvNone);
  pnlMain->SetAlign(alClient);
  MainPages = new TPageControl(this);
  MainPages->SetParent(pnlMain);
  MainPages->SetAlign(alClient);
  LeftPages = new TPageControl(this);
  LeftPages->SetParent(pnlLeft);
  LeftPages->SetAlign(alClient);
  CreateVariablesPage();
  CreateLibrariesPage();
  LeftPages->SetActivePage(TabSheet1);
}

void TWorkForm::CreateVariablesPage() {
  TabSheet1 = new TTabSheet(this);
  TabSheet1->SetPageControl(LeftPages);
  TabSheet1->SetCaption(" Variables ");
  VarCoolBar = new TCoolBar(this);
  VarCoolBar->SetParent(TabSheet1);
  VarCoolBar->SetAlign(alTop);
  VarCoolBar->SetAutoSize(true);
  VarTools = new TToolBar(this);
  VarTools->SetParent(VarCoolBar);
  CreateVarTree();
}

void TWorkForm::CreateLibrariesPage() {
  TabSheet2 = new TTabSheet(this);
  TabSheet2->SetPageControl(LeftPages);
  TabSheet2->SetCaption(" Libraries ");
  LibTools = new TToolBar(this);
  LibTools->SetParent(TabSheet2);
  LibTools->SetAlign(alTop);
  LibList = new TListBox(this);
  LibList->SetParent(TabSheet2);
  LibList->SetAlign(alClient);
  LibList->SetParentFont(false);
  LibList->Font().SetName("Courier New");
  LibList->Font().SetHeight(-13);
  LibList->SetItemHeight(16);
  LibList->SetPopupMenu(LibMenu);
}

void TWorkForm::CreateDialogs() {
  const auto make = [this](auto* dialog, const char* title, const char* filter, const char* defaultExt) {
    dialog->Title = title;
    dialog->Filter = filter;
    dialog->DefaultExt = defaultExt;
    return dialog;
  };
  OpenLib = make(new TOpenDialog(this), "Load Library", "Tarnscript Files (*.tarn;*.tarl)|*.tarn;*.tarl", "");
  OpenVar = make(new TOpenDialog(this), " Load Variable", VariableFilter, "");
  SaveVar = make(new TSaveDialog(this), "Save Variable", VariableFilter, ".xvar");
  OpenWork = make(new TOpenDialog(this), "Load Workspace", WorkspaceFilter, "");
  SaveWork = make(new TSaveDialog(this), "Save Workspace", WorkspaceFilter, ".xws");
  for (TSaveDialog* dialog : {SaveVar, SaveWork}) dialog->Options |= ofOverwritePrompt;
}

// ---------------------------------------------------------------- settings and lifecycle

void TWorkForm::ReadOwnKeys(TStorage& storage) {
  pnlLeft->SetWidth(static_cast<int>(storage.ReadInteger("TreeWidth", pnlLeft->Width())));
  TDataTreeColumns& columns = VarTree->Header().Columns();
  for (TColumnIndex i = 0; i < columns.Count(); ++i) {
    TDataTreeColumn& column = columns.ColumnAt(i);
    column.SetWidth(static_cast<int>(storage.ReadInteger("DTREE_" + std::to_string(i), column.Width())));
  }
}

void TWorkForm::WriteOwnKeys(TStorage& storage) {
  storage.WriteInteger("TreeWidth", pnlLeft->Width());
  TDataTreeColumns& columns = VarTree->Header().Columns();
  for (TColumnIndex i = 0; i < columns.Count(); ++i)
    storage.WriteInteger("DTREE_" + std::to_string(i), columns.ColumnAt(i).Width());
}

bool TWorkForm::CanResize(int& newWidth, int& newHeight) {
  newWidth = std::max(newWidth, MinWidth);
  newHeight = std::max(newHeight, MinHeight);
  return TToolForm::CanResize(newWidth, newHeight);
}

// A rebuild put off while the window was hidden happens now.
void TWorkForm::FormShow() {
  if (!treeCurrent_) RebuildVariables();
  UpdateHeapStatus();
}

void TWorkForm::FormActivate() {
  if (!FirstActivation) return;
  actRefresh->Execute();
  FirstActivation = false;
}

// ---------------------------------------------------------------- lists

// A hidden window only forgets its rows (which may name variables that are
// about to go) and rebuilds them when it shows.
void TWorkForm::EngineChanged(std::uint8_t what) {
  if (what == dcEverything || what == dcVariables) {
    if (Visible()) {
      RebuildVariables();
    } else {
      treeCurrent_ = false;
      ++rebuilds_;
      if (VarTree->RootNodeCount() > 0) VarTree->Clear();
    }
  }
  if (what == dcEverything || what == dcLibraryLoaded || what == 5) RebuildLibraries();
  if (Visible()) UpdateHeapStatus();
}

void TWorkForm::RebuildVariables() {
  treeCurrent_ = true;
  ++rebuilds_;
  VarTree->Clear();
  {
    TTreeUpdate update(*VarTree);
    workInt_->Enumerate(*Engine, 0);
    SortVariables();
  }
  SyncEditorTabs();
}

// The list is filled unsorted, in the engine's order, then kept sorted.
void TWorkForm::RebuildLibraries() {
  LibList->Items().Clear();
  LibList->SetSorted(false);
  if (AddVarDlg) AddVarDlg->BeginKinds();
  workInt_->Enumerate(*Engine, 1);
  if (AddVarDlg) AddVarDlg->EndKinds();
  LibList->SetSorted(true);
}

// The libraries loaded from files: every built-in one, Workspace among them, is left out.
void TWorkForm::AddLibraryEntry(TLib* lib) {
  if (lib && !lib->BuiltIn()) LibList->Items().Add(" " + lib->Name());
}

void TWorkForm::SetStatusText(const std::string& text) { StatusBar->Panels()[1].SetText(text); }

void TWorkForm::UpdateHeapStatus() { StatusBar->Panels()[0].SetText(HeapStatusText(HeapBytesInUse())); }
