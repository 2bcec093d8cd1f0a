#include "console/TxCustomEditor.h"

#include <algorithm>

#include "console/TxTextRoutines.h"
#include "console/TxUndo.h"
#include "toolkit/controls/Timer.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/win/Caret.h"
#include "toolkit/win/MessageQueue.h"

namespace {

// The caret may stand this far right whatever its row holds.
constexpr int CaretColumnLimit = 1024;
// The horizontal extent is at least this many columns.
constexpr int MinimumColCount = 256;

}  // namespace

int TTxEditorClient::Left() const { return editor_.GutterWidth() + 2; }

int TTxEditorClient::Width() const { return std::max(editor_.ClientWidth() - Left(), 0); }

int TTxEditorClient::Height() const { return editor_.ClientHeight(); }

TTxCustomEditor::TTxCustomEditor(TComponent* owner)
    : TCustomControl(owner),
      lines_(std::make_unique<TTxEditorStrings>(*this)),
      undo_(std::make_unique<TUndoBuffer>(*this)),
      scrollTimer_(new TTimer(this)),
      completion_(std::make_unique<TTxCompletion>(*this)) {
  keyboard_.SetDefaultLayout();
  SetBounds(Left(), Top(), 150, 40);
  SetColor(clWindow);
  SetParentColor(false);
  SetParentFont(false);
  SetCursor(crIBeam);
  TabStop = true;
  SetTabStops("3 5");
  Font().SetName("Courier New");
  Font().SetSize(10);
  ControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
  scrollTimer_->SetEnabled(false);
  scrollTimer_->SetInterval(100);
  scrollTimer_->SetOnTimer([this](TObject*) { ScrollTimerTick(); });
  scrollBarHorz_.OnScroll = [this](int code, int& pos) { ScrollBarScroll(false, code, pos); };
  scrollBarVert_.OnScroll = [this](int code, int& pos) { ScrollBarScroll(true, code, pos); };
  UpdateLayout();
}

// The list and the undo records call back into the editor while they go.
TTxCustomEditor::~TTxCustomEditor() {
  undo_.reset();
  lines_.reset();
}

void TTxCustomEditor::EndUpdate() {
  if (--updateLock_ > 0) return;
  updateLock_ = 0;
  fullRepaint_ = true;
  UpdateLayout();
  StatusChanged();
  Invalidate();
}

TRect TTxCustomEditor::CellRect(int col, int row) const {
  return Bounds(client_.Left() + (col - leftCol_) * cellWidth_ + 1, client_.Top() + (row - topRow_) * cellHeight_,
                cellWidth_, cellHeight_);
}

// ---- caret ----

void TTxCustomEditor::SetCaretInternal(int x, int y) {
  if (x == caretX_ && y == caretY_) return;
  if (!CursorBeyondEOF) y = std::min(y, lines_->Count() - 1);
  y = std::max(y, 0);
  const int rowLength = y < lines_->Count() ? lines_->RowLength(y) : 0;
  x = std::clamp(x, 0, std::max(CaretColumnLimit, rowLength));
  int top = topRow_;
  if (y < topRow_) top = y;
  else if (y > std::max(lastVisibleRow_, 0)) top = y - visibleRowCount_ + 1;
  int left = leftCol_;
  if (x < leftCol_) left = x;
  else if (x > std::max(lastVisibleCol_, 0)) left = x - visibleColCount_ + 1;
  PaintCaret(false);
  const bool moved = x != caretX_ || y != caretY_;
  caretX_ = x;
  caretY_ = y;
  SetLeftTop(left, top);
  PaintCaret(true);
  if (moved && OnChangeStatus) OnChangeStatus(this);
}

void TTxCustomEditor::SetCaret(int x, int y) {
  if (x == caretX_ && y == caretY_) return;
  RecordUndo<TTxCaretUndo>(*this);
  SetCaretInternal(x, y);
  if (updateLock_ == 0) StatusChanged();
}

// ---- selection ----

void TTxCustomEditor::SetSelection(const TTxSelection& selection) {
  selection_ = selection;
  RepaintRows(std::min(updateSelBegY_, selection_.SelBegY), std::max(updateSelEndY_, selection_.SelEndY));
  updateSelBegY_ = selection_.SelBegY;
  updateSelEndY_ = selection_.SelEndY;
}

void TTxCustomEditor::SetSel(int x, int y) {
  RecordUndo<TTxSelectUndo>(*this);
  TTxSelection& s = selection_;
  const TTxSelection old = s;
  if (s.Selected) {
    updateSelBegY_ = s.SelBegY;
    updateSelEndY_ = s.SelEndY;
    s.SelBegY = std::min(selAnchorY_, y);
    s.SelEndY = std::max(selAnchorY_, y);
    const bool column = s.SelBlockFormat == bfColumn;
    const bool beforeAnchor = y < selAnchorY_ || (y == selAnchorY_ && x <= selAnchorX_);
    if (beforeAnchor) {
      s.SelBegX = column && selAnchorX_ < x ? selAnchorX_ : x;
      s.SelEndX = column && selAnchorX_ < x ? x : selAnchorX_;
    } else {
      s.SelBegX = column && x < selAnchorX_ ? x : selAnchorX_;
      s.SelEndX = column && x < selAnchorX_ ? selAnchorX_ : x;
    }
  } else {
    selAnchorX_ = s.SelBegX = s.SelEndX = x;
    selAnchorY_ = s.SelBegY = s.SelEndY = y;
  }
  s.Selected = true;
  if (CompoundLevel == 0) {
    if (s.SelBlockFormat == bfColumn) {
      RepaintRows(std::min(old.SelBegY, s.SelBegY), std::max(old.SelEndY, s.SelEndY));
    } else {
      RepaintRows(std::min(old.SelBegY, s.SelBegY), std::max(old.SelBegY, s.SelBegY));
      RepaintRows(std::min(old.SelEndY, s.SelEndY), std::max(old.SelEndY, s.SelEndY));
    }
    SelectionChanged();
    if (OnSelectionChange) OnSelectionChange(this);
  }
  updateSelBegY_ = std::min(updateSelBegY_, s.SelBegY);
  updateSelEndY_ = std::max(updateSelEndY_, s.SelEndY);
}

void TTxCustomEditor::ClearSelection() {
  if (!selection_.Selected) return;
  selection_.Selected = false;
  RecordUndo<TUnselectUndo>(*this);
  RepaintRows(updateSelBegY_, updateSelEndY_);
}

void TTxCustomEditor::SetSelStart(int pos) {
  selection_.Selected = true;
  CaretFromPos(pos, selection_.SelBegX, selection_.SelBegY);
  SetCaretInternal(selection_.SelBegX, selection_.SelBegY);
  SetSelLength(0);
  MakeRowVisible(selection_.SelBegY);
}

void TTxCustomEditor::SetSelLength(int length) {
  selection_.Selected = length > 0;
  CaretFromPos(CaretPosition() + length, selection_.SelEndX, selection_.SelEndY);
  updateSelBegY_ = selection_.SelBegY;
  updateSelEndY_ = selection_.SelEndY;
  SetCaretInternal(selection_.SelEndX, selection_.SelEndY);
  Invalidate();
}

void TTxCustomEditor::SetSelBlockFormat(TSelBlockFormat format) { Command(static_cast<WORD>(356 + format)); }

// ---- notifications ----

void TTxCustomEditor::TextModified(int, TTextAction, const std::string&) {}

void TTxCustomEditor::TextAllChanged(bool clearSelection) {
  if (clearSelection) selection_.Selected = false;
  TextModified(0, taInserted, lines_->Text());
  UpdateLayout();
  if (Showing() && updateLock_ == 0) Invalidate();
}

void TTxCustomEditor::Changed() {
  Modified = true;
  if (OnChange) OnChange(this);
  StatusChanged();
}

void TTxCustomEditor::StatusChanged() {
  if (OnChangeStatus) OnChangeStatus(this);
}

void TTxCustomEditor::BeginCompound() {
  ++CompoundLevel;
  RecordUndo<TTxBeginCompoundUndo>(*this);
}

void TTxCustomEditor::EndCompound() {
  RecordUndo<TTxEndCompoundUndo>(*this);
  --CompoundLevel;
}

void TTxCustomEditor::PostCommand(WORD command) { PostMessage(Handle(), WM_EDITORCOMMAND, command, 0); }

// ---- layout and properties ----

void TTxCustomEditor::UpdateLayout() {
  if (ComponentState() & csLoading) return;
  Canvas().Font().Assign(Font());
  MeasureCells();
  visibleColCount_ = client_.Width() / cellWidth_;
  visibleRowCount_ = ClientHeight() / cellHeight_;
  RecomputeLastVisible();
  rowCount_ = std::max(lines_->Count(), 1);
  colCount_ = std::max(MinimumColCount, LongestRow() + 1);
  scrollBarVert_.SetParam(TTxControlScrollBar95::spMax, std::max(1, rowCount_ + visibleRowCount_ - 2));
  scrollBarHorz_.SetParam(TTxControlScrollBar95::spMax, colCount_ - 1);
  scrollBarHorz_.SetParam(TTxControlScrollBar95::spPage, visibleColCount_);
  scrollBarVert_.SetParam(TTxControlScrollBar95::spPage, visibleRowCount_);
  scrollBarHorz_.LargeChange = std::max(visibleColCount_, 1);
  scrollBarVert_.LargeChange = std::max(visibleRowCount_, 1);
  if (HandleAllocated() && updateLock_ == 0) gutter_.Paint();
}

// On a memory device context: the control may have no window yet.
void TTxCustomEditor::MeasureCells() {
  TCanvas measure;
  const HDC dc = CreateCompatibleDC(nullptr);
  measure.SetHandle(dc);
  measure.Font().Assign(Font());
  cellHeight_ = std::max(measure.TextHeight("W") + 1, 1);
  cellWidth_ = std::max(measure.TextWidth("WW") / 2, 1);
  measure.SetHandle(nullptr);
  DeleteDC(dc);
}

void TTxCustomEditor::Resize() {
  UpdateLayout();
  TCustomControl::Resize();
}

void TTxCustomEditor::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  if (HandleAllocated()) RecreateWnd();
}

void TTxCustomEditor::SetScrollBars(TScrollStyle bars) {
  if (bars == scrollBars_) return;
  scrollBars_ = bars;
  if (HandleAllocated()) RecreateWnd();
}

void TTxCustomEditor::SetRightMarginVisible(bool visible) {
  rightMarginVisible_ = visible;
  Invalidate();
}

void TTxCustomEditor::SetRightMargin(int column) {
  rightMargin_ = column;
  Invalidate();
}

void TTxCustomEditor::SetRightMarginColor(TColor color) {
  rightMarginColor_ = color;
  Invalidate();
}

void TTxCustomEditor::SetGutterWidth(int width) {
  if (width == gutterWidth_) return;
  gutterWidth_ = width;
  UpdateLayout();
  Invalidate();
}

void TTxCustomEditor::SetGutterColor(TColor color) {
  if (color == gutterColor_) return;
  gutterColor_ = color;
  if (HandleAllocated()) gutter_.Paint();
}

void TTxCustomEditor::SetInsertMode(bool insertMode) {
  if (insertMode == insertMode_) return;
  insertMode_ = insertMode;
  StatusChanged();
}

void TTxCustomEditor::SetReadOnly(bool readOnly) {
  if (readOnly == readOnly_) return;
  readOnly_ = readOnly;
  StatusChanged();
}

void TTxEditor::SetFlagProperty(int index, bool value) {
  if (index == 0) SetInsertMode(value);
  else if (index == 1) SetReadOnly(value);
}

std::string TTxEditor::WordAtCaret() const {
  const TTxEditorStrings& lines = Lines();
  if (CaretY() < 0 || CaretY() >= lines.Count()) return {};
  return GetWordOnPos(lines.Strings(CaretY()), CaretX() + 1);
}

void TTxEditor::SetLines(const TStrings* lines) {
  if (lines) Lines().Assign(*lines);
  UndoList().Clear();
}
