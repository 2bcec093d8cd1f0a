// The operations of the text editor that change the text. Each records its
// undo first, reports the change through TextModified and ends with
// Changed; none does anything while the editor is read-only.

#include <algorithm>

#include "console/TxCustomEditor.h"
#include "console/TxTextRoutines.h"
#include "console/TxUndo.h"
#include "runtime/Utf8Cells.h"
#include "toolkit/win/PlaySound.h"

namespace {

const std::string LineBreak = "\r\n";


// Keeps the editor's update lock raised for a scope; at the end the whole
// view is laid out and repainted once.
class TUpdateScope {
public:
  explicit TUpdateScope(TTxCustomEditor& editor) : editor_(editor) { editor_.BeginUpdate(); }
  ~TUpdateScope() { editor_.EndUpdate(); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
  TTxCustomEditor& editor_;
};

}  // namespace

bool TTxCustomEditor::SelectionOutsideText() const {
  const int count = lines_->Count();
  return selection_.SelBegY < 0 || selection_.SelBegY >= count || selection_.SelEndY < 0 ||
         selection_.SelEndY >= count;
}

// A line block is handled as the stream it covers.
std::string TTxCustomEditor::GetSelText() const {
  const TTxSelection& s = selection_;
  if (!s.Selected) return {};
  if (SelectionOutsideText()) {
    MessageBeep(0);
    return {};
  }
  const int extra = s.SelBlockFormat == bfInclusive ? 1 : 0;
  std::string text;
  if (s.SelBlockFormat == bfColumn) {
    const int width = s.SelEndX - s.SelBegX + 1;
    for (int row = s.SelBegY; row <= s.SelEndY; ++row) {
      const std::string piece(CellSlice(lines_->Strings(row), s.SelBegX, s.SelEndX + 1));
      text += piece + Spaces(width - CellCount(piece)) + LineBreak;
    }
  } else if (s.SelBegY == s.SelEndY) {
    text = CellSlice(lines_->Strings(s.SelBegY), s.SelBegX, s.SelEndX + extra);
  } else {
    const std::string first = lines_->Strings(s.SelBegY);
    text = std::string(CellSlice(first, s.SelBegX, CellCount(first))) + LineBreak;
    for (int row = s.SelBegY + 1; row < s.SelEndY; ++row) text += lines_->Strings(row) + LineBreak;
    text += CellSlice(lines_->Strings(s.SelEndY), 0, s.SelEndX + extra);
  }
  return text;
}

// A selection whose rows lie outside the text deletes nothing.
void TTxCustomEditor::DeleteSelected() {
  if (!selection_.Selected) return;
  if (SelectionOutsideText()) {
    MessageBeep(0);
    return;
  }
  TUpdateScope update(*this);
  PaintCaret(false);
  const std::string text = GetSelText();
  RecordUndo<TTxDeleteSelectedUndo>(*this, text);
  const TTxSelection s = selection_;
  const int begin = PosFromCaret(s.SelBegX, s.SelBegY);
  if (s.SelBlockFormat == bfColumn) {
    for (int row = s.SelBegY; row <= s.SelEndY; ++row)
      lines_->PutLocked(row, EraseCells(lines_->Strings(row), s.SelBegX, s.SelEndX - s.SelBegX + 1));
    selection_.Selected = false;
    TextModified(begin, taColumnDeleted, text);
    SetCaretInternal(s.SelBegX, caretY_);
  } else {
    const int end = PosFromCaret(s.SelEndX, s.SelEndY) + (s.SelBlockFormat == bfInclusive ? 1 : 0);
    lines_->SetTextLocked(EraseCells(lines_->Text(), begin, end - begin));
    selection_.Selected = false;
    TextModified(begin, taDeleted, text);
    int x, y;
    CaretFromPos(begin, x, y);
    SetCaretInternal(x, y);
  }
  Changed();
}

// Tabs are expanded before the text is recorded, so that undo takes away
// exactly what was inserted.
void TTxCustomEditor::InsertText(const std::string& text) {
  if (readOnly_) return;
  const std::string inserted = ExpandTabs(text);
  TUpdateScope update(*this);
  PaintCaret(false);
  const int at = std::max(CaretPosition(), 0);
  RecordUndo<TTxInsertUndo>(*this, inserted);
  const std::string whole = InsertCells(lines_->Text(), at, inserted);
  TextModified(at, taInserted, inserted);
  lines_->SetText(whole);
  int x, y;
  CaretFromPos(at + CellCount(inserted), x, y);
  SetCaretInternal(x, y);
  Changed();
}

void TTxCustomEditor::SetSelText(const std::string& text) {
  if (readOnly_) return;
  TUpdateScope update(*this);
  BeginCompound();
  struct TEndCompound {
    TTxCustomEditor& Editor;
    ~TEndCompound() { Editor.EndCompound(); }
  } endCompound{*this};
  DeleteSelected();
  InsertText(text);
  SetSelStart(PosFromCaret(selection_.SelBegX, selection_.SelBegY));
  SetSelLength(CellCount(ExpandTabs(text)));
}

void TTxCustomEditor::TypeChar(char32_t c) {
  if (readOnly_) return;
  lines_->ReLine();
  if (c < 32) return;
  if (!IsIdentifierChar(c)) CompletionBeforeChar(c);
  DeleteSelected();
  lines_->ReLine();
  std::string typed;
  AppendUtf8(typed, c);
  const std::string row = lines_->Strings(caretY_);
  const bool beyondEnd = caretX_ >= CellCount(row);
  if (insertMode_) {
    RecordUndo<TTxInsertUndo>(*this, typed);
    lines_->PutLocked(caretY_, InsertCells(row, caretX_, typed));
  } else {
    const std::string old = beyondEnd ? std::string() : std::string(CellSlice(row, caretX_, caretX_ + 1));
    RecordUndo<TTxOverwriteUndo>(*this, old, typed);
    lines_->PutLocked(caretY_, InsertCells(EraseCells(row, caretX_, 1), caretX_, typed));
  }
  SetCaretInternal(caretX_ + 1, caretY_);
  TextModified(CaretPosition(), taInserted, typed);
  RepaintRows(caretY_, caretY_);
  Changed();
  if (IsIdentifierChar(c)) CompletionAfterChar(c);
}

// A caret row beyond the text is made real first: there is no row to split.
void TTxCustomEditor::NewLine() {
  if (readOnly_) return;
  DeleteSelected();
  if (lines_->Count() == 0 || caretY_ >= lines_->Count()) lines_->ReLine();
  RecordUndo<TTxInsertUndo>(*this, LineBreak);
  const int at = CaretPosition();
  int x = caretX_;
  int y = caretY_;
  {
    TUpdateLockScope lock(*this);
    const std::string row = lines_->Strings(y);
    lines_->Insert(y + 1, std::string(CellSlice(row, x, CellCount(row))));
    lines_->PutLocked(y, std::string(CellSlice(row, 0, x)));
    ++y;
  }
  const std::string split = lines_->Strings(y - 1);
  const bool blank = split.find_first_not_of(' ') == std::string::npos;
  const bool indented = !split.empty() && split[0] == ' ';
  if (AutoIndent && (indented || (blank && x != 0))) {
    const int width = GetSmartTabStop(0, y, true, true);
    RecordUndo<TTxInsertUndo>(*this, Spaces(width), 0, y);
    lines_->PutLocked(y, Spaces(width) + lines_->Strings(y));
    x = width;
  } else {
    x = 0;
  }
  UpdateLayout();
  TextModified(at - 1, taInserted, LineBreak);
  Invalidate();
  Changed();
  SetCaretInternal(x, y);
}

void TTxCustomEditor::DeleteLeft() {
  if (readOnly_) return;
  if (selection_.Selected) {
    DeleteSelected();
    return;
  }
  if (caretX_ == 0 && caretY_ == 0) return;
  lines_->ReLine();
  if (caretX_ == 0) {
    const int at = CaretPosition();
    const int y = caretY_ - 1;
    const int joinX = lines_->RowLength(y);
    RecordUndo<TTxBackspaceUndo>(*this, "\r", PosFromCaret(joinX, y));
    lines_->PutLocked(y, lines_->Strings(y) + lines_->Strings(caretY_));
    lines_->Delete(caretY_);
    SetCaretInternal(joinX, y);
    UpdateLayout();
    TextModified(at - 2, taDeleted, LineBreak);
    Invalidate();
    Changed();
    return;
  }
  const int to = BackSpaceUnindents ? GetBackStop(caretX_, caretY_) : caretX_ - 1;
  const std::string row = lines_->Strings(caretY_);
  const std::string removed(CellSlice(row, to, caretX_));
  RecordUndo<TTxBackspaceUndo>(*this, removed, PosFromCaret(to, caretY_));
  lines_->PutLocked(caretY_, EraseCells(row, to, caretX_ - to));
  TextModified(CaretPosition() - 1, taDeleted, removed);
  RepaintRows(caretY_, caretY_);
  Changed();
  SetCaretInternal(to, caretY_);
}

// The position is made real first: a join past the row's end then follows
// the padding, and one undo restores both rows exactly.
void TTxCustomEditor::DeleteRight() {
  if (readOnly_) return;
  if (lines_->Count() == 0) lines_->Add("");
  if (selection_.Selected) {
    DeleteSelected();
    return;
  }
  lines_->ReLine();
  const std::string row = lines_->Strings(caretY_);
  if (caretX_ < CellCount(row)) {
    const std::string removed(CellSlice(row, caretX_, caretX_ + 1));
    RecordUndo<TTxDeleteUndo>(*this, removed);
    lines_->PutLocked(caretY_, EraseCells(row, caretX_, 1));
    TextModified(CaretPosition(), taDeleted, removed);
    RepaintRows(caretY_, caretY_);
    Changed();
  } else if (caretY_ < lines_->Count() - 1) {
    JoinWithNextRow();
  }
}

void TTxCustomEditor::JoinWithNextRow() {
  RecordUndo<TTxDeleteUndo>(*this, LineBreak);
  lines_->PutLocked(caretY_, lines_->Strings(caretY_) + lines_->Strings(caretY_ + 1));
  lines_->Delete(caretY_ + 1);
  UpdateLayout();
  TextModified(CaretPosition(), taDeleted, LineBreak);
  Invalidate();
  Changed();
}

void TTxCustomEditor::TabRight() {
  if (readOnly_) return;
  if (selection_.Selected) {
    PostCommand(383);
    return;
  }
  lines_->ReLine();
  const int x = GetSmartTabStop(caretX_, caretY_, false, true);
  if (insertMode_ && x > caretX_) {
    const std::string blanks = Spaces(x - caretX_);
    RecordUndo<TTxInsertTabUndo>(*this, blanks);
    lines_->PutLocked(caretY_, InsertCells(lines_->Strings(caretY_), caretX_, blanks));
    TextModified(CaretPosition(), taInserted, blanks);
    RepaintRows(caretY_, caretY_);
    Changed();
  }
  SetCaretInternal(x, caretY_);
}

void TTxCustomEditor::TabLeft() {
  if (readOnly_) return;
  if (selection_.Selected) {
    PostCommand(384);
    return;
  }
  lines_->ReLine();
  SetCaretInternal(GetTabStop(caretX_), caretY_);
}

// Whole rows only: from column 0 of one row to column 0 of a later one,
// within the text.
bool TTxCustomEditor::WholeRowsSelected() const {
  const TTxSelection& s = selection_;
  return !readOnly_ && s.Selected && s.SelBegY != s.SelEndY && s.SelBegX == 0 && s.SelEndX == 0 &&
         !SelectionOutsideText();
}

void TTxCustomEditor::IndentBlock() {
  if (!WholeRowsSelected()) return;
  const std::string indent = Spaces(GetTabStop(1) - caretX_);
  std::string text = ReplaceString(GetSelText(), LineBreak, LineBreak + indent);
  if (text.ends_with(LineBreak + indent)) text.resize(text.size() - indent.size());
  SetSelText(indent + text);
}

void TTxCustomEditor::UnindentBlock() {
  if (!WholeRowsSelected()) return;
  const std::string indent = Spaces(GetTabStop(1) - caretX_);
  std::string text = ReplaceString(GetSelText(), LineBreak + indent, LineBreak);
  const std::size_t leading = std::min(text.find_first_not_of(' '), indent.size());
  SetSelText(text.substr(std::min(leading, text.size())));
}

void TTxCustomEditor::DeleteSelection() {
  if (!readOnly_ && selection_.Selected) DeleteSelected();
}

void TTxCustomEditor::ChangeSelectionCase(std::string (*convert)(std::string_view)) {
  if (!readOnly_ && selection_.Selected) SetSelText(convert(GetSelText()));
}

void TTxCustomEditor::UpperCaseSelection() { ChangeSelectionCase(UpperCase); }

void TTxCustomEditor::LowerCaseSelection() { ChangeSelectionCase(LowerCase); }

void TTxCustomEditor::SwapCaseSelection() { ChangeSelectionCase(ChangeCase); }
