#include "shell/MatEdit.h"

#include <algorithm>
#include <vector>

#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "engine/Lib.h"
#include "engine/MessageChannel.h"
#include "engine/Tarnscript.h"
#include "engine/Value.h"
#include "graphics/RGBColor.h"
#include "runtime/AsciiCase.h"
#include "runtime/NumberText.h"
#include "shell/SelectionHook.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/MessageQueue.h"
#include "treeview/BaseDataTree.h"

namespace {

constexpr TColor SelectedHeaderColor = RGB(255, 192, 64);
constexpr TColor SelectedNumberColor = RGB(166, 202, 240);
constexpr TColor SelectedTextColor = RGB(255, 192, 255);
constexpr TColor BadTextColor = RGB(255, 192, 192);
constexpr int TextInset = 4;
constexpr int CopyDigits = 18;

bool IsNumber(const std::string& text) {
  long double x = 0;
  return TextToReal(text, x);
}

bool IsSeparator(char c) { return c == '\t' || c == ' ' || c == ',' || c == ';'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The text's numbers line by line; runs of separators count as one, blank lines are skipped.
std::vector<std::vector<std::string>> PasteLines(const std::string& text) {
  std::vector<std::vector<std::string>> lines(1);
  std::string token;
  const auto endToken = [&] {
    if (!token.empty()) lines.back().push_back(std::move(token));
    token.clear();
  };
  for (char c : text) {
    if (IsLineEnd(c)) {
      endToken();
      if (!lines.back().empty()) lines.emplace_back();
    } else if (IsSeparator(c)) {
      endToken();
    } else {
      token += c;
    }
  }
  endToken();
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

// A paste token as a number; one that is not gives its error line.
bool ReadNumber(const std::string& token, long double& x) {
  if (TextToReal(token, x)) return true;
  ReportError("Failed to convert \"" + token + "\" into a real number", NoPosition, nullptr);
  return false;
}

}  // namespace

TMatEdit::TMatEdit(TComponent* owner, ITarnscript& engine, TBaseDataTree& tree)
    : TFrame(owner), engine_(engine), tree_(tree) {
  MECoolBar = new TCoolBar(this);
  MECoolBar->SetParent(this);
  MECoolBar->SetAlign(alTop);
  MECoolBar->SetAutoSize(true);
  METools = new TToolBar(this);
  METools->SetParent(MECoolBar);
  Grid = new TDrawGrid(this);
  Grid->SetParent(this);
  Grid->SetAlign(alClient);
  Grid->SetDefaultColWidth(DefaultColWidth);
  Grid->SetDefaultRowHeight(20);
  Grid->DefaultDrawing = false;
  Grid->SetParentFont(false);
  Grid->Font().SetName("Courier New");
  Grid->Font().SetHeight(-13);
  Grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect |
                   goDrawFocusSelected | goColSizing | goEditing | goTabs | goThumbTracking);
  Grid->OnGetCellText = [this](TObject*, int col, int row, std::string& text) { text = CellText(col, row); };
  Grid->OnDrawCell = [this](TObject*, int col, int row, const TRect& rect, TGridDrawState state) {
    DrawCell(col, row, rect, state);
  };
  Grid->OnSelectCell = [this](TObject*, int col, int row, bool& canSelect) {
    canSelect = col > 0 && row > 0;
    if (canSelect) PostSync();
  };
  Grid->OnSetEditText = [this](TObject*, int, int, const std::string& text) { EditTextChanged(text); };
  Grid->OnAcceptEditText = [this](TObject*, int col, int row, const std::string& text) {
    EditAccepted(col, row, text);
  };
  Grid->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int y) { GridMouseDown(button, x, y); };
  Grid->OnMouseMove = [this](TObject*, TShiftState, int x, int y) {
    GridMouseMove(x, y);
    // Narrowing a column brings others into view.
    MeasureNeededColumns();
  };
  Grid->OnTopLeftChanged = [this](TObject*) { MeasureNeededColumns(); };
  Grid->OnResize = [this](TObject*) { MeasureNeededColumns(); };
  Grid->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { dragging_ = false; };
}

// ---------------------------------------------------------------- the variable

void TMatEdit::LoadVariable(TArrVar* var, PDataNode node, bool adjustWidths) {
  KeepBadTexts(var);
  Var = var;
  Node = node;
  IsVector = SameKind(var->Kind(), FindKind("vector"));
  if (auto* tab = dynamic_cast<TTabSheet*>(Parent()))
    tab->SetCaption(" " + var->Name() + " : " + AsciiLowered(var->Kind()->GetText(true)) + " ");
  const int rows = std::max(ArrLength(var), 1);
  int cols = 1;
  if (!IsVector)
    for (std::int32_t i = 0; i < var->Count(); ++i)
      cols = std::max(cols, ArrLength(dynamic_cast<TArrVar*>(var->ElemAt(i))));
  Grid->SetColCount(cols + 1);
  Grid->SetRowCount(rows + 1);
  Grid->SetFixedCols(1);
  Grid->SetFixedRows(1);
  if (adjustWidths) {
    TCanvas& canvas = Grid->Canvas();
    canvas.Font().Assign(Grid->Font());
    Grid->SetColWidths(0, canvas.TextWidth("  " + std::to_string(rows)));
    // A tab not yet laid out shows at most a screen's height.
    const int shownHeight = Grid->ClientHeight() > 0 ? Grid->ClientHeight() : Screen().Height();
    widthRows_ = {Grid->TopRow(), std::min(rows, Grid->TopRow() + shownHeight / Grid->DefaultRowHeight() + 1)};
    unmeasured_.assign(static_cast<std::size_t>(cols) + 1, true);
    unmeasured_[0] = false;
    MeasureNeededColumns();
  }
  Grid->Invalidate();
  RepaintTreeRow();
}

// Widths are measured over the rows shown when the widths were asked for:
// a longer number further down is clipped. A column is measured when it
// first comes into view, so that a wide matrix opens at the cost of the
// columns shown; the last columns, whose widths set the horizontal scroll
// bar's range, are measured at once.
void TMatEdit::MeasureNeededColumns() {
  const int line = Grid->GridLineWidth();
  const int clientWidth = Grid->ClientWidth() > 0 ? Grid->ClientWidth() : Screen().Width();
  int fixedWidth = 0;
  for (int col = 0; col < Grid->FixedCols(); ++col) fixedWidth += Grid->ColWidths(col) + line;
  for (int col = Grid->LeftCol(), x = fixedWidth; col < Grid->ColCount() && x < clientWidth; ++col) {
    MeasureColumn(col);
    x += Grid->ColWidths(col) + line;
  }
  const int room = clientWidth - fixedWidth;
  for (int col = Grid->ColCount() - 1, used = 0; col >= Grid->FixedCols() && used <= room + line; --col) {
    MeasureColumn(col);
    used += Grid->ColWidths(col) + line;
  }
}

// Widened, never narrowed.
void TMatEdit::MeasureColumn(int col) {
  if (col >= static_cast<int>(unmeasured_.size()) || !unmeasured_[static_cast<std::size_t>(col)]) return;
  unmeasured_[static_cast<std::size_t>(col)] = false;
  TCanvas& canvas = Grid->Canvas();
  canvas.Font().Assign(Grid->Font());
  int width = std::max(Grid->ColWidths(col), DefaultColWidth);
  for (int row = widthRows_.first; row <= widthRows_.second; ++row)
    width = std::max(width, canvas.TextWidth(CellText(col, row) + "  "));
  Grid->SetColWidths(col, width);
}

// A reload that follows the selection's own mirroring, or any change
// elsewhere, leaves a pink cell pink; one whose element changed shows the
// element again.
void TMatEdit::KeepBadTexts(TArrVar* var) {
  if (var != Var) {
    badTexts_.clear();
    return;
  }
  std::erase_if(badTexts_, [this](const auto& entry) {
    const auto [col, row] = entry.first;
    const TBadText& kept = entry.second;
    if (!HasElement(col, row)) return kept.HadElement;
    const long double x = ElementAt(col, row);
    return !kept.HadElement || !(x == kept.Element || (x != x && kept.Element != kept.Element));
  });
}

bool TMatEdit::HasElement(int col, int row) {
  if (!Var || row < 1 || col < 1 || row > Var->Count()) return false;
  if (IsVector) return col == 1;
  const auto* line = dynamic_cast<TArrVar*>(Var->Elem(row));
  return line && col <= line->Count();
}

long double TMatEdit::ElementAt(int col, int row) {
  return IsVector ? GetVecElem(*Var, row) : GetMatElem(*Var, row, col);
}

bool TMatEdit::StoreElement(int col, int row, long double x) {
  if (ArrLength(Var) == 0 && col == 1 && row == 1) {
    if (IsVector)
      SetVecSize(*Var, 1, true);
    else
      SetMatSize(*Var, 1, 1, true);
  }
  if (!HasElement(col, row)) return false;
  if (IsVector)
    SetVecElem(*Var, row, x);
  else
    SetMatElem(*Var, row, col, x);
  return true;
}

std::string TMatEdit::CellText(int col, int row) {
  if (row == 0) return col > 0 && !IsVector ? std::to_string(col) : "";
  if (col == 0) return std::to_string(row);
  if (const auto kept = badTexts_.find({col, row}); kept != badTexts_.end()) return kept->second.Text;
  return HasElement(col, row) ? RealToText(ElementAt(col, row)) : "";
}

void TMatEdit::RepaintTreeRow() {
  PDataNode top = Node;
  while (top && top->Parent && top->Parent != tree_.RootNode()) top = top->Parent;
  if (top) tree_.RepaintNode(top);
}

// ---------------------------------------------------------------- drawing

void TMatEdit::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  TCanvas& canvas = Grid->Canvas();
  const std::string text = CellText(col, row);
  const bool number = text.empty() || IsNumber(text);
  const TGridRect selection = Grid->Selection();
  TColor base = Grid->Color();
  TColor end = base;
  if (state & gdFixed) {
    const bool inSelection = (col >= selection.Left && col <= selection.Right) ||
                             (row >= selection.Top && row <= selection.Bottom);
    base = inSelection ? SelectedHeaderColor : Grid->FixedColor();
    end = AdjustColor(base, inSelection ? 0.7f : 0.75f, 1.0f);
  } else if (state & gdSelected) {
    base = number ? SelectedNumberColor : SelectedTextColor;
    end = AdjustColor(base, number ? 0.9f : 0.8f, 1.0f);
  } else if (!number) {
    base = end = BadTextColor;
  }
  if (base == end) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(base);
    canvas.FillRect(rect);
  } else {
    FillGradient(canvas, rect, base, end, end, base);
  }
  canvas.Font().Assign(Grid->Font());
  canvas.Brush().SetStyle(bsClear);
  const TSize size = canvas.TextExtent(text);
  const int width = size.cx;
  const int x = rect.Right - TextInset - width;
  const int y = (rect.Top + rect.Bottom - size.cy) / 2;
  TRect clip = rect;
  if (width >= rect.Width() - TextInset) clip = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  canvas.TextRect(clip, x, y, text);
}

// ---------------------------------------------------------------- editing

void TMatEdit::EditTextChanged(const std::string& text) {
  if (TEdit* edit = Grid->InplaceEditor()) edit->Font().SetColor(IsNumber(text) ? clWindowText : clRed);
}

// A number is stored when the edit ends; any other text stays in its pink
// cell and leaves the element as it was. A running script owns the values.
void TMatEdit::EditAccepted(int col, int row, const std::string& text) {
  if (engine_.IsRunning()) return;
  long double x = 0;
  if (!TextToReal(text, x)) {
    const bool present = HasElement(col, row);
    badTexts_[{col, row}] = {text, present, present ? ElementAt(col, row) : 0.0L};
    return;
  }
  badTexts_.erase({col, row});
  if (StoreElement(col, row, x)) RepaintTreeRow();
}

// ---------------------------------------------------------------- selection

void TMatEdit::GridMouseDown(TMouseButton button, int x, int y) {
  if (button != mbLeft) return;
  lastCell_ = Grid->MouseCoord(x, y);
  SelectFromCell(lastCell_, true);
  dragging_ = true;
}

void TMatEdit::GridMouseMove(int x, int y) {
  const TGridCoord cell = Grid->MouseCoord(x, y);
  if (cell == lastCell_) return;
  lastCell_ = cell;
  if (dragging_) SelectFromCell(cell, false);
}

void TMatEdit::SelectFromCell(TGridCoord cell, bool start) {
  const int lastCol = Grid->ColCount() - 1;
  const int lastRow = Grid->RowCount() - 1;
  TGridRect rect;
  if (start) {
    anchor_ = cell;
    rect = {cell.X, cell.Y, cell.X, cell.Y};
    if (cell.X <= 0) {
      rect.Left = 1;
      rect.Right = lastCol;
      anchor_.X = lastCol;
    }
    if (cell.Y <= 0) {
      rect.Top = 1;
      rect.Bottom = lastRow;
      anchor_ = {rect.Right, lastRow};
    }
  } else {
    rect = {std::min(cell.X, anchor_.X), std::min(cell.Y, anchor_.Y), std::max(cell.X, anchor_.X),
            std::max(cell.Y, anchor_.Y)};
  }
  rect.Left = std::max(rect.Left, 1);
  rect.Top = std::max(rect.Top, 1);
  rect.Right = std::max(rect.Right, 1);
  rect.Bottom = std::max(rect.Bottom, 1);
  if (rect == Grid->Selection()) return;
  Grid->SetSelection(rect);
  PostSync();
}

void TMatEdit::PostSync() {
  if (HandleAllocated()) PostMessage(Handle(), WM_SYNCSELECTION, 0, 0);
}

void TMatEdit::Dispatch(TMessage& message) {
  if (message.Msg == WM_SYNCSELECTION) {
    SyncSelection();
    return;
  }
  TFrame::Dispatch(message);
}

TKind* TMatEdit::SelectionKind() {
  const TGridRect s = Grid->Selection();
  if (s.Left == s.Right && s.Top == s.Bottom) return BaseKind(kcReal);
  return FindKind(s.Left == s.Right || s.Top == s.Bottom ? "vector" : "matrix");
}

// Only the Workspace's own variable is ever written: another library's
// global of that name is left alone, and so is one that cannot be replaced.
TVar* TMatEdit::SelectionVariable(TKind* kind) {
  TVar* selection = engine_.FindVariable("selection");
  if (selection && (!selection->Lib() || !SameAsciiText(selection->Lib()->Name(), "Workspace"))) return nullptr;
  if (selection && !IsAssignable(selection->Kind(), kind)) {
    engine_.DeleteVariable("selection");
    if (engine_.FindVariable("selection")) return nullptr;
    selection = nullptr;
  }
  return selection ? selection : engine_.AddVariable("selection", kind);
}

void TMatEdit::SyncSelection() {
  if (syncing_ || !Var) return;
  if (engine_.IsRunning()) {
    syncAfterRun_ = true;
    return;
  }
  syncing_ = true;
  try {
    if (TVar* selection = SelectionVariable(SelectionKind())) {
      StoreSelection(*selection);
      Grid->Invalidate();
      engine_.NotifyDataClients(1);
      if (AfterSelectionSync) AfterSelectionSync();
    }
  } catch (...) {
    syncing_ = false;
    throw;
  }
  syncing_ = false;
}

void TMatEdit::RunEnded() {
  if (!syncAfterRun_) return;
  syncAfterRun_ = false;
  PostSync();
}

void TMatEdit::StoreSelection(TVar& target) {
  const TGridRect s = Grid->Selection();
  const auto value = [this](int col, int row) { return HasElement(col, row) ? ElementAt(col, row) : 0.0L; };
  if (s.Left == s.Right && s.Top == s.Bottom) {
    static_cast<TBaseVar&>(target).SetValue(TValue::Real(value(s.Left, s.Top)));
    return;
  }
  auto& array = static_cast<TArrVar&>(target);
  if (s.Left == s.Right || s.Top == s.Bottom) {
    const bool column = s.Left == s.Right;
    const int count = column ? s.Bottom - s.Top + 1 : s.Right - s.Left + 1;
    SetVecSize(array, count, true);
    for (int k = 0; k < count; ++k)
      SetVecElem(array, k + 1, column ? value(s.Left, s.Top + k) : value(s.Left + k, s.Top));
    return;
  }
  SetMatSize(array, s.Bottom - s.Top + 1, s.Right - s.Left + 1, true);
  for (int row = s.Top; row <= s.Bottom; ++row)
    for (int col = s.Left; col <= s.Right; ++col)
      SetMatElem(array, row - s.Top + 1, col - s.Left + 1, value(col, row));
}

// ---------------------------------------------------------------- clipboard

std::string TMatEdit::SelectionText() {
  const TGridRect s = Grid->Selection();
  std::string text;
  for (int row = s.Top; row <= s.Bottom; ++row) {
    for (int col = s.Left; col <= s.Right; ++col) {
      if (col > s.Left) text += '\t';
      if (HasElement(col, row)) text += RealToText(ElementAt(col, row), CopyDigits, 0);
    }
    text += '\n';
  }
  return text;
}

bool TMatEdit::CopySelection() {
  if (!Var) return false;
  try {
    Clipboard().SetAsText(SelectionText());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TMatEdit::WholeColumnsSelected() {
  const TGridRect s = Grid->Selection();
  return s.Top == 1 && s.Bottom == Grid->RowCount() - 1;
}

bool TMatEdit::WholeRowsSelected() {
  const TGridRect s = Grid->Selection();
  return s.Left == 1 && s.Right == Grid->ColCount() - 1;
}

bool TMatEdit::CanCut() { return Var && !engine_.IsRunning() && (WholeColumnsSelected() || WholeRowsSelected()); }

// Nothing is deleted unless its copy reached the clipboard.
void TMatEdit::Cut() {
  if (!CanCut() || !CopySelection()) return;
  const TGridRect s = Grid->Selection();
  if (WholeColumnsSelected() && WholeRowsSelected())
    Var->Reset();
  else if (IsVector)
    Var->DeleteRange(s.Top, s.Bottom);
  else if (WholeColumnsSelected())
    DeleteMatCols(*Var, s.Left, s.Right);
  else
    DeleteMatRows(*Var, s.Top, s.Bottom);
}

bool TMatEdit::CanPaste() {
  if (!Var || engine_.IsRunning()) return false;
  try {
    return !Clipboard().AsText().empty();
  } catch (const std::exception&) {
    return false;
  }
}

int TMatEdit::LastRow() { return std::max(ArrLength(Var), 1); }
int TMatEdit::LastCol() { return IsVector ? 1 : Grid->ColCount() - 1; }

// Each text line fills one grid row (transposed: one column) from the
// selection's top-left corner, up to the variable's end for one selected
// cell, else inside the selection. The first token that is not a number
// ends the paste; numbers past the last column are dropped.
void TMatEdit::Paste(bool transposed) {
  if (!CanPaste()) return;
  std::string text;
  try {
    text = Clipboard().AsText();
  } catch (const std::exception&) {
    return;
  }
  const auto lines = PasteLines(text);
  const TGridRect s = Grid->Selection();
  const bool single = s.Left == s.Right && s.Top == s.Bottom;
  const int lastRow = single ? LastRow() : s.Bottom;
  const int lastCol = single ? LastCol() : std::min(s.Right, LastCol());
  const int firstLine = transposed ? s.Left : s.Top;
  const int lastLine = transposed ? lastCol : lastRow;
  const int firstPlace = transposed ? s.Top : s.Left;
  const int lastPlace = transposed ? lastRow : lastCol;
  for (std::size_t i = 0; i < lines.size() && firstLine + static_cast<int>(i) <= lastLine; ++i) {
    const int line = firstLine + static_cast<int>(i);
    for (std::size_t k = 0; k < lines[i].size(); ++k) {
      const int place = firstPlace + static_cast<int>(k);
      long double x = 0;
      if (!ReadNumber(lines[i][k], x)) {
        if (place <= lastPlace) return;
        continue;
      }
      if (place > lastPlace) continue;
      StoreElement(transposed ? line : place, transposed ? place : line, x);
    }
  }
}

// ---------------------------------------------------------------- the tab

namespace {
int TabsMade = 0;
}  // namespace

TMETab::TMETab(ITarnscript& engine, TBaseDataTree& tree) : TTabSheet(nullptr) {
  SetName("TMETab" + std::to_string(++TabsMade));
  Editor = new TMatEdit(nullptr, engine, tree);
  Editor->SetParent(this);
  Editor->SetAlign(alClient);
}

TMETab::~TMETab() {
  Editor->SetParent(nullptr);
  delete Editor;
}
