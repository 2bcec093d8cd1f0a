#include "shell/PlotterForm.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <tuple>

#include "console/XEdit.h"
#include "engine/Expression.h"
#include "engine/Kind.h"
#include "engine/Var.h"
#include "engine/MessageChannel.h"
#include "runtime/AsciiCase.h"
#include "runtime/Exceptions.h"
#include "runtime/Help.h"
#include "runtime/NumberText.h"
#include "runtime/Storage.h"
#include "shell/ActionBars.h"
#include "shell/EditorForm.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "shell/XpmPicture.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/win/Keys.h"

// The kind buttons' pictures, drawn by tools/draw-images.py.
#include "resources/images/Plotter.xpm"

TPlotterForm* PlotterForm = nullptr;

namespace {

constexpr const char* SectionName = "PLOTTERFORM";
const TRect Designed = Bounds(300, 200, 400, 316);
constexpr int FormClientWidth = 392;
constexpr int FormClientHeight = 284;
constexpr int EditHeight = 24;
constexpr int FieldLeft = 66;
constexpr int ExpressionWidth = 290;
constexpr int RangeWidth = 80;
constexpr int PointsWidth = 64;
constexpr int HistListHeight = 128;
constexpr int SmallExecuteImage = 7;
const TColor Pink = RGB(255, 192, 192);

struct TKindSpec {
  const char* Hint;
  const char* FLabel;
  const char* Name;
};

constexpr TKindSpec KindSpecs[] = {
    {" Line ", "F( x )", "Line"},
    {" 2D parametric line ", "X( x )", "2D parametric line"},
    {" 3D parametric line ", "X( x )", "3D parametric line"},
    {" 3D Surface ", "F( x, y )", "3D surface"},
    {" Heights map ", "F( x, y )", "Heights map"},
    {" Contour lines ", "F( x, y )", "Contour lines"},
};

bool IsMeshKind(TPlotterKind kind) { return kind >= pkSurface3D; }

void EnableEdit(TWinControl* edit, bool enabled) {
  edit->SetEnabled(enabled);
  edit->SetColor(enabled ? clWindow : clBtnFace);
}

}  // namespace

TPlotterForm::TPlotterForm(TComponent* owner)
    : TToolForm(owner, SectionName, MainForm->actPlotter, Designed, tsFixed) {
  PlotterForm = this;
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  SetClientSize(FormClientWidth, FormClientHeight);
  ShowHint = true;
  CreateActions();
  CreateKindBar();
  CreateExpressionRows();
  CreateRangeRows();
  CreateSettingsRow();
  CreateHistoryList();
  KeepOwnKeys([this](TStorage& storage) { ReadHistory(storage); },
              [this](TStorage& storage) { WriteHistory(storage); });
  UpdateKind();
}

// The history is written with the place, while the list still exists.
TPlotterForm::~TPlotterForm() {
  WriteSettings();
  for (TXEdit* edit : {EditF, EditY, EditZ, EditXMin, EditXMax, EditYMin, EditYMax}) edit->OnExecute = nullptr;
  if (PlotterForm == this) PlotterForm = nullptr;
}

// ---------------------------------------------------------------- making the window

void TPlotterForm::CreateActions() {
  ActionList = new TActionList(this);
  ActionList->Images = Images ? &Images->SNorm : nullptr;
  actExecute = MakeAction(this, ActionList, {" Plot ", " Plot the function ", "F9", SmallExecuteImage});
  actExecute->OnExecute = [this](TObject*) { Plot(); };
  actExecute->OnUpdate = [this](TObject*) { actExecute->SetEnabled(IsReady()); };
  actHelp = MakeAction(this, ActionList, {"&Help", "", "F1"});
  actHelp->OnExecute = [](TObject*) { ShowHelp("a1_02_10.htm"); };
}

void TPlotterForm::CreateKindBar() {
  TBitmap pictures;
  DecodeXpm(PlotterPictures, pictures);
  KindImages.Add(pictures, nullptr);
  KindBar = new TToolBar(this);
  KindBar->SetParent(this);
  KindBar->SetAlign(alTop);
  KindBar->SetFlat(true);
  KindBar->SetButtonWidth(45);
  KindBar->SetButtonHeight(44);
  KindBar->SetHeight(48);
  KindBar->SetImages(&KindImages);
  for (int tag = 0; tag < static_cast<int>(std::size(KindSpecs)); ++tag) {
    auto* button = new TToolButton(KindBar);
    button->SetStyle(tbsCheck);
    button->SetGrouped(true);
    button->SetImageIndex(tag);
    button->Tag = tag;
    button->Hint = KindSpecs[tag].Hint;
    button->SetDown(tag == 0);
    button->OnClick = [this, tag](TObject*) { ToolButtonClick(tag); };
    button->SetParent(KindBar);
  }
}

TXEdit* TPlotterForm::MakeEdit(int left, int top, int width) {
  auto* panel = new TPanel(this);
  panel->SetParent(this);
  panel->SetBevelOuter(bvNone);
  panel->SetBounds(left, top, width, EditHeight);
  auto* edit = new TXEdit(panel, false);
  edit->SetBounds(0, 0, width, EditHeight);
  edit->SetPrompt("");
  edit->Syntax = MainForm->Syntax.get();
  edit->PlainColors = false;
  edit->ClearLine = false;
  edit->OnExecute = [this](TObject*, const std::string&) { Plot(); };
  return edit;
}

TLabel* TPlotterForm::MakeLabel(const char* caption, int left, int top) {
  auto* label = new TLabel(this);
  label->SetParent(this);
  label->SetCaption(caption);
  label->SetLeft(left);
  label->SetTop(top + 5);
  return label;
}

TEdit* TPlotterForm::MakePointsEdit(int left, int top) {
  auto* edit = new TEdit(this);
  edit->SetParent(this);
  edit->SetBounds(left, top, PointsWidth, EditHeight);
  edit->OnChange = [this, edit](TObject*) { edtIntChange(edit); };
  edit->OnKeyPress = [this](TObject*, char32_t& key) { edtIntKeyPress(key); };
  edtIntChange(edit);
  return edit;
}

void TPlotterForm::CreateExpressionRows() {
  TLabel** labels[] = {&txtX, &txtY, &txtZ};
  TXEdit** edits[] = {&EditF, &EditY, &EditZ};
  const char* captions[] = {"F( x )", "Y( x )", "Z( x )"};
  for (int row = 0; row < 3; ++row) {
    const int top = 56 + row * 30;
    *labels[row] = MakeLabel(captions[row], 8, top);
    *edits[row] = MakeEdit(FieldLeft, top, ExpressionWidth);
    auto* button = new TSpeedButton(this);
    button->SetParent(this);
    button->SetBounds(FieldLeft + ExpressionWidth + 4, top, EditHeight, EditHeight);
    button->SetCaption("...");
    button->Hint = " Expression history ";
    button->Tag = row + 1;
    button->OnClick = [this, row](TObject*) { HistButtonClick(row + 1); };
    HistButtons[row] = button;
  }
}

void TPlotterForm::CreateRangeRows() {
  const auto range = [this](const char* caption, int left, int top, const char* text) {
    TLabel* label = MakeLabel(caption, left, top);
    TXEdit* edit = MakeEdit(left + 40, top, RangeWidth);
    edit->SetSource(text);
    edit->OnChange = [this, edit](TObject*) { edtFloatChange(edit); };
    return std::pair{label, edit};
  };
  constexpr int XTop = 152, YTop = 182;
  EditXMin = range("x min", 8, XTop, "-1").second;
  EditXMax = range("x max", 136, XTop, "1").second;
  MakeLabel("x points", 264, XTop);
  edtXPnt = MakePointsEdit(FormClientWidth - PointsWidth - 8, XTop);
  std::tie(txtYMin, EditYMin) = range("y min", 8, YTop, "-1");
  std::tie(txtYMax, EditYMax) = range("y max", 136, YTop, "1");
  txtYPnt = MakeLabel("y points", 264, YTop);
  edtYPnt = MakePointsEdit(FormClientWidth - PointsWidth - 8, YTop);
}

void TPlotterForm::CreateSettingsRow() {
  txtAxes = MakeLabel("Axes type", 8, 218);
  cmbAxes = new TComboBox(this);
  cmbAxes->SetParent(this);
  cmbAxes->SetStyle(csDropDownList);
  cmbAxes->SetBounds(FieldLeft, 218, 150, cmbAxes->Height());
  cmbAxes->Hint = " Select graph axes type ";
  for (const char* type : {" Linear - Linear", " Linear - Log", " Log - Linear", " Log - Log", " Polar"})
    cmbAxes->Items().Add(type);
  cmbAxes->SetItemIndex(0);
  cmbAxes->OnChange = [this](TObject*) { cmbAxesChange(); };
  const auto box = [this](const char* caption, const char* hint, int left) {
    auto* check = new TCheckBox(this);
    check->SetParent(this);
    check->SetCaption(caption);
    check->Hint = hint;
    check->SetBounds(left, 256, 72, 17);
    return check;
  };
  chkAppend = box(" Append", " Append grpah to the previous one ", 8);
  chkSource = box(" Source", " Generate plotting source in the Editor ", 88);
  PlotButton = new TSpeedButton(this);
  PlotButton->SetParent(this);
  PlotButton->SetBounds(FormClientWidth - 96, 250, 88, 27);
  PlotButton->SetLayout(blGlyphRight);
  PlotButton->SetAction(actExecute);
}

// In front of every control, so that it covers them when shown.
void TPlotterForm::CreateHistoryList() {
  HistList = new TListBox(this);
  HistList->SetParent(this);
  HistList->SetVisible(false);
  HistList->OnClick = [this](TObject*) { HistListClick(); };
  HistList->OnKeyDown = [this](TObject*, WORD& key, TShiftState) { HistListKeyDown(key); };
  HistList->OnExit = [this](TObject*) { HistListExit(); };
  HistList->BringToFront();
}

// ---------------------------------------------------------------- checks

bool TPlotterForm::IsRealExpr(const std::string& text) {
  if (text.empty()) return false;
  std::unique_ptr<TExpression> tree = MainForm->Engine->ParseExpression(text);
  return tree && tree->Check() && IsAssignable(BaseKind(kcReal), tree->ResultKind());
}

bool TPlotterForm::IsInteger(const std::string& text) {
  std::int64_t value = 0;
  return TextToInt(text, value);
}

bool TPlotterForm::AreRangesReady(TXEdit* min, TXEdit* max) {
  return IsRealExpr(max->GetSource()) && IsRealExpr(min->GetSource());
}

bool TPlotterForm::AreOptionalPointsReady(TEdit* points) {
  return points->Text().empty() || IsInteger(points->Text());
}

// Nothing is asked of the engine while a program runs.
bool TPlotterForm::IsReady() {
  if (MainForm->Engine->IsRunning()) return false;
  const TPlotterKind kind = PlotKind();
  bool ready = !EditF->GetSource().empty() && AreRangesReady(EditXMin, EditXMax) && AreOptionalPointsReady(edtXPnt);
  if (IsMeshKind(kind)) ready = ready && AreRangesReady(EditYMin, EditYMax) && AreOptionalPointsReady(edtYPnt);
  if (kind == pkParamLine2D || kind == pkParamLine3D) ready = ready && !EditY->GetSource().empty();
  if (kind == pkParamLine3D) ready = ready && !EditZ->GetSource().empty();
  return ready;
}

TPlotterKind TPlotterForm::PlotKind() const {
  QASSERT(KindTag >= 0 && KindTag < static_cast<int>(std::size(KindSpecs)), "5D2C8E17");
  return static_cast<TPlotterKind>(KindTag + 1);
}

TPlotterFields TPlotterForm::Fields() const {
  TPlotterFields fields;
  fields.Kind = PlotKind();
  fields.F = EditF->GetSource();
  if (fields.Kind == pkParamLine2D || fields.Kind == pkParamLine3D) fields.Y = EditY->GetSource();
  if (fields.Kind == pkParamLine3D) fields.Z = EditZ->GetSource();
  fields.XMin = EditXMin->GetSource();
  fields.XMax = EditXMax->GetSource();
  fields.XPoints = edtXPnt->Text();
  fields.YMin = EditYMin->GetSource();
  fields.YMax = EditYMax->GetSource();
  fields.YPoints = edtYPnt->Text();
  fields.Append = chkAppend->Checked();
  fields.AxesType = std::max(0, cmbAxes->ItemIndex());
  return fields;
}

// ---------------------------------------------------------------- plotting

// A plot counts as done only when its run reported no error: CompileText
// answers true after a run-time error too.
void TPlotterForm::Plot() {
  if (!IsReady()) return;
  CloseHistList();
  const TPlotterFields fields = Fields();
  const std::string text = PlotterProgramText(fields);
  if (chkSource->Checked() && EditorForm) EditorForm->OpenProgramText(text);
  ClearLastError();
  if (!MainForm->Engine->CompileText(text) || !GetLastErrorText().empty()) return;
  for (const std::string* expression : {&fields.F, &fields.Y, &fields.Z}) AddToHistory(*expression);
}

void TPlotterForm::AddToHistory(const std::string& text) {
  if (!text.empty() && !InHistory(text)) History.insert(History.begin(), text);
}

// Letter case aside, ASCII only: the bytes of other text are compared as they are.
bool TPlotterForm::InHistory(const std::string& text) const {
  return std::any_of(History.begin(), History.end(),
                     [&text](const std::string& entry) { return SameAsciiText(entry, text); });
}

// ---------------------------------------------------------------- kinds and fields

void TPlotterForm::UpdateKind() {
  const TPlotterKind kind = PlotKind();
  const bool usesY = kind == pkParamLine2D || kind == pkParamLine3D;
  const bool usesZ = kind == pkParamLine3D;
  const bool usesYRange = IsMeshKind(kind);
  const bool usesAxes = kind == pkLine || kind == pkParamLine2D;
  EnableEdit(EditY, usesY);
  txtY->SetEnabled(usesY);
  HistButtons[1]->SetEnabled(usesY);
  EnableEdit(EditZ, usesZ);
  txtZ->SetEnabled(usesZ);
  HistButtons[2]->SetEnabled(usesZ);
  for (TWinControl* edit : {static_cast<TWinControl*>(EditYMin), static_cast<TWinControl*>(EditYMax),
                            static_cast<TWinControl*>(edtYPnt)})
    EnableEdit(edit, usesYRange);
  for (TLabel* label : {txtYMin, txtYMax, txtYPnt}) label->SetEnabled(usesYRange);
  cmbAxes->SetEnabled(usesAxes);
  txtAxes->SetEnabled(usesAxes);
  cmbAxes->SetItemIndex(0);
  txtX->SetCaption(KindSpecs[KindTag].FLabel);
  SetCaption(std::string(" Plotter - ") + KindSpecs[KindTag].Name);
}

void TPlotterForm::ToolButtonClick(int tag) {
  KindTag = tag;
  UpdateKind();
}

// Colours stay as they are while a program runs: the check needs the engine.
void TPlotterForm::edtFloatChange(TXEdit* edit) {
  if (MainForm->Engine->IsRunning() || !edit->Enabled()) return;
  edit->SetColor(IsRealExpr(edit->GetSource()) ? clWindow : Pink);
}

void TPlotterForm::edtIntChange(TEdit* edit) {
  edit->Font().SetColor(IsInteger(edit->Text()) ? clWindowText : clRed);
}

void TPlotterForm::edtIntKeyPress(char32_t& key) {
  if (key != '\r') return;
  key = 0;
  Plot();
}

void TPlotterForm::cmbAxesChange() {
  if (IsReady()) Plot();
}

// ---------------------------------------------------------------- history

void TPlotterForm::HistButtonClick(int tag) {
  if (HistList->Visible() && HistTag == tag) {
    CloseHistList();
    return;
  }
  TXEdit* field = tag == 1 ? EditF : tag == 2 ? EditY : EditZ;
  HistTarget = field;
  HistTag = tag;
  HistList->Items().Clear();
  for (const std::string& entry : History) HistList->Items().Add(entry);
  const TPoint below = ScreenToClient(field->ClientToScreen({0, field->Height() + 1}));
  HistList->SetBounds(below.X, below.Y, field->Width(), HistListHeight);
  HistList->Show();
  HistList->SetFocus();
}

void TPlotterForm::HistListClick() {
  TXEdit* field = HistTarget;
  const int index = HistList->ItemIndex();
  CloseHistList();
  if (!field || index < 0 || index >= static_cast<int>(History.size())) return;
  field->SetSource(History[static_cast<size_t>(index)]);
  field->SetFocus();
}

void TPlotterForm::HistListKeyDown(WORD& key) {
  if (key == VK_ESCAPE) CloseHistList();
}

void TPlotterForm::HistListExit() { CloseHistList(); }

void TPlotterForm::CloseHistList() {
  HistTarget = nullptr;
  HistTag = 0;
  if (HistList->Visible()) HistList->Hide();
}

// A count that is damaged reads what is there, at most the limit.
void TPlotterForm::ReadHistory(TStorage& storage) {
  const std::int64_t count = storage.ReadInteger("HistCount", -1);
  const int limit = count < 0 ? HistoryLimit : static_cast<int>(std::min<std::int64_t>(count, HistoryLimit));
  for (int i = 0; i < limit; ++i) {
    const std::string entry = storage.ReadString("Hist_" + std::to_string(i), "");
    if (!entry.empty() && !InHistory(entry)) History.push_back(entry);
  }
}

void TPlotterForm::WriteHistory(TStorage& storage) const {
  const int count = std::min(HistoryLimit, static_cast<int>(History.size()));
  storage.WriteInteger("HistCount", count);
  for (int i = 0; i < count; ++i) storage.WriteString("Hist_" + std::to_string(i), History[static_cast<size_t>(i)]);
}
