// The workspace window's editors: a scalar's value in its cell, a vector
// or a matrix in a tab of the right-hand page control, and the commands of
// the tabs. Edit starts and tab closings are posted, so that they happen
// after the click or key that asked for them; a posted start whose tree
// has been rebuilt since, or a closing whose tab is gone, does nothing.

#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "engine/Var.h"
#include "runtime/Params.h"
#include "shell/ActionBars.h"
#include "shell/MatEdit.h"
#include "shell/MatSizeDlg.h"
#include "shell/WorkForm.h"
#include "shell/XDTEditor.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "treeview/DataStringTree.h"

namespace {

constexpr UINT WM_EDITNODE = 3029;
constexpr UINT WM_CLOSEEDITOR = 4029;
constexpr TColumnIndex ValueColumn = 1;

}  // namespace

void TWorkForm::CreateEditorActions() {
  const auto idle = [this] { return !Engine->IsRunning(); };
  actEdit->OnExecute = [this](TObject*) { EditSelected(); };
  EnableWhen(actEdit, [this, idle] {
    const PDataNode node = VarTree->FirstSelectedNode();
    return idle() && node && (IsInPlaceEditable(node) || IsMatrixEditable(node));
  });
  actMESize->OnExecute = [this](TObject*) { ResizeEditorVariable(); };
  EnableWhen(actMESize, [this, idle] { return idle() && ActiveEditorTab(); });
  actMECut->OnExecute = [this](TObject*) { CutEditorSelection(); };
  EnableWhen(actMECut, [this] { return ActiveEditorTab() && ActiveEditorTab()->Editor->CanCut(); });
  actMECopy->OnExecute = [this](TObject*) { CopyEditorSelection(); };
  actMEPaste->OnExecute = [this](TObject*) { PasteIntoEditor(false); };
  actMEPasteT->OnExecute = [this](TObject*) { PasteIntoEditor(true); };
  for (TAction* paste : {actMEPaste, actMEPasteT})
    EnableWhen(paste, [this] { return ActiveEditorTab() && ActiveEditorTab()->Editor->CanPaste(); });
  actMEClose->OnExecute = [this](TObject*) {
    if (TMETab* tab = ActiveEditorTab()) PostMessage(Handle(), WM_CLOSEEDITOR, 0, reinterpret_cast<LPARAM>(tab));
  };
  EnableWhen(actMEClose, [this] { return ActiveEditorTab() != nullptr; });
}

void TWorkForm::ConnectTreeEditors() {
  VarTree->OnColumnDblClick = [this](TBaseDataTree*, TColumnIndex column, TShiftState) {
    if (column == ValueColumn) EditSelected();
  };
  VarTree->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
    if (key != VK_RETURN || shift != 0) return;
    key = 0;
    EditSelected();
  };
  // Edits the tree starts by itself (a second click) come here too; the
  // editor refuses what it cannot edit. A running script owns the values.
  VarTree->OnEditing = [this](TBaseDataTree*, PDataNode, TColumnIndex, bool& allowed) {
    allowed = !Engine->IsRunning();
  };
  VarTree->OnCreateEditor = [this](TBaseDataTree*, PDataNode node, TColumnIndex, CountedPtr<IDTEditLink>& link) {
    link = CreateCellEditor(node);
  };
}

CountedPtr<IDTEditLink> TWorkForm::CreateCellEditor(PDataNode node) {
  EditLink = nullptr;
  if (!node) return EditLink;
  EditLink = MakeCounted<TXDTEditor>(NodeVariable(node), Engine.get());
  return EditLink;
}

bool TWorkForm::IsMatrixEditable(PDataNode node) {
  auto* array = dynamic_cast<TArrVar*>(NodeVariable(node));
  if (!array || node->Parent != VarTree->RootNode()) return false;
  if (array->Name() == "ans" || array->Name() == "selection") return false;
  return (!Params.MEditTree && SameKind(array->Kind(), FindKind("matrix"))) ||
         (!Params.VEditTree && SameKind(array->Kind(), FindKind("vector")));
}

void TWorkForm::EditSelected() {
  const PDataNode node = VarTree->FirstSelectedNode();
  if (!node || Engine->IsRunning()) return;
  if (IsInPlaceEditable(node))
    PostMessage(Handle(), WM_EDITNODE, reinterpret_cast<WPARAM>(node), static_cast<LPARAM>(rebuilds_));
  else if (IsMatrixEditable(node))
    OpenMatrixEditor(node);
}

void TWorkForm::Dispatch(TMessage& message) {
  if (message.Msg == WM_EDITNODE) {
    WMEditNode(reinterpret_cast<PDataNode>(message.WParam), static_cast<std::uint64_t>(message.LParam));
    return;
  }
  if (message.Msg == WM_CLOSEEDITOR) {
    WMCloseEditor(reinterpret_cast<TMETab*>(message.LParam));
    return;
  }
  TToolForm::Dispatch(message);
}

void TWorkForm::WMEditNode(PDataNode node, std::uint64_t rebuild) {
  if (StartingEdit || rebuild != rebuilds_ || Engine->IsRunning()) return;
  StartingEdit = true;
  try {
    VarTree->StartNodeEdit(node, ValueColumn);
  } catch (...) {
    StartingEdit = false;
    throw;
  }
  StartingEdit = false;
}

// ---------------------------------------------------------------- tabs

TMETab* TWorkForm::EditorTabOf(const TVar* var) {
  for (int i = 0; i < MainPages->PageCount(); ++i)
    if (auto* tab = dynamic_cast<TMETab*>(MainPages->Pages(i)); tab && tab->Editor->Var == var) return tab;
  return nullptr;
}

TMETab* TWorkForm::ActiveEditorTab() { return dynamic_cast<TMETab*>(MainPages->ActivePage()); }

void TWorkForm::OpenMatrixEditor(PDataNode node) {
  auto* array = dynamic_cast<TArrVar*>(NodeVariable(node));
  if (!array) return;
  TMETab* tab = EditorTabOf(array);
  if (!tab) {
    tab = new TMETab(*Engine, *VarTree);
    tab->SetPageControl(MainPages);
    tab->SetPopupMenu(MEMenu);
    TMatEdit& editor = *tab->Editor;
    AddToolButtons(*editor.METools,
                   {actMESize, nullptr, actMECut, actMECopy, actMEPaste, nullptr, actMEClose, nullptr});
    editor.METools->SetImages(Actions->Images);
    TToolButton* paste = editor.METools->Buttons(4);
    paste->SetStyle(tbsDropDown);
    paste->DropdownMenu = PasteMenu;
  }
  tab->Editor->LoadVariable(array, node, true);
  MainPages->SetActivePage(tab);
}

void TWorkForm::SyncEditorTabs() {
  for (int i = 0; i < MainPages->PageCount();) {
    auto* tab = dynamic_cast<TMETab*>(MainPages->Pages(i));
    PDataNode found = nullptr;
    if (tab)
      for (PDataNode node = VarTree->FirstRootNodeRaw(); node && !found; node = node->NextSibling)
        if (NodeData(node)->Var == tab->Editor->Var) found = node;
    if (found) {
      tab->Editor->LoadVariable(tab->Editor->Var, found, false);
      ++i;
    } else {
      CloseEditorTab(tab);
    }
  }
}

void TWorkForm::RunEnded() {
  for (int i = 0; i < MainPages->PageCount(); ++i)
    if (auto* tab = dynamic_cast<TMETab*>(MainPages->Pages(i))) tab->Editor->RunEnded();
}

void TWorkForm::CloseEditorTab(TMETab* tab) {
  tab->SetPopupMenu(nullptr);
  tab->SetPageControl(nullptr);
  delete tab;
}

void TWorkForm::WMCloseEditor(TMETab* tab) {
  for (int i = 0; i < MainPages->PageCount(); ++i)
    if (MainPages->Pages(i) == tab) return CloseEditorTab(tab);
}

void TWorkForm::CopyEditorSelection() {
  if (TMETab* tab = ActiveEditorTab()) tab->Editor->CopySelection();
}

void TWorkForm::CutEditorSelection() {
  TMETab* tab = ActiveEditorTab();
  if (!tab || !tab->Editor->CanCut()) return;
  tab->Editor->Cut();
  Engine->NotifyDataClients(dcVariables);
}

void TWorkForm::PasteIntoEditor(bool transposed) {
  TMETab* tab = ActiveEditorTab();
  if (!tab || !tab->Editor->CanPaste()) return;
  tab->Editor->Paste(transposed);
  Engine->NotifyDataClients(dcVariables);
}

// The size asked keeps the values inside both sizes. The variable is found
// again after the dialog: its message loop may have rebuilt the tabs.
void TWorkForm::ResizeEditorVariable() {
  TMETab* tab = ActiveEditorTab();
  if (!tab || !MatSizeDlg) return;
  TMatEdit& editor = *tab->Editor;
  MatSizeDlg->SetIsMatrix(!editor.IsVector);
  MatSizeDlg->SetRows(ArrLength(editor.Var));
  if (!editor.IsVector) MatSizeDlg->SetCols(MatColCount(*editor.Var));
  if (MatSizeDlg->ShowModal() != mrOk || Engine->IsRunning()) return;
  tab = ActiveEditorTab();
  if (!tab || !MatSizeDlg->IsValid()) return;
  TMatEdit& shown = *tab->Editor;
  if (shown.IsVector)
    SetVecSize(*shown.Var, MatSizeDlg->GetRows(), false);
  else
    SetMatSize(*shown.Var, MatSizeDlg->GetRows(), MatSizeDlg->GetCols(), false);
  shown.LoadVariable(shown.Var, shown.Node, true);
}
