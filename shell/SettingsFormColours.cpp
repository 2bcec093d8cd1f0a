// The settings window's " Colours " page: the looks of the console's line
// kinds and the token colours, edited on the preview console, which shows
// every change at once.

#include "console/Console.h"
#include "console/Syntax.h"
#include "runtime/Exceptions.h"
#include "shell/DialogLayout.h"
#include "shell/Images.h"
#include "shell/SettingsForm.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ColorBox.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/GroupBox.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/Panel.h"

namespace {

constexpr TColorBoxStyle TextColours = cbStandardColors | cbExtendedColors | cbCustomColor | cbPrettyNames;
constexpr TColorBoxStyle BackgroundColours = TextColours | cbSystemColors;

// Index 0 names no scheme; the others are the console's schemes 1..4.
constexpr const char* SchemeNames[] = {" Custom ", " Default", " Black and white", " Monogreen", " Deep blue"};

struct TSampleLine {
  const char* Text;
  std::uint8_t Kind;
};

constexpr TSampleLine SampleLines[] = {
    {"=", lkSplit},
    {"123 * Sin( pi ) + $FF - #1010 // Input", lkInput},
    {"'Hello World!' // Output", lkOutput},
    {"3.1415926 // Result", lkResult},
    {"Information message example", lkInfo},
    {"Warning message example", lkWarning},
    {"Error message example", lkError},
    {"Fatal error message example", lkFatal},
};

constexpr int LineKindCount = 8;

TFontStyles WithStyle(TFontStyles styles, TFontStyles style, bool on) { return on ? styles | style : styles & ~style; }

}  // namespace

void TSettingsForm::CreateColoursPage() {
  TWinControl* page = ColoursPage;
  Place<TLabel>(this, page, "Colour schemes", 8, 0, 140, 13);
  cmbScheme = PlaceDropDownList(this, page, SchemeNames, 8, 14, 140);
  Place<TLabel>(this, page, "Console colour", 8, 38, 140, 13);
  clbConsole = PlaceColorBox(this, page, BackgroundColours, 8, 52, 140);
  Place<TLabel>(this, page, "Line colour", 8, 76, 140, 13);
  clbLine = PlaceColorBox(this, page, BackgroundColours, 8, 90, 140);
  Place<TLabel>(this, page, "Prefix", 8, 114, 140, 13);
  edtPrefix = Place<TEdit>(this, page, 8, 128, 140, 21);
  edtPrefix->Font().SetName("Courier New");

  Place<TLabel>(this, page, "Console elements", 156, 0, 112, 13);
  lsbElement = Place<TListBox>(this, page, 156, 14, 112, 136);

  grpPrefix = Place<TGroupBox>(this, page, " Prefix ", 276, 0, 130, 56);
  clbPrefix = PlaceColorBox(this, grpPrefix, TextColours, 8, 14, 114);
  chkPrefItalic = Place<TCheckBox>(this, grpPrefix, "Italic", 8, 38, 54, 15);
  chkPrefBold = Place<TCheckBox>(this, grpPrefix, "Bold", 66, 38, 54, 15);
  grpText = Place<TGroupBox>(this, page, " Text ", 276, 58, 130, 56);
  clbText = PlaceColorBox(this, grpText, TextColours, 8, 14, 114);
  chkTextItalic = Place<TCheckBox>(this, grpText, "Italic", 8, 38, 54, 15);
  chkTextBold = Place<TCheckBox>(this, grpText, "Bold", 66, 38, 54, 15);
  chkSyntax = Place<TCheckBox>(this, page, "Syntax", 276, 118, 64, 17);
  chkIcon = Place<TCheckBox>(this, page, "Image", 344, 118, 60, 17);
  chkShadow = Place<TCheckBox>(this, page, "Shadow", 276, 136, 64, 17);

  Place<TLabel>(this, page, "Syntax elements", 414, 0, 133, 13);
  lsbSyntax = Place<TListBox>(this, page, 414, 14, 133, 70);
  Place<TLabel>(this, page, "Element colour", 414, 88, 133, 13);
  clbElement = PlaceColorBox(this, page, TextColours, 414, 102, 133);
  chkSynItalic = Place<TCheckBox>(this, page, "Italic", 414, 130, 56, 17);
  chkSynBold = Place<TCheckBox>(this, page, "Bold", 476, 130, 56, 17);

  Place<TLabel>(this, page, "Preview", 8, 152, 140, 13);
  PreviewPanel = Place<TPanel>(this, page, 8, 166, 539, 160);
  PreviewPanel->SetBevelOuter(bvNone);
  CreatePreview();
  // A row's index is its line kind.
  for (int kind = 0; kind < LineKindCount; ++kind)
    lsbElement->Items().Add(" " + Preview->LineAttrs.AttrOfKind(static_cast<std::uint8_t>(kind)).Name());

  cmbScheme->OnChange = [this](TObject*) { cmbSchemeChange(); };
  lsbElement->OnClick = [this](TObject*) { lsbElementClick(); };
  lsbSyntax->OnClick = [this](TObject*) { lsbSyntaxClick(); };
  clbConsole->OnChange = [this](TObject*) { clbConsoleChange(); };
  clbLine->OnChange = [this](TObject*) { ChangeLook([this](TLineAttr& look) { look.Color = clbLine->Selected(); }); };
  edtPrefix->OnChange = [this](TObject*) { ChangeLook([this](TLineAttr& look) { look.PrefixStr = edtPrefix->Text(); }); };
  chkIcon->OnClick = [this](TObject*) { ChangeLook([this](TLineAttr& look) { look.Icon = chkIcon->Checked(); }); };
  chkShadow->OnClick = [this](TObject*) { ChangeLook([this](TLineAttr& look) { look.Shadow = chkShadow->Checked(); }); };
  chkSyntax->OnClick = [this](TObject*) {
    ChangeLook([this](TLineAttr& look) { look.Syntax = chkSyntax->Checked(); });
    grpText->SetEnabled(!chkSyntax->Checked());
  };
  const auto onFont = [this](TSymAttr TLineAttr::*part, TColorBox* colour, TCheckBox* italic, TCheckBox* bold) {
    const auto write = [this, part, colour, italic, bold](TObject*) {
      ChangeLook([&](TLineAttr& look) {
        TSymAttr& font = look.*part;
        font.Color = colour->Selected();
        font.Styles = WithStyle(WithStyle(font.Styles, fsItalic, italic->Checked()), fsBold, bold->Checked());
      });
    };
    colour->OnChange = write;
    italic->OnClick = write;
    bold->OnClick = write;
  };
  onFont(&TLineAttr::Prefix, clbPrefix, chkPrefItalic, chkPrefBold);
  onFont(&TLineAttr::Text, clbText, chkTextItalic, chkTextBold);
  clbElement->OnChange = [this](TObject*) { ChangeSymAttr([this](TSymAttr& attr) { attr.Color = clbElement->Selected(); }); };
  chkSynItalic->OnClick = [this](TObject*) { SynStyleClick(); };
  chkSynBold->OnClick = [this](TObject*) { SynStyleClick(); };
}

void TSettingsForm::CreatePreview() {
  Preview = new TConsole(PreviewPanel);
  Preview->SetParent(PreviewPanel);
  Preview->SetAlign(alClient);
  Preview->Syntax = Syntax.get();
  Preview->SetImages(Images ? &Images->Norm : nullptr);
  Preview->SetPreviewMode([this](TObject*) { PreviewPanelClick(); });
  Preview->NoEcho = true;
  for (const TSampleLine& line : SampleLines) Preview->AddLine(line.Text, line.Kind, 0);
  Preview->NoEcho = false;
}

TLineAttr& TSettingsForm::CurrentLook() {
  const int row = lsbElement->ItemIndex();
  QASSERT(row >= 0, "5E7A20C3");
  return Preview->LineAttrs.AttrOfKind(static_cast<std::uint8_t>(row));
}

TSymAttr& TSettingsForm::CurrentSymAttr() {
  const int row = lsbSyntax->ItemIndex();
  QASSERT(row >= 0, "5E7A20C4");
  return Syntax->Attrs().GetAttr(row);
}

void TSettingsForm::lsbElementClick() {
  const TLineAttr& look = CurrentLook();
  showing_ = true;
  chkShadow->SetChecked(look.Shadow);
  chkIcon->SetChecked(look.Icon);
  chkSyntax->SetChecked(look.Syntax);
  grpText->SetEnabled(!look.Syntax);
  edtPrefix->SetText(look.PrefixStr);
  clbLine->SetSelected(look.Color);
  clbText->SetSelected(look.Text.Color);
  chkTextItalic->SetChecked(look.Text.Styles & fsItalic);
  chkTextBold->SetChecked(look.Text.Styles & fsBold);
  clbPrefix->SetSelected(look.Prefix.Color);
  chkPrefItalic->SetChecked(look.Prefix.Styles & fsItalic);
  chkPrefBold->SetChecked(look.Prefix.Styles & fsBold);
  clbConsole->SetSelected(Preview->GetBackColor());
  showing_ = false;
}

void TSettingsForm::lsbSyntaxClick() {
  const TSymAttr& attr = CurrentSymAttr();
  showing_ = true;
  clbElement->SetSelected(attr.Color);
  chkSynItalic->SetChecked(attr.Styles & fsItalic);
  chkSynBold->SetChecked(attr.Styles & fsBold);
  showing_ = false;
}

void TSettingsForm::ChangeLook(const std::function<void(TLineAttr& look)>& change) {
  if (showing_) return;
  change(CurrentLook());
  Preview->RefreshView();
}

void TSettingsForm::ChangeSymAttr(const std::function<void(TSymAttr& attr)>& change) {
  if (showing_) return;
  change(CurrentSymAttr());
  Preview->RefreshView();
}

// A style of its own makes the colours a scheme of the user's; a colour does not.
void TSettingsForm::SynStyleClick() {
  if (showing_) return;
  ChangeSymAttr([this](TSymAttr& attr) {
    attr.Styles = WithStyle(WithStyle(attr.Styles, fsItalic, chkSynItalic->Checked()), fsBold, chkSynBold->Checked());
  });
  cmbScheme->SetItemIndex(0);
}

// The line colour is shown again: the current look's, whatever the background.
void TSettingsForm::clbConsoleChange() {
  if (showing_) return;
  Preview->SetBackColor(clbConsole->Selected());
  showing_ = true;
  clbLine->SetSelected(CurrentLook().Color);
  showing_ = false;
  Preview->RefreshView();
}

// The token colours' controls follow too: the scheme changed them as well.
void TSettingsForm::cmbSchemeChange() {
  const int scheme = cmbScheme->ItemIndex();
  if (scheme <= 0) return;
  Preview->ApplyScheme(scheme);
  lsbElementClick();
  lsbSyntaxClick();
  Preview->RefreshView();
}

// A click on a sample line chooses its kind's look.
void TSettingsForm::PreviewPanelClick() {
  const TLineData* line = Preview->SelectedLineData();
  if (!line || line->Kind >= LineKindCount || line->Kind == lsbElement->ItemIndex()) return;
  lsbElement->SetItemIndex(line->Kind);
  lsbElementClick();
}
