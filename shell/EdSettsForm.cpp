#include "shell/EdSettsForm.h"

#include <algorithm>
#include <functional>

#include "console/Syntax.h"
#include "runtime/Help.h"
#include "runtime/Params.h"
#include "shell/DialogLayout.h"
#include "shell/EditorForm.h"
#include "shell/MainForm.h"
#include "shell/WindowParams.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ColorBox.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/GroupBox.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/Panel.h"

TEdSettsForm* EdSettsForm = nullptr;

namespace {

constexpr const char* GutterWidths[] = {" 8 ", " 16", " 24", " 32", " 40", " 48", " 56", " 64", " 72", " 80"};
constexpr int GutterStep = 8;
constexpr int UnusedGutterWidthIndex = 5;  // 48 pixels, offered when the gutter is off

constexpr const char* SchemeNames[] = {" No highlight ", " Custom", " Default", " Classic", " Midnight", " Blues", " Soft"};
enum TSchemeIndex { NoHighlight, Custom, Default, FirstNamedScheme };

// A named scheme: the background, then the colours of the token classes.
// Every class but Binaries and Gutter takes the base colour without style
// first; Binaries takes the Hexs' colour; the gutter text stays.
struct TEditorScheme {
  TColor Background;
  TColor Base;
  TColor Reserved;  // bold
  TColor Comments;
  TFontStyles CommentStyle;
  TColor Symbols;
  TColor Strings;
  TColor Numbers;  // Integers and Floats
  TColor Hexs;     // Hexs and Binaries
};

constexpr TEditorScheme NamedSchemes[] = {
    // Classic
    {clNavy, clYellow, clWhite, clSilver, 0, clYellow, clFuchsia, clLime, clLime},
    // Midnight
    {clBlack, clWhite, clAqua, clSilver, fsItalic, clAqua, clYellow, clFuchsia, clLime},
    // Blues
    {clSkyBlue, clNavy, clBlue, clGray, fsItalic, clBlue, clPurple, clMaroon, clGreen},
    // Soft
    {clGray, clWhite, clYellow, clNavy, fsItalic, clSkyBlue, clAqua, clLime, clLime},
};

constexpr const char* PreviewLines[] = {
    "(* Syntax Highlighting *)", "procedure Example;",       "// single line comment",
    "var ",                      "     a, b : float;",       "     c : string;",
    "begin",                     "     a := 123 + $FF - 3.1415;", "     b := sqrt( Pi + #1010 );",
    "     c := 'Hello' + 'World';", "end;",
};

constexpr TColorBoxStyle NamedColours = cbStandardColors | cbExtendedColors | cbSystemColors | cbPrettyNames;

void ApplyNamedScheme(TSymAttrs& attrs, const TEditorScheme& scheme) {
  for (int kind = skText; kind <= skType; ++kind) {
    attrs.GetAttr(kind).Color = scheme.Base;
    attrs.GetAttr(kind).Styles = 0;
  }
  attrs.Reserved().Color = scheme.Reserved;
  attrs.Reserved().Styles = fsBold;
  attrs.Comments().Color = scheme.Comments;
  attrs.Comments().Styles = scheme.CommentStyle;
  attrs.Symbols().Color = scheme.Symbols;
  attrs.Strings().Color = scheme.Strings;
  attrs.Integers().Color = attrs.Floats().Color = scheme.Numbers;
  attrs.Hexs().Color = attrs.Binaries().Color = scheme.Hexs;
  attrs.Binaries().Styles = 0;
}

}  // namespace

TEdSettsForm::TEdSettsForm(TComponent* owner) : TForm(owner) {
  if (!EdSettsForm) EdSettsForm = this;
  ShapeDialog(*this, "Editor Settings", bsDialog, 520, 440);
  Syntax = std::make_unique<TSyntax>();
  Syntax->Classifier = MainForm->Syntax->Classifier;
  PageControl = Place<TPageControl>(this, this, 8, 8, 504, 392);
  GeneralPage = new TTabSheet(this);
  GeneralPage->SetCaption("General");
  GeneralPage->SetPageControl(PageControl);
  ColoursPage = new TTabSheet(this);
  ColoursPage->SetCaption("Colours");
  ColoursPage->SetPageControl(PageControl);
  CreateGeneralPage();
  CreateColoursPage();
  CreateButtons();
  PageControl->SetActivePage(GeneralPage);
  SetActiveControl(PageControl);
}

// The preview goes before the syntax it paints with.
TEdSettsForm::~TEdSettsForm() {
  delete Preview;
  Preview = nullptr;
  if (EdSettsForm == this) EdSettsForm = nullptr;
}

void TEdSettsForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  ApplyWinsInTask(params, TWindowRole::ModalDialog, EditorForm ? EditorForm->Handle() : nullptr);
}

// ---------------------------------------------------------------- making the dialog

void TEdSettsForm::CreateGeneralPage() {
  TWinControl* page = GeneralPage;
  auto* gutter = Place<TGroupBox>(this, page, " Gutter ", 8, 8, 230, 100);
  chkGutter = Place<TCheckBox>(this, gutter, "Enable", 12, 20, 200, 17);
  Place<TLabel>(this, gutter, "Width", 12, 48, 50, 13);
  cmbGutWidth = PlaceDropDownList(this, gutter, GutterWidths, 64, 44, 64);
  chkGutLines = Place<TCheckBox>(this, gutter, "Line numbers", 12, 74, 200, 17);
  auto* saving = Place<TGroupBox>(this, page, " Saving ", 250, 8, 230, 72);
  chkSaveAuto = Place<TCheckBox>(this, saving, "Save automatically", 12, 20, 200, 17);
  chkPrompt = Place<TCheckBox>(this, saving, "Prompt user", 12, 44, 200, 17);
  auto* profiling = Place<TGroupBox>(this, page, " Profiling ", 250, 88, 230, 72);
  chkExectime = Place<TCheckBox>(this, profiling, "Show execution time ", 12, 20, 200, 17);
  chkShowmem = Place<TCheckBox>(this, profiling, "Show memory allocated", 12, 44, 200, 17);

  chkGutter->OnClick = [this](TObject*) { chkGutterClick(); };
  cmbGutWidth->OnChange = [this](TObject*) {
    ChangePreview([&](TEditorColors& colors) { colors.GutterWidth = (cmbGutWidth->ItemIndex() + 1) * GutterStep; });
  };
  chkGutLines->OnClick = [this](TObject*) {
    ChangePreview([&](TEditorColors& colors) { colors.GutLines = chkGutLines->Checked(); });
  };
  chkSaveAuto->OnClick = [this](TObject*) { EnablePrompt(); };
}

void TEdSettsForm::CreateColoursPage() {
  TWinControl* page = ColoursPage;
  Place<TLabel>(this, page, "Colour schemes", 8, 0, 150, 13);
  cmbScheme = PlaceDropDownList(this, page, SchemeNames, 8, 14, 150);
  cmbScheme->SetItemIndex(Default);
  Place<TLabel>(this, page, "Elements", 8, 40, 150, 13);
  lsbElement = Place<TListBox>(this, page, 8, 54, 150, 232);
  Place<TLabel>(this, page, "Editor colour", 170, 0, 150, 13);
  clbEditor = PlaceColorBox(this, page, NamedColours | cbCustomColor, 170, 14, 150);
  Place<TLabel>(this, page, "Element colour", 170, 40, 150, 13);
  clbElement = PlaceColorBox(this, page, NamedColours | cbCustomColor, 170, 54, 150);
  chkBold = Place<TCheckBox>(this, page, "Bold", 170, 82, 60, 17);
  chkItalic = Place<TCheckBox>(this, page, "Italic", 236, 82, 60, 17);
  Place<TLabel>(this, page, "Gutter colour", 332, 0, 150, 13);
  clbGutter = PlaceColorBox(this, page, NamedColours, 332, 14, 160);
  Place<TLabel>(this, page, "Preview", 170, 106, 150, 13);
  PreviewPanel = Place<TPanel>(this, page, 170, 120, 322, 236);
  PreviewPanel->SetBevelOuter(bvLowered);
  CreatePreview();

  cmbScheme->OnChange = [this](TObject*) { cmbSchemeChange(); };
  lsbElement->OnClick = [this](TObject*) { lsbElementClick(); };
  clbElement->OnChange = [this](TObject*) { ChangeElement(clbElement->Selected(), SelectedAttr().Styles); };
  const auto styleClick = [this](TObject*) {
    const TFontStyles others = SelectedAttr().Styles & ~(fsBold | fsItalic);
    ChangeElement(SelectedAttr().Color, others | (chkBold->Checked() ? fsBold : 0) | (chkItalic->Checked() ? fsItalic : 0));
  };
  chkBold->OnClick = styleClick;
  chkItalic->OnClick = styleClick;
  clbEditor->OnChange = [this](TObject*) { clbEditorChange(); };
  clbGutter->OnChange = [this](TObject*) {
    ChangePreview([&](TEditorColors& colors) { colors.GutterColor = clbGutter->Selected(); });
  };
}

void TEdSettsForm::CreatePreview() {
  Preview = new TTarnEditor(PreviewPanel);
  Preview->SetParent(PreviewPanel);
  Preview->SetAlign(alClient);
  Preview->Syntax = Syntax.get();
  Preview->HideCaret = true;
  std::string text;
  for (const char* line : PreviewLines) text += std::string(line) + "\n";
  Preview->Lines().SetText(text);
  Preview->SetFlagProperty(1, true);
  Preview->Modified = false;
}

void TEdSettsForm::CreateButtons() {
  const TDialogButtons buttons = PlaceDialogButtons(*this, 271, 408);
  OKButton = buttons.OK;
  CancelButton = buttons.Cancel;
  HelpButton = buttons.Help;
  HelpButton->OnClick = [](TObject*) { ShowHelp("a1_02_05.htm"); };
}

// ---------------------------------------------------------------- loading and reading back

void TEdSettsForm::SetSymAttrs(const TSymAttrs& attrs) {
  Syntax->Attrs().Assign(attrs);
  lsbElement->Items().Clear();
  for (int kind = 0; kind < SymKindCount; ++kind) lsbElement->Items().Add(" " + Syntax->Attrs().GetAttr(kind).Name());
  lsbElement->SetItemIndex(0);
  lsbElementClick();
  Preview->Repaint();
}

const TSymAttrs& TEdSettsForm::GetSymAttrs() const { return Syntax->Attrs(); }

// A width the list does not offer shows its nearest entry; the preview
// keeps the width until the user chooses one.
void TEdSettsForm::SetEditorSetts(const TEditorSetts& setts) {
  Preview->SetColors(setts);
  showing_ = true;
  clbEditor->SetSelected(setts.Color);
  clbGutter->SetSelected(setts.GutterColor);
  chkSaveAuto->SetChecked(setts.SaveAuto);
  chkPrompt->SetChecked(setts.SavePrompt);
  chkShowmem->SetChecked(Params.MemTaken);
  chkExectime->SetChecked(Params.ExecTime);
  chkGutter->SetChecked(setts.GutterWidth > 0);
  const int lastWidth = static_cast<int>(std::size(GutterWidths)) - 1;
  cmbGutWidth->SetItemIndex(setts.GutterWidth > 0 ? std::clamp(setts.GutterWidth / GutterStep - 1, 0, lastWidth)
                                                  : UnusedGutterWidthIndex);
  chkGutLines->SetChecked(setts.GutLines);
  showing_ = false;
  EnableGutterControls();
  EnablePrompt();
}

TEditorSetts TEdSettsForm::GetEditorSetts() {
  TEditorSetts setts;
  static_cast<TEditorColors&>(setts) = Preview->GetColors();
  setts.SaveAuto = chkSaveAuto->Checked();
  setts.SavePrompt = chkPrompt->Checked();
  Params.MemTaken = chkShowmem->Checked();
  Params.ExecTime = chkExectime->Checked();
  return setts;
}

TSymAttr& TEdSettsForm::SelectedAttr() { return Syntax->Attrs().GetAttr(std::max(lsbElement->ItemIndex(), 0)); }

// ---------------------------------------------------------------- handlers

void TEdSettsForm::lsbElementClick() {
  const TSymAttr& attr = SelectedAttr();
  showing_ = true;
  chkBold->SetChecked(attr.Styles & fsBold);
  chkItalic->SetChecked(attr.Styles & fsItalic);
  clbElement->SetSelected(attr.Color);
  showing_ = false;
}

void TEdSettsForm::ChangeElement(TColor color, TFontStyles styles) {
  if (showing_) return;
  SelectedAttr().Color = color;
  SelectedAttr().Styles = styles;
  Preview->Repaint();
  ChooseCustom();
}

void TEdSettsForm::clbEditorChange() {
  if (showing_) return;
  ChangePreview([&](TEditorColors& colors) { colors.Color = clbEditor->Selected(); });
  ChooseCustom();
}

void TEdSettsForm::chkGutterClick() {
  if (showing_) return;
  EnableGutterControls();
  ChangePreview([&](TEditorColors& colors) { colors.GutterWidth = chkGutter->Checked() ? (cmbGutWidth->ItemIndex() + 1) * GutterStep : 0; });
}

void TEdSettsForm::EnableGutterControls() {
  for (TControl* control : std::initializer_list<TControl*>{cmbGutWidth, clbGutter, chkGutLines})
    control->SetEnabled(chkGutter->Checked());
}

void TEdSettsForm::EnablePrompt() { chkPrompt->SetEnabled(!chkSaveAuto->Checked()); }

void TEdSettsForm::cmbSchemeChange() {
  const int scheme = cmbScheme->ItemIndex();
  if (scheme < 0 || scheme == Custom) return;
  TSymAttrs& attrs = Syntax->Attrs();
  TEditorColors colors = Preview->GetColors();
  showing_ = true;
  if (scheme == NoHighlight) {
    attrs.ResetAll();
    colors.Color = clWindow;
  } else if (scheme == Default) {
    attrs.SetDefaults();
    colors.Color = clWindow;
    clbEditor->SetSelected(clWindow);
  } else {
    const TEditorScheme& named = NamedSchemes[scheme - FirstNamedScheme];
    ApplyNamedScheme(attrs, named);
    colors.Color = named.Background;
    clbEditor->SetSelected(named.Background);
  }
  showing_ = false;
  Preview->SetColors(colors);
  lsbElementClick();
}

void TEdSettsForm::ChooseCustom() { cmbScheme->SetItemIndex(Custom); }

void TEdSettsForm::ChangePreview(const std::function<void(TEditorColors& colors)>& change) {
  TEditorColors colors = Preview->GetColors();
  change(colors);
  Preview->SetColors(colors);
}
