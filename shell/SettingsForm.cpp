// The settings window: its pages and buttons, loading and storing, the options.

#include "shell/SettingsForm.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "console/Console.h"
#include "console/Sounds.h"
#include "console/Syntax.h"
#include "engine/Value.h"
#include "runtime/Help.h"
#include "runtime/Params.h"
#include "shell/ActionBars.h"
#include "shell/DialogLayout.h"
#include "shell/LibMan.h"
#include "shell/MainForm.h"
#include "shell/WindowParams.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/GroupBox.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/ListView.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/win/Keys.h"

TSettingsForm* SettingsForm = nullptr;

namespace {

constexpr int MinMantissa = 1;
constexpr int MaxMantissa = 18;
constexpr int MinExponent = 1;
constexpr int MaxExponent = 4;

// What the console prints with, for a value the settings may hold outside
// the page's range: OK then writes back what the console already prints.
std::int64_t ShownMantissa(std::int64_t stored) {
  return stored >= MinMantissa && stored <= MaxMantissa ? stored : PrintedMantissa(stored);
}

// No exponent digits and one print alike.
std::int64_t ShownExponent(std::int64_t stored) {
  return stored >= MinExponent && stored <= MaxExponent ? stored : std::max(MinExponent, PrintedExponentDigits(stored));
}

}  // namespace

TSettingsForm::TSettingsForm(TComponent* owner) : TForm(owner) {
  if (!SettingsForm) SettingsForm = this;
  ShapeDialog(*this, " Settings", bsToolWindow, 579, 408);
  Syntax = std::make_unique<TSyntax>();
  Syntax->Classifier = MainForm->Syntax->Classifier;
  CreateActions();
  CreatePages();
  CreateButtons();
  CreateDialogs();
  Libraries = std::make_unique<TLibMan>("", nullptr);
  SetActiveControl(PageControl);
}

// The preview goes before the syntax it paints with.
TSettingsForm::~TSettingsForm() {
  delete Preview;
  Preview = nullptr;
  Libraries.reset();
  if (SettingsForm == this) SettingsForm = nullptr;
}

void TSettingsForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  ApplyWinsInTask(params, TWindowRole::ModalDialog, MainForm ? MainForm->Handle() : nullptr);
}

// ---------------------------------------------------------------- making the window

void TSettingsForm::CreateActions() {
  ActionList = new TActionList(this);
  actHelp = MakeAction(this, ActionList, {"Help", "", "F1"});
  actHelp->OnExecute = [](TObject*) { ShowHelp("a1_02_03.htm"); };
  CreateListActions();
}

void TSettingsForm::CreatePages() {
  PageControl = Place<TPageControl>(this, this, 8, 8, 563, 357);
  const auto page = [this](const char* caption) {
    auto* sheet = new TTabSheet(this);
    sheet->SetCaption(caption);
    sheet->SetPageControl(PageControl);
    return sheet;
  };
  LibrariesPage = page(" Libraries ");
  ColoursPage = page(" Colours ");
  SoundsPage = page(" Sounds ");
  OptionsPage = page(" Options ");
  CreateLibrariesPage();
  CreateColoursPage();
  CreateSoundsPage();
  CreateOptionsPage();
  PageControl->SetActivePage(LibrariesPage);
}

void TSettingsForm::CreateButtons() {
  const TDialogButtons buttons = PlaceDialogButtons(*this, 330, 375);
  OKButton = buttons.OK;
  CancelButton = buttons.Cancel;
  HelpButton = buttons.Help;
  HelpButton->OnClick = [this](TObject*) { actHelp->Execute(); };
}

void TSettingsForm::CreateOptionsPage() {
  TWinControl* page = OptionsPage;
  auto* windows = Place<TGroupBox>(this, page, " Windows ", 8, 8, 265, 72);
  chkOnTop = Place<TCheckBox>(this, windows, " Console window stay on top", 12, 20, 240, 17);
  chkTaskbar = Place<TCheckBox>(this, windows, " Show windows in the taskbar ", 12, 44, 240, 17);
  auto* output = Place<TGroupBox>(this, page, " Output settings ", 8, 88, 265, 104);
  Place<TLabel>(this, output, "Mantissa", 12, 24, 60, 13);
  edtMan = Place<TEdit>(this, output, 84, 20, 49, 21);
  Place<TLabel>(this, output, "Exponent", 12, 52, 60, 13);
  edtExp = Place<TEdit>(this, output, 84, 48, 49, 21);
  chkUseShow = Place<TCheckBox>(this, output, "Use \"Show\" in the console", 12, 78, 240, 17);
  edtMan->OnChange = [this](TObject*) { ShowValidity(*edtMan, MinMantissa, MaxMantissa); };
  edtExp->OnChange = [this](TObject*) { ShowValidity(*edtExp, MinExponent, MaxExponent); };
  auto* workspace = Place<TGroupBox>(this, page, " Workspace ", 282, 8, 265, 72);
  chkVEdit = Place<TCheckBox>(this, workspace, " Edit vectors in tree", 12, 20, 240, 17);
  chkMEdit = Place<TCheckBox>(this, workspace, " Edit matrices in tree", 12, 44, 240, 17);
  auto* evaluator = Place<TGroupBox>(this, page, " Evaluator ", 282, 88, 265, 48);
  chkUseExpr = Place<TCheckBox>(this, evaluator, " Use expression editors", 12, 20, 240, 17);
  auto* clipboard = Place<TGroupBox>(this, page, " Clipboard ", 282, 144, 265, 48);
  chkClip = Place<TCheckBox>(this, clipboard, " Copy result to clipboard", 12, 20, 240, 17);
  chkClip->Hint = " Copy evaluation results to the system clipboard ";
}

void TSettingsForm::CreateDialogs() {
  OpenDialog = new TOpenDialog(this);
  OpenDialog->Filter = "Tarnscript Libraries (*.tarn)|*.tarn|All Files (*.*)|*.*";
  OpenSound = new TOpenDialog(this);
  OpenSound->Filter = "Sounds (*.wav)|*.wav|All Files (*.*)|*.*";
}

// ---------------------------------------------------------------- loading and storing

void TSettingsForm::LoadConsole(TConsole& console) {
  showing_ = true;
  Preview->CopyLookFrom(console);
  Preview->RefreshView();
  // A scheme names what the preview shows only once it was chosen here.
  cmbScheme->SetItemIndex(0);
  lsbElement->SetItemIndex(0);
  lsbSyntax->Items().Clear();
  for (int kind = skText; kind <= skBinary; ++kind) lsbSyntax->Items().Add(" " + Syntax->Attrs().GetAttr(kind).Name());
  lsbSyntax->SetItemIndex(0);
  chkOnTop->SetChecked(Params.MainOnTop);
  chkTaskbar->SetChecked(Params.WinsInTask);
  edtMan->SetText(std::to_string(ShownMantissa(Params.FMantissa)));
  edtExp->SetText(std::to_string(ShownExponent(Params.FExponent)));
  chkUseShow->SetChecked(Params.UseShow);
  chkMEdit->SetChecked(Params.MEditTree);
  chkVEdit->SetChecked(Params.VEditTree);
  chkUseExpr->SetChecked(Params.UseExpr);
  chkClip->SetChecked(Params.CopyClip);
  showing_ = false;
  lsbElementClick();
  lsbSyntaxClick();
}

TConsole& TSettingsForm::ApplyOptions() {
  Params.MainOnTop = chkOnTop->Checked();
  if (MainForm) MainForm->SetFormStyle(Params.MainOnTop ? fsStayOnTop : fsNormal);
  Params.WinsInTask = chkTaskbar->Checked();
  if (ValidateInt(edtMan->Text(), MinMantissa, MaxMantissa)) Params.FMantissa = std::stoi(edtMan->Text());
  if (ValidateInt(edtExp->Text(), MinExponent, MaxExponent)) Params.FExponent = std::stoi(edtExp->Text());
  Params.UseShow = chkUseShow->Checked();
  Params.VEditTree = chkVEdit->Checked();
  Params.MEditTree = chkMEdit->Checked();
  Params.UseExpr = chkUseExpr->Checked();
  Params.CopyClip = chkClip->Checked();
  return *Preview;
}

bool TSettingsForm::ValidateInt(const std::string& text, int min, int max) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return false;
  return min >= max || (value >= min && value <= max);
}

void TSettingsForm::ShowValidity(TEdit& edit, int min, int max) {
  edit.Font().SetColor(ValidateInt(edit.Text(), min, max) ? clWindowText : clRed);
}
