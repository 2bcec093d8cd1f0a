#include "shell/GSettsForm.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <utility>

#include "engine/Value.h"
#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "runtime/Help.h"
#include "runtime/NumberText.h"
#include "shell/DialogLayout.h"
#include "shell/WindowParams.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ColorBox.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/GroupBox.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/RadioGroup.h"
#include "toolkit/win/MessageBox.h"

TGSettsForm* GSettsForm = nullptr;

namespace {

constexpr const char* CoordNames[] = {" Linear", " Linear - Log", " Log - Linear", " Log - Log", " Polar"};
constexpr const char* PenStyleNames[] = {" Solid", " Dash", " Dot", " DashDot", " DashDotDot", " None"};
constexpr const char* BrushStyleNames[] = {" Solid",         " None",          " Horizontal", " Vertical",
                                           " Frwd Diagonal", " Back Diagonal", " Cross",      " Diagonal Cross"};
constexpr const char* WidthNames[] = {" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9"};
constexpr const char* SymbolNames[] = {" Circle", " Cross", " Square", " Diamond", " None"};
constexpr const char* BarNames[] = {" Left", " Centre", " Right"};
constexpr const char* RendererNames[] = {" Flat", " Gouraud"};
constexpr const char* ShaderNames[] = {" Colour",          " Simple Lighting", " Real Lighting",
                                       " Colour + Height", " Height Colour",   " Height Colour + Light"};
constexpr const char* ExportNames[] = {" Windows Bitmap", " Windows Metafile", " Enhanced Metafile"};

constexpr TColorBoxStyle Colours = cbStandardColors | cbExtendedColors | cbCustomColor | cbPrettyNames;

constexpr std::uint8_t Mode2D = 0;
constexpr std::uint8_t Mode3D = 1;
constexpr std::uint8_t NoStyle = 10;
constexpr std::uint8_t SolidStyle = 0;
constexpr std::uint8_t NoneStyle = 5;  // a pen's; a brush's None is 1

constexpr const char* AxisNames[] = {"X", "Y", "Z"};
constexpr long double TPoint3D::*Coords[] = {&TPoint3D::X, &TPoint3D::Y, &TPoint3D::Z};
constexpr const char* ScaleFieldNames[] = {"min", "max", "inc"};

// The graph styles a data set of a class code is offered in a mode.
struct TStyleEntry {
  const char* Name;
  std::uint8_t DrawKind;
};
struct TStyleList {
  std::uint8_t Kind;
  int Modes;  // bit 0: 2D, bit 1: 3D
  std::vector<TStyleEntry> Entries;
};

const std::vector<TStyleList>& StyleLists() {
  static const std::vector<TStyleList> lists{
      {SeriesKind, 3, {{" Line", dkLine}, {" Scatter", dkScatter}, {" Wall", dkWall}, {" Bars", dkBars}, {" Stem", dkStems}}},
      {Series3DKind, 2, {{" Line", dkLine}, {" Scatter", dkScatter}, {" Stem", dkStems}}},
      {Series3DKind, 1, {{" Error plot", dkErrors}}},
      {MeshKind, 2, {{" Scatter", dkScatter}, {" Surface", dkSurface}}},
      {MeshKind, 1, {{" Scatter", dkScatter}, {" Surface", dkSurface}, {" Contour Lines", dkContour}}},
      {ShapeKind, 3, {{" Shape", dkShape}}},
      {FieldKind, 3, {{" Vector Field", dkArrows}}},
  };
  return lists;
}

TLabel* PlaceLabel(TComponent* owner, TWinControl* parent, const char* caption, int left, int top) {
  return Place<TLabel>(owner, parent, caption, left, top, 100, 13);
}

// A drop-down list with its caption above it.
TComboBox* LabelledList(TComponent* owner, TWinControl* parent, const char* caption,
                        std::span<const char* const> names, int left, int top, int width) {
  PlaceLabel(owner, parent, caption, left, top);
  return PlaceDropDownList(owner, parent, names, left, top + 14, width);
}

TColorBox* LabelledColours(TComponent* owner, TWinControl* parent, const char* caption, int left, int top, int width) {
  PlaceLabel(owner, parent, caption, left, top);
  return PlaceColorBox(owner, parent, Colours, left, top + 14, width);
}

// An edit with its caption above it; top is the caption's.
TLabeledEdit* LabelledEdit(TComponent* owner, TWinControl* parent, const char* caption, int left, int top, int width) {
  auto* edit = Place<TLabeledEdit>(owner, parent, left, top + 16, width, 21);
  edit->EditLabel().SetCaption(caption);
  return edit;
}

// A list's entry of a stored value; values the list does not offer show no entry.
void ShowIndex(TComboBox& list, int index) { list.SetItemIndex(index < list.Items().Count() ? index : -1); }

// The chosen entry as a stored value; a list showing no entry keeps it.
template <class TValue>
void ReadIndex(TComboBox& list, TValue& value, int offset = 0) {
  if (list.ItemIndex() >= 0) value = static_cast<TValue>(list.ItemIndex() + offset);
}

}  // namespace

TGSettsForm::TGSettsForm(TComponent* owner) : TForm(owner) {
  if (!GSettsForm) GSettsForm = this;
  ShapeDialog(*this, " Graph Settings", bsDialog, 400, 340);
  PageControl = Place<TPageControl>(this, this, 8, 8, 384, 292);
  GeneralPage = AddPage(" General ");
  DataPage = AddPage(" Data ");
  ScalesPage = AddPage(" Scales ");
  BackgroundPage = AddPage(" Background ");
  OptionsPage = AddPage(" Options ");
  CreateGeneralPage();
  CreateDataPage();
  CreateScalesPage();
  CreateBackgroundPage();
  CreateOptionsPage();
  CreateButtons();
  PageControl->SetActivePage(GeneralPage);
  SetActiveControl(PageControl);
  SetMode(Mode2D, true);
  FillStyleList(SeriesKind);
  DataIndex = -1;
}

TGSettsForm::~TGSettsForm() {
  if (GSettsForm == this) GSettsForm = nullptr;
}

void TGSettsForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  ApplyWinsInTask(params, TWindowRole::ModalDialog);
}

// ---------------------------------------------------------------- making the dialog

TTabSheet* TGSettsForm::AddPage(const char* caption) {
  auto* page = new TTabSheet(this);
  page->SetCaption(caption);
  page->SetPageControl(PageControl);
  return page;
}

void TGSettsForm::CreateGeneralPage() {
  TWinControl* page = GeneralPage;
  edtTitle = LabelledEdit(this, page, "Title", 8, 4, 170);
  edtXCaption = LabelledEdit(this, page, "X Caption", 8, 44, 170);
  edtYCaption = LabelledEdit(this, page, "Y Caption", 8, 84, 170);
  edtZCaption = LabelledEdit(this, page, "Z Caption", 8, 124, 170);
  const auto check = [&](const char* caption, int left, int row) {
    return Place<TCheckBox>(this, page, caption, left, 8 + row * 19, 90, 17);
  };
  chkXLabels = check("X Labels", 192, 0);
  chkYLabels = check("Y Labels", 192, 1);
  chkZLabels = check("Z Labels", 192, 2);
  chkXGrid = check("X Major Grid", 192, 3);
  chkYGrid = check("Y Major Grid", 192, 4);
  chkZGrid = check("Z Major Grid", 192, 5);
  chkXMinor = check("X Minor Grid", 284, 0);
  chkYMinor = check("Y Minor Grid", 284, 1);
  chkZMinor = check("Z Minor Grid", 284, 2);
  chkLegend = check("Legend", 284, 3);
  chkHeights = check("Heights", 284, 4);
  chkFastDraw = check("Fast Draw", 284, 5);
  chkAxesInFront = check("Axes in Front", 284, 6);
  cmbCoords = LabelledList(this, page, "Axes Type", CoordNames, 8, 172, 170);
  rgAxes = Place<TRadioGroup>(this, page, " Axes Style ", 192, 160, 176, 60);
  rgAxes->Items().Add(" Frame");
  rgAxes->Items().Add(" Axes");
  rgAxes->SetItemIndex(0);
}

void TGSettsForm::CreateDataPage() {
  TWinControl* page = DataPage;
  PlaceLabel(this, page, "Data List", 8, 4);
  lstDatas = Place<TCheckListBox>(this, page, 8, 18, 150, 200);
  edtSName = LabelledEdit(this, page, "Data Name", 8, 224, 150);
  cmbDStyles = LabelledList(this, page, "Graph Style", {}, 168, 4, 96);
  cmbPStyle = LabelledList(this, page, "Line Style", PenStyleNames, 272, 4, 96);
  colPen = LabelledColours(this, page, "Line Colour", 168, 44, 96);
  colBrush = LabelledColours(this, page, "Fill Colour", 272, 44, 96);
  cmbBStyle = LabelledList(this, page, "Fill Style", BrushStyleNames, 168, 84, 96);
  lblPWidth = PlaceLabel(this, page, "Width / Size", 272, 84);
  cmbPWidth = PlaceDropDownList(this, page, WidthNames, 272, 98, 96);
  cmbScatSym = LabelledList(this, page, "Scatter Symbol", SymbolNames, 168, 124, 96);
  cmbBarKind = LabelledList(this, page, "Bars Type", BarNames, 272, 124, 96);
  cmbRender = LabelledList(this, page, "Renderer Type", RendererNames, 168, 164, 96);
  cmbShader = LabelledList(this, page, "Shader Type", ShaderNames, 272, 164, 96);

  lstDatas->OnClick = [this](TObject*) { lstDatasClick(); };
  edtSName->OnChange = [this](TObject*) { edtSNameChange(); };
  cmbDStyles->OnChange = [this](TObject*) { cmbDStylesChange(); };
  cmbPStyle->OnChange = [this](TObject*) { cmbPStyleChange(); };
  cmbBStyle->OnChange = [this](TObject*) { cmbBStyleChange(); };
  cmbPWidth->OnChange = [this](TObject*) { cmbPWidthChange(); };
  colPen->OnChange = [this](TObject*) { ChangeSelected([&](TXData& data) { data.Pen.Color = colPen->Selected(); }); };
  colBrush->OnChange = [this](TObject*) {
    ChangeSelected([&](TXData& data) { data.Brush.Color = colBrush->Selected(); });
  };
  cmbBarKind->OnChange = [this](TObject*) {
    ChangeSelected([&](TXData& data) { ReadIndex(*cmbBarKind, data.Opts.BarKind); });
  };
  cmbShader->OnChange = [this](TObject*) {
    ChangeSelected([&](TXData& data) { ReadIndex(*cmbShader, data.Opts.Shader); });
  };
  cmbRender->OnChange = [this](TObject*) {
    ChangeSelected([&](TXData& data) { ReadIndex(*cmbRender, data.Opts.Renderer); });
  };
  cmbScatSym->OnChange = [this](TObject*) {
    ChangeSelected([&](TXData& data) { ReadIndex(*cmbScatSym, data.Opts.Symbol); });
  };
}

void TGSettsForm::CreateScalesPage() {
  TWinControl* page = ScalesPage;
  static constexpr const char* Groups[] = {" X Axis ", " Y Axis ", " Z Axis "};
  for (int axis = 0; axis < 3; ++axis) {
    auto* group = Place<TGroupBox>(this, page, Groups[axis], 8 + axis * 122, 4, 114, 170);
    chkAuto[axis] = Place<TCheckBox>(this, group, "Automatic", 10, 18, 96, 17);
    edtMin[axis] = LabelledEdit(this, group, "Minimum", 10, 40, 94);
    edtMax[axis] = LabelledEdit(this, group, "Maximum", 10, 82, 94);
    edtInc[axis] = LabelledEdit(this, group, "Increment", 10, 124, 94);
    chkAuto[axis]->OnClick = [this, axis](TObject*) { AutoClick(axis); };
  }
  edtMantissa = LabelledEdit(this, page, "Mantissa", 8, 184, 80);
  edtExponent = LabelledEdit(this, page, "Exponent", 130, 184, 80);
}

void TGSettsForm::CreateBackgroundPage() {
  TWinControl* page = BackgroundPage;
  cmbBPS = LabelledList(this, page, "Line Style", PenStyleNames, 8, 4, 110);
  colBP = LabelledColours(this, page, "Line Colour", 8, 44, 110);
  cmbBPW = LabelledList(this, page, "Width", WidthNames, 8, 84, 110);
  ColBB = LabelledColours(this, page, "Fill Colour", 130, 4, 110);
  cmbBBS = LabelledList(this, page, "Fill Style", BrushStyleNames, 130, 44, 110);
  colGrid = LabelledColours(this, page, "Grid Colour", 252, 4, 110);
  cmbGrid = LabelledList(this, page, "Grid Style", PenStyleNames, 252, 44, 110);
  cmbGW = LabelledList(this, page, "Grid Width", WidthNames, 252, 84, 110);
  FontButton = Place<TButton>(this, page, "Font", 8, 134, 75, 25);
  FontDialog = new TFontDialog(this);
  FontButton->OnClick = [this](TObject*) { FontDialog->Execute(Handle()); };
}

void TGSettsForm::CreateOptionsPage() {
  cmbExport = LabelledList(this, OptionsPage, "Export Format", ExportNames, 8, 4, 170);
  chkGrayscale = Place<TCheckBox>(this, OptionsPage, "Export in Grayscale", 8, 50, 170, 17);
}

void TGSettsForm::CreateButtons() {
  const TDialogButtons buttons = PlaceDialogButtons(*this, 151, 308);
  OKButton = buttons.OK;
  CancelButton = buttons.Cancel;
  HelpButton = buttons.Help;
  HelpButton->OnClick = [](TObject*) { ShowHelp("a1_02_07.htm"); };
}

// ---------------------------------------------------------------- modes and styles

void TGSettsForm::SetMode(std::uint8_t NewMode, bool Force) {
  if (NewMode == Mode && !Force) return;
  Mode = NewMode;
  DataIndex = -1;
  const bool is2D = Mode == Mode2D;
  for (TControl* control : std::initializer_list<TControl*>{rgAxes, cmbCoords, chkXMinor, chkYMinor, chkAxesInFront})
    control->SetEnabled(is2D);
  for (TControl* control : std::initializer_list<TControl*>{edtZCaption, chkZLabels, chkZGrid, chkFastDraw})
    control->SetEnabled(!is2D);
  chkZMinor->SetEnabled(false);
}

void TGSettsForm::FillStyleList(std::uint8_t Kind) {
  DataKind = Kind;
  styles_.clear();
  cmbDStyles->Items().Clear();
  const int modeBit = Mode == Mode2D ? 1 : 2;
  for (const TStyleList& list : StyleLists()) {
    if (list.Kind != Kind || !(list.Modes & modeBit)) continue;
    for (const TStyleEntry& entry : list.Entries) {
      cmbDStyles->Items().Add(entry.Name);
      styles_.push_back(entry.DrawKind);
    }
  }
}

int TGSettsForm::StyleToIndex(std::uint8_t DrawKind) const {
  const auto found = std::find(styles_.begin(), styles_.end(), DrawKind);
  return found == styles_.end() ? -1 : int(found - styles_.begin());
}

std::uint8_t TGSettsForm::IndexToStyle(int Index) const {
  return Index >= 0 && Index < int(styles_.size()) ? styles_[std::size_t(Index)] : NoStyle;
}

std::string TGSettsForm::FormatReal(long double Value) { return RealToText(Value, 4, 1); }

// ---------------------------------------------------------------- loading

namespace {

// The check boxes of the options' switches.
const std::pair<TCheckBox* TGSettsForm::*, bool TXGOptions::*> Switches[] = {
    {&TGSettsForm::chkXLabels, &TXGOptions::LabelsX},     {&TGSettsForm::chkYLabels, &TXGOptions::LabelsY},
    {&TGSettsForm::chkZLabels, &TXGOptions::LabelsZ},     {&TGSettsForm::chkXGrid, &TXGOptions::GridX},
    {&TGSettsForm::chkYGrid, &TXGOptions::GridY},         {&TGSettsForm::chkZGrid, &TXGOptions::GridZ},
    {&TGSettsForm::chkXMinor, &TXGOptions::MinorGridX},   {&TGSettsForm::chkYMinor, &TXGOptions::MinorGridY},
    {&TGSettsForm::chkZMinor, &TXGOptions::MinorGridZ},   {&TGSettsForm::chkLegend, &TXGOptions::Legend},
    {&TGSettsForm::chkHeights, &TXGOptions::HeightsBar},  {&TGSettsForm::chkFastDraw, &TXGOptions::FastDraw},
    {&TGSettsForm::chkAxesInFront, &TXGOptions::AxesInFront}, {&TGSettsForm::chkGrayscale, &TXGOptions::BlackWhite},
};

}  // namespace

void TGSettsForm::LoadFrom2D(TXGraph& Graph) { LoadFrom(Graph, Mode2D); }
void TGSettsForm::LoadFrom3D(TXGraph3D& Graph) { LoadFrom(Graph, Mode3D); }

template <class TGraph>
void TGSettsForm::LoadFrom(TGraph& Graph, std::uint8_t GraphMode) {
  SetMode(GraphMode, false);
  WriteOptions(Graph.Options);
  colBP->SetSelected(Graph.FramePen.Color);
  ShowIndex(*cmbBPS, Graph.FramePen.Style);
  ShowIndex(*cmbBPW, Graph.FramePen.Width - 1);
  ColBB->SetSelected(Graph.BackBrush.Color);
  ShowIndex(*cmbBBS, Graph.BackBrush.Style);
  FontDialog->Font().Assign(Graph.Font);
  ShowIndex(*cmbGrid, Graph.GridPen.Style);
  colGrid->SetSelected(Graph.GridPen.Color);
  ShowIndex(*cmbGW, Graph.GridPen.Width - 1);

  Datas.clear();
  lstDatas->Items().Clear();
  for (int i = 0; i < Graph.Count(); ++i) {
    const TXData& data = *Graph.GetItem(i);
    auto copy = std::make_unique<TXData>(data.Name, data.Kind);
    copy->AssignStyle(data);
    lstDatas->Items().Add(copy->Name);
    lstDatas->SetChecked(i, copy->Visible);
    Datas.push_back(std::move(copy));
  }
  loadedGraph_ = &Graph;
  loadedChanges_ = Graph.ListChanges;
  if (Datas.empty()) return;
  if (DataIndex < 0 || DataIndex >= int(Datas.size())) DataIndex = int(Datas.size()) - 1;
  lstDatas->SetItemIndex(DataIndex);
  lstDatasClick();
}

void TGSettsForm::WriteOptions(const TXGOptions& Options) {
  filling_ = true;
  cmbExport->SetItemIndex(Options.ExportFormat < 3 ? Options.ExportFormat : -1);
  edtTitle->SetText(Options.Title);
  edtXCaption->SetText(Options.TitleX);
  edtYCaption->SetText(Options.TitleY);
  edtZCaption->SetText(Options.TitleZ);
  for (const auto& [box, option] : Switches) (this->*box)->SetChecked(Options.*option);
  ShowIndex(*cmbCoords, Options.CoordSys);
  rgAxes->SetItemIndex(Options.AxesKind < 2 ? Options.AxesKind : -1);
  const bool autos[] = {Options.AutoX, Options.AutoY, Options.AutoZ};
  for (int axis = 0; axis < 3; ++axis) {
    const long double values[] = {Options.Min.*Coords[axis], Options.Max.*Coords[axis], Options.Inc.*Coords[axis]};
    TLabeledEdit* edits[] = {edtMin[axis], edtMax[axis], edtInc[axis]};
    for (int field = 0; field < 3; ++field) {
      edits[field]->SetText(FormatReal(values[field]));
      edits[field]->SetModified(false);
    }
    chkAuto[axis]->SetChecked(autos[axis]);
    AutoClick(axis);
  }
  edtMantissa->SetText(std::to_string(Options.Mantissa));
  edtExponent->SetText(std::to_string(Options.Exponent));
  filling_ = false;
}

// ---------------------------------------------------------------- applying

void TGSettsForm::ApplyTo2D(TXGraph& Graph) { ApplyTo(Graph); }
void TGSettsForm::ApplyTo3D(TXGraph3D& Graph) { ApplyTo(Graph); }

template <class TGraph>
void TGSettsForm::ApplyTo(TGraph& Graph) {
  ReadOptions(Graph.Options);
  Graph.FramePen.Color = colBP->Selected();
  ReadIndex(*cmbBPS, Graph.FramePen.Style);
  Graph.BackBrush.Color = ColBB->Selected();
  ReadIndex(*cmbBBS, Graph.BackBrush.Style);
  Graph.SetFont(FontDialog->Font());
  ReadIndex(*cmbBPW, Graph.FramePen.Width, 1);
  ReadIndex(*cmbGrid, Graph.GridPen.Style);
  Graph.GridPen.Color = colGrid->Selected();
  ReadIndex(*cmbGW, Graph.GridPen.Width, 1);
  // Copies by index fit only the list they were made from.
  if (loadedGraph_ != &Graph || loadedChanges_ != Graph.ListChanges || Graph.Count() != int(Datas.size())) return;
  for (int i = 0; i < Graph.Count(); ++i) {
    Datas[std::size_t(i)]->Visible = lstDatas->Checked(i);
    Graph.GetItem(i)->AssignStyle(*Datas[std::size_t(i)]);
  }
}

void TGSettsForm::ReadOptions(TXGOptions& Options) {
  ReadIndex(*cmbExport, Options.ExportFormat);
  Options.Title = edtTitle->Text();
  Options.TitleX = edtXCaption->Text();
  Options.TitleY = edtYCaption->Text();
  Options.TitleZ = edtZCaption->Text();
  for (const auto& [box, option] : Switches) Options.*option = (this->*box)->Checked();
  ReadIndex(*cmbCoords, Options.CoordSys);
  if (rgAxes->ItemIndex() >= 0) Options.AxesKind = static_cast<TAxesKind>(rgAxes->ItemIndex());
  for (int axis = 0; axis < 3; ++axis) {
    if (chkAuto[axis]->Checked()) continue;
    long double* values[] = {&(Options.Min.*Coords[axis]), &(Options.Max.*Coords[axis]), &(Options.Inc.*Coords[axis])};
    TLabeledEdit* edits[] = {edtMin[axis], edtMax[axis], edtInc[axis]};
    for (int field = 0; field < 3; ++field)
      ReadScale(*edits[field], *values[field], std::string(AxisNames[axis]) + " " + ScaleFieldNames[field]);
  }
  Options.AutoX = chkAuto[0]->Checked();
  Options.AutoY = chkAuto[1]->Checked();
  Options.AutoZ = chkAuto[2]->Checked();
  ReadInteger(*edtMantissa, Options.Mantissa, "Mantissa");
  ReadInteger(*edtExponent, Options.Exponent, "Exponent");
}

void TGSettsForm::ReadScale(TCustomEdit& Edit, long double& Value, const std::string& Name) {
  if (Edit.Modified() && !TextToReal(Edit.Text(), Value)) Warn(Name + ": failed to convert to real");
}

void TGSettsForm::ReadInteger(TCustomEdit& Edit, std::int32_t& Value, const std::string& Name) {
  std::int64_t read = 0;
  if (TextToInt(Edit.Text(), read) && read >= std::numeric_limits<std::int32_t>::min() &&
      read <= std::numeric_limits<std::int32_t>::max())
    Value = std::int32_t(read);
  else
    Warn(Name + ": failed to convert to integer");
}

void TGSettsForm::Warn(const std::string& Text) { MessageBox(Handle(), Text, "Warning", MB_OK | MB_ICONWARNING); }

// ---------------------------------------------------------------- the Data page

TXData* TGSettsForm::SelectedData() {
  const int line = lstDatas->ItemIndex();
  return line >= 0 && line < int(Datas.size()) ? Datas[std::size_t(line)].get() : nullptr;
}

template <class TChange>
void TGSettsForm::ChangeSelected(TChange change) {
  if (filling_) return;
  if (TXData* data = SelectedData()) change(*data);
}

void TGSettsForm::lstDatasClick() {
  TXData* data = SelectedData();
  if (!data) return;
  DataIndex = lstDatas->ItemIndex();
  filling_ = true;
  colPen->SetSelected(data->Pen.Color);
  colBrush->SetSelected(data->Brush.Color);
  ShowIndex(*cmbPStyle, data->Pen.Style);
  ShowIndex(*cmbBStyle, data->Brush.Style);
  edtSName->SetText(data->Name);
  FillStyleList(data->Kind);
  cmbDStyles->SetItemIndex(StyleToIndex(data->Opts.DrawKind));
  filling_ = false;
  cmbDStylesChange();
  filling_ = true;
  ShowIndex(*cmbPWidth, data->Pen.Width - 1);
  ShowIndex(*cmbBarKind, data->Opts.BarKind);
  ShowIndex(*cmbScatSym, data->Opts.Symbol);
  ShowIndex(*cmbShader, data->Opts.Shader);
  ShowIndex(*cmbRender, data->Opts.Renderer);
  filling_ = false;
  UpdateDataControls();
}

// The list line keeps its check and stays chosen.
void TGSettsForm::edtSNameChange() {
  ChangeSelected([this](TXData& data) {
    const int line = lstDatas->ItemIndex();
    const bool checked = lstDatas->Checked(line);
    data.Name = edtSName->Text();
    lstDatas->Items().SetStrings(line, data.Name);
    lstDatas->SetChecked(line, checked);
    lstDatas->SetItemIndex(line);
  });
}

// A draw kind the list does not offer stays as it is.
void TGSettsForm::cmbDStylesChange() {
  ChangeSelected([this](TXData& data) {
    const int index = cmbDStyles->ItemIndex();
    if (index >= 0 && index < int(styles_.size())) data.Opts.DrawKind = static_cast<TDrawKind>(IndexToStyle(index));
    UpdateDataControls();
  });
}

// Broken lines are drawn one pixel wide.
void TGSettsForm::cmbPStyleChange() {
  ChangeSelected([this](TXData& data) {
    ReadIndex(*cmbPStyle, data.Pen.Style);
    if (data.Pen.Style == SolidStyle || data.Pen.Style == NoneStyle) return;
    data.Pen.Width = 1;
    cmbPWidth->SetItemIndex(0);
  });
}

void TGSettsForm::cmbBStyleChange() {
  ChangeSelected([this](TXData& data) {
    ReadIndex(*cmbBStyle, data.Brush.Style);
    UpdateDataControls();
  });
}

void TGSettsForm::cmbPWidthChange() {
  ChangeSelected([this](TXData& data) { ReadIndex(*cmbPWidth, data.Pen.Width, 1); });
}

void TGSettsForm::UpdateDataControls() {
  TXData* data = SelectedData();
  if (!data) return;
  const std::uint8_t kind = data->Opts.DrawKind;
  if (kind == dkContour) {
    data->Brush.Style = bsClear;
    cmbBStyle->SetItemIndex(bsClear);
  }
  const std::uint8_t brush = data->Brush.Style;
  const auto any = [kind](std::initializer_list<std::uint8_t> kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
  };
  cmbRender->SetEnabled(any({dkSurface, dkShape}) && brush == bsSolid);
  cmbShader->SetEnabled(any({dkScatter, dkSurface, dkShape, dkContour, dkStems}) && data->Kind != SeriesKind &&
                        (brush != bsClear || kind == dkContour));
  cmbBarKind->SetEnabled(kind == dkBars);
  cmbScatSym->SetEnabled(any({dkScatter, dkErrors, dkStems}));
  cmbBStyle->SetEnabled(kind != dkLine && kind != dkContour);
  colBrush->SetEnabled(kind != dkLine);
  lblPWidth->SetCaption(kind == dkScatter ? "Symbol Size" : "Line Width");
}

void TGSettsForm::AutoClick(int Axis) {
  for (TControl* edit : std::initializer_list<TControl*>{edtMin[Axis], edtMax[Axis], edtInc[Axis]})
    edit->SetEnabled(!chkAuto[Axis]->Checked());
}
