#include "console/TxEditorStrings.h"

#include <algorithm>

#include "console/TxEditorCore.h"
#include "console/TxTextRoutines.h"
#include "console/TxUndo.h"
#include "console/UndoBuffer.h"
#include "runtime/Utf8Cells.h"

TTxEditorStrings::TTxEditorStrings(ITxEditorCore& editor) : editor_(editor) {
  LineBreak = "\r\n";
  OnChange = [this](TObject*) { ListChanged(); };
}

void TTxEditorStrings::SetText(const std::string& text) {
  TStringList::SetText(editor_.ExpandTabs(text));
  if (editor_.UpdateLock() == 0) editor_.UndoList().Clear();
  editor_.TextAllChanged(true);
}

int TTxEditorStrings::AddObject(const std::string& text, TObject* object) {
  return TStringList::AddObject(editor_.ExpandTabs(text), object);
}

void TTxEditorStrings::InsertObject(int index, const std::string& text, TObject* object) {
  TStringList::InsertObject(index, editor_.ExpandTabs(text), object);
}

void TTxEditorStrings::SetStrings(int index, const std::string& text) {
  CheckIndex(index, Count());
  if (editor_.KeepTrailingBlanks()) {
    TStringList::SetStrings(index, text);
    return;
  }
  const std::size_t kept = text.find_last_not_of(' ') + 1;  // npos + 1 == 0: all blanks
  if (kept < text.size()) {
    RecordUndo<TTxDeleteTrailUndo>(editor_, Spaces(static_cast<int>(text.size() - kept)), CellCount(text), index);
  }
  TStringList::SetStrings(index, text.substr(0, kept));
}

void TTxEditorStrings::SetTextLocked(const std::string& text) {
  TUpdateLockScope lock(editor_);
  TStringList::SetText(text);
}

void TTxEditorStrings::PutLocked(int index, const std::string& text) {
  TUpdateLockScope lock(editor_);
  SetStrings(index, text);
}

// New rows are recorded where their line breaks begin, at the end of the
// text's last row, so that undoing the run takes exactly them away.
void TTxEditorStrings::ReLine() {
  TUpdateLockScope lock(editor_);
  const int caretX = editor_.CaretX();
  const int caretY = editor_.CaretY();
  while (Count() - 1 < caretY) AppendRecordedRow("");
  const int length = RowLength(caretY);
  if (length < caretX) {
    const std::string blanks = Spaces(caretX - length);
    RecordUndo<TTxReLineUndo>(editor_, blanks, length, caretY);
    TStringList::SetStrings(caretY, Strings(caretY) + blanks);
  }
}

void TTxEditorStrings::AppendRecordedRow(const std::string& text) {
  const int lastRow = std::max(Count() - 1, 0);
  RecordUndo<TTxReLineUndo>(editor_, "\r\n", Count() > 0 ? RowLength(lastRow) : 0, lastRow);
  TStringList::AddObject(text, nullptr);
}

int TTxEditorStrings::RowLength(int y) const { return CellCount(At(y)); }

int TTxEditorStrings::PosFromCaret(int x, int y) const {
  if (y < 0 || y >= Count()) return -1;
  int pos = 0;
  for (int row = 0; row < y; ++row) pos += RowLength(row) + 2;
  return pos + std::clamp(x, 0, RowLength(y));
}

void TTxEditorStrings::CaretFromPos(int pos, int& x, int& y) const { CaretFromText(Text(), pos, x, y); }

void TTxEditorStrings::ListChanged() {
  if (editor_.UpdateLock() == 0) editor_.TextAllChanged(true);
}
