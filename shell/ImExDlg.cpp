#include "shell/ImExDlg.h"

#include <filesystem>

#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/Var.h"
#include "engine/data/IOSystem.h"
#include "engine/data/ImpExp.h"
#include "runtime/Help.h"
#include "runtime/Storage.h"
#include "shell/ActionBars.h"
#include "shell/DialogLayout.h"
#include "shell/WindowParams.h"
#include "shell/WorkForm.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/ListView.h"
#include "toolkit/controls/SpeedButton.h"

TImExDlg* ImExDlg = nullptr;

namespace {

constexpr int ListWidth = 377;
constexpr int SpecWidth = 345;

void UseCourier(TControl& control) {
  control.SetParentFont(false);
  control.Font().SetName("Courier New");
  control.Font().SetHeight(-13);
}

void SetEnabledLook(TWinControl& control, bool enabled) {
  control.SetEnabled(enabled);
  control.SetColor(enabled ? clWindow : clBtnFace);
}

}  // namespace

TImExDlg::TImExDlg(TComponent* owner, CountedPtr<ITarnscript> engine) : TForm(owner), engine_(std::move(engine)) {
  SetCaption(" Import Variable");
  SetBorderStyle(bsToolWindow);
  Position = poScreenCenter;
  ShowHint = true;
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  SetClientSize(393, 363);
  CreateControls();
  FillDevices();
}

TListView* TImExDlg::MakeList(int top, int height) {
  auto* list = new TListView(this);
  list->SetParent(this);
  UseCourier(*list);
  list->SetBounds(8, top, ListWidth, height);
  list->SetReadOnly(true);
  list->SetRowSelect(true);
  list->SetHideSelection(false);
  list->SetSortType(stText);
  return list;
}

void TImExDlg::CreateControls() {
  Actions = new TActionList(this);
  actOK = MakeAction(this, Actions, {"OK"});
  EnableWhen(actOK, [this] { return CanAccept(); });
  OnExecute(actOK, [this] { SetModalResult(mrOk); });
  actBrowse = MakeAction(this, Actions, {"", " Browse for a file "});
  OnExecute(actBrowse, [this] { Browse(); });

  DeviceList = MakeList(8, 100);
  DeviceList->Columns().Add()->SetCaption("Devices");
  DeviceList->Columns().Items(0)->SetWidth(133);
  DeviceList->OnSelectItem = [this](TObject*, TListItem*, bool) { DeviceListChange(); };
  FilterList = MakeList(116, 120);
  FilterList->Columns().Add()->SetCaption("Filters");
  FilterList->Columns().Items(0)->SetWidth(133);
  FilterList->Columns().Add()->SetCaption("Type");
  FilterList->Columns().Items(1)->SetWidth(96);

  const auto edit = [this](int top, const char* label, int width, const char* hint) {
    auto* made = new TLabeledEdit(this);
    made->SetParent(this);
    made->EditLabel().SetCaption(label);
    UseCourier(*made);
    made->SetBounds(8, top, width, made->Height());
    made->Hint = hint;
    return made;
  };
  SpecEdit = edit(258, "Device specifier", SpecWidth,
                  " Specifier for the \"Open\" function : file name, port number, address, etc. ");
  narrowSpecWidth_ = SpecEdit->Width();
  BrowseBtn = new TSpeedButton(this);
  BrowseBtn->SetParent(this);
  BrowseBtn->SetBounds(8 + SpecWidth + 8, 258, 24, SpecEdit->Height());
  BrowseBtn->SetAction(actBrowse);
  OptsEdit = edit(298, "Device options", ListWidth, " Additional options that could be required by the device ");

  const TDialogButtons buttons = PlaceDialogButtons(*this, 142, 330);
  Button1 = buttons.OK;
  Button1->SetAction(actOK);
  Button2 = buttons.Cancel;
  Button3 = buttons.Help;
  Button3->OnClick = [](TObject*) { ShowHelp("a1_02_13.htm"); };
  OpenDialog = new TOpenDialog(this);
  OpenDialog->Title = "Select file to import";
  OpenDialog->Filter = "All Files (*.*)|*.*";
  SaveDialog = new TSaveDialog(this);
  SaveDialog->Title = "Select file to export";
  SaveDialog->Filter = "All Files (*.*)|*.*";
  SaveDialog->Options |= ofOverwritePrompt;
}

// With WinsInTask the workspace window owns the dialog.
void TImExDlg::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  ApplyWinsInTask(params, TWindowRole::ModalDialog, WorkForm ? WorkForm->Handle() : nullptr);
}

void TImExDlg::FillDevices() {
  DeviceList->Items().Clear();
  if (IOSystem)
    for (int i = 0; i < IOSystem->PluginCount(); ++i) {
      TListItem* item = DeviceList->Items().Add();
      item->SetCaption(IOSystem->GetPlugin(i).TypeName());
      item->Data = &IOSystem->GetPlugin(i);
    }
  if (DeviceList->Items().Count() > 0) DeviceList->SetItemIndex(0);
  DeviceListChange();
}

void TImExDlg::Setup(TVar* var, bool import) {
  Import = import;
  SetCaption(import ? " Import Variable" : " Export Variable");
  QASSERT(import || var, "an export needs a variable");
  FillFilters(var ? var->Kind() : nullptr);
}

// An import offers what a value of the variable's type can take, an
// export what can take the variable; without a variable every import of
// a type of its own.
void TImExDlg::FillFilters(const TKind* kind) {
  FilterList->Items().Clear();
  const TImpExp& registry = engine_->ImportExport();
  for (int i = 0; i < registry.Count(); ++i) {
    const TImpExpRec& record = registry.GetRecord(i);
    const bool any = record.Kind()->Code() == kcAny;
    bool offered = false;
    if (!kind)
      offered = !any;
    else if (Import)
      offered = any || IsAssignable(kind, record.Kind());
    else
      offered = any || IsAssignable(record.Kind(), kind);
    if (!offered) continue;
    const int count = Import ? record.ImportCount() : record.ExportCount();
    for (int k = 0; k < count; ++k) {
      TFunc* routine = Import ? record.GetImport(k) : record.GetExport(k);
      TListItem* item = FilterList->Items().Add();
      item->SetCaption(routine->Name());
      item->SubItems().Add(record.Kind()->Name());
      item->Data = routine;
    }
  }
  FilterList->AlphaSort();
}

TIOPlugin* TImExDlg::SelectedDevice() {
  TListItem* item = DeviceList->Selected();
  return item ? static_cast<TIOPlugin*>(item->Data) : nullptr;
}

TFunc* TImExDlg::SelectedFilter() {
  TListItem* item = FilterList->Selected();
  return item ? static_cast<TFunc*>(item->Data) : nullptr;
}

std::string TImExDlg::GetSpecifier() { return SpecEdit->Text(); }
std::string TImExDlg::GetOptions() { return OptsEdit->Text(); }

std::string TImExDlg::OpenString() {
  TIOPlugin* device = SelectedDevice();
  return (device ? device->TypeName() : std::string()) + "://" + GetSpecifier() + ":" + GetOptions();
}

bool TImExDlg::CanAccept() {
  return SelectedFilter() && SelectedDevice() && (!SpecEdit->Enabled() || !SpecEdit->Text().empty());
}

// The device's flags decide what the dialog asks: a file name (with the
// browse button), a specifier, options.
void TImExDlg::DeviceListChange() {
  TIOPlugin* device = SelectedDevice();
  const std::uint8_t flags = device ? device->Flags() : 0;
  const bool file = (flags & UsesFileName) != 0;
  actBrowse->SetEnabled(file);
  BrowseBtn->SetVisible(file);
  SpecEdit->SetWidth(file ? narrowSpecWidth_ : OptsEdit->Width());
  SetEnabledLook(*OptsEdit, (flags & UsesOptions) != 0);
  SetEnabledLook(*SpecEdit, (flags & (UsesFileName | UsesSpecifier)) != 0);
}

void TImExDlg::Browse() {
  TOpenDialog& dialog = Import ? static_cast<TOpenDialog&>(*OpenDialog) : *SaveDialog;
  dialog.InitialDir = browseFolder_.empty() && Storage ? Storage->AppFolder : browseFolder_;
  if (!dialog.Execute(Handle())) return;
  browseFolder_ = std::filesystem::path(dialog.FileName).parent_path().string() + "/";
  SpecEdit->SetText(dialog.FileName);
}
