#include "shell/AddVarDlg.h"

#include "engine/Kind.h"
#include "engine/Lib.h"
#include "runtime/AsciiCase.h"
#include "runtime/Help.h"
#include "shell/ActionBars.h"
#include "shell/DialogLayout.h"
#include "shell/WindowParams.h"
#include "shell/WorkForm.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/TreeView.h"

TAddVarDlg* AddVarDlg = nullptr;

namespace {

constexpr int FontHeight = -13;

// The group of a kind code (GroupNames); -1 for a kind offered nowhere.
int GroupOf(TKindCode code) {
  switch (code) {
    case kcInteger:
    case kcChar:
    case kcReal:
    case kcBoolean:
    case kcString: return 0;
    case kcArray: return 1;
    case kcRecord: return 2;
    case kcEnum: return 3;
    case kcSet: return 4;
    default: return -1;
  }
}

// The built-in libraries' own enumerations, sets, records and classes serve their routines, not the user.
bool BuiltInCompound(const TKind& kind) {
  const TKindCode code = kind.Code();
  return kind.Lib() && kind.Lib()->BuiltIn() &&
         (code == kcEnum || code == kcSet || code == kcRecord || code == kcClass);
}

void UseCourier(TControl& control) {
  control.SetParentFont(false);
  control.Font().SetName("Courier New");
  control.Font().SetHeight(FontHeight);
}

}  // namespace

TAddVarDlg::TAddVarDlg(TComponent* owner, CountedPtr<ITarnscript> engine) : TForm(owner), engine_(std::move(engine)) {
  SetCaption(" New Variable");
  SetBorderStyle(bsToolWindow);
  Position = poScreenCenter;
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  SetClientSize(260, 353);
  CreateControls();
  SetActiveControl(NameEdit);
  OnActivate = [this](TObject*) { NameEditChange(); };
  OnShow = [this](TObject*) { SetActiveControl(NameEdit); };
}

void TAddVarDlg::CreateControls() {
  Actions = new TActionList(this);
  actOK = MakeAction(this, Actions, {"OK"});
  EnableWhen(actOK, [this] { return CanAccept(); });
  OnExecute(actOK, [this] { SetModalResult(mrOk); });

  NameEdit = new TLabeledEdit(this);
  NameEdit->SetParent(this);
  NameEdit->EditLabel().SetCaption("Variable Name");
  UseCourier(*NameEdit);
  NameEdit->SetBounds(8, 24, 244, NameEdit->Height());
  NameEdit->OnChange = [this](TObject*) { NameEditChange(); };

  Label1 = new TLabel(this);
  Label1->SetParent(this);
  Label1->SetCaption("Variable Type");
  Label1->SetBounds(8, 60, 100, 13);
  KindTree = new TTreeView(this);
  KindTree->SetParent(this);
  UseCourier(*KindTree);
  KindTree->SetBounds(8, 76, 244, 236);
  KindTree->SetReadOnly(true);
  KindTree->SetIndent(19);
  KindTree->SetHideSelection(false);
  KindTree->OnCustomDrawItem = [this](TObject*, TTreeNode* node, TCustomDrawState, bool&) {
    KindTreeCustomDrawItem(node);
  };
  KindTree->OnDblClick = [this](TObject*) { KindTreeDblClick(); };

  const TDialogButtons buttons = PlaceDialogButtons(*this, 8, 320);
  Button1 = buttons.OK;
  Button1->SetAction(actOK);
  Button2 = buttons.Cancel;
  Button3 = buttons.Help;
  Button3->OnClick = [](TObject*) { ShowHelp("a1_02_12.htm"); };
}

// With WinsInTask the workspace window owns the dialog.
void TAddVarDlg::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  ApplyWinsInTask(params, TWindowRole::ModalDialog, WorkForm ? WorkForm->Handle() : nullptr);
}

void TAddVarDlg::BeginKinds() {
  TTreeNodes& items = KindTree->Items();
  items.BeginUpdate();
  items.Clear();
  KindTree->SetSortType(stNone);
  for (int i = 0; i < GroupCount; ++i) groups_[i] = items.Add(nullptr, GroupNames[i]);
}

// In the order the engine reports the types.
TTreeNode* TAddVarDlg::AddKind(TKind* kind) {
  if (!kind || !kind->HasName() || BuiltInCompound(*kind)) return nullptr;
  const int group = GroupOf(kind->Code());
  if (group < 0 || !groups_[group]) return nullptr;
  return KindTree->Items().AddChildObject(groups_[group], kind->GetText(true), kind);
}

// The first group is the first row, so a tree filled again shows it at the top.
void TAddVarDlg::EndKinds() {
  for (TTreeNode* group : groups_)
    if (group) group->Expand(false);
  KindTree->Items().EndUpdate();
}

TKind* TAddVarDlg::SelectedKind() {
  TTreeNode* node = KindTree->Selected();
  return node && node->Parent() ? static_cast<TKind*>(node->Data) : nullptr;
}

std::string TAddVarDlg::GetVarName() const { return NameEdit->Text(); }

void TAddVarDlg::SetVarName(const std::string& name) {
  if (!SameAsciiText(NameEdit->Text(), name)) NameEdit->SetText(name);
}

bool TAddVarDlg::IsNameFree(const std::string& name) { return !name.empty() && engine_->IsFreeIdentifier(name); }

bool TAddVarDlg::CanAccept() { return IsNameFree(GetVarName()) && (NameOnly || SelectedKind()); }

void TAddVarDlg::NameEditChange() {
  NameEdit->Font().SetColor(IsNameFree(GetVarName()) ? clWindowText : clRed);
  KindTree->SetEnabled(!NameOnly);
  KindTree->SetColor(NameOnly ? clBtnFace : clWindow);
}

// A group only opens or closes, as the tree does by itself.
void TAddVarDlg::KindTreeDblClick() {
  TTreeNode* node = KindTree->Selected();
  if (!node || !node->Parent()) return;
  actOK->Update();
  if (actOK->Enabled()) SetModalResult(mrOk);
}

void TAddVarDlg::KindTreeCustomDrawItem(TTreeNode* node) {
  KindTree->Canvas().Font().SetStyle(node && !node->Parent() ? fsBold : 0);
}
