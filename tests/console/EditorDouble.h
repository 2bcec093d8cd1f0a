#pragma once
// An editor without a window for the text store and the undo list: it keeps
// the caret and selection, counts notifications, and edits the way the
// editor's commands do (record first, then change the rows).

#include <string>
#include <vector>

#include "console/TxEditorCore.h"
#include "console/TxEditorStrings.h"
#include "console/TxTextRoutines.h"
#include "console/TxUndo.h"
#include "console/UndoBuffer.h"
#include "runtime/Utf8Cells.h"

class TEditorDouble : public ITxEditorCore {
public:
  explicit TEditorDouble(const std::vector<std::string>& rows = {}) {
    for (const std::string& row : rows) lines.Add(row);
    undo.Clear();
  }

  TTxEditorStrings& Lines() override { return lines; }
  TUndoBuffer& UndoList() override { return undo; }
  int UpdateLock() const override { return lock; }
  void RaiseUpdateLock() override { ++lock; }
  void LowerUpdateLock() override { --lock; }
  bool KeepTrailingBlanks() const override { return keepTrailingBlanks; }
  int CaretX() const override { return caretX; }
  int CaretY() const override { return caretY; }
  void SetCaretInternal(int x, int y) override { caretX = x, caretY = y; }
  TTxSelection Selection() const override { return selection; }
  void SetSelection(const TTxSelection& s) override { selection = s; }
  void TextAllChanged(bool) override { ++textAllChanged; }
  void Changed() override { ++changed; }
  // Default tab stops: a Tab is two blanks.
  std::string ExpandTabs(std::string_view text) const override { return ReplaceString(text, "\t", "  "); }

  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < lines.Count(); ++i) rows.push_back(lines.Strings(i));
    return rows;
  }

  // ---- edits as the commands make them ----
  void MoveCaret(int x, int y) {
    if (x == caretX && y == caretY) return;
    RecordUndo<TTxCaretUndo>(*this);
    SetCaretInternal(x, y);
  }
  void Type(const std::string& character) {
    lines.ReLine();
    RecordUndo<TTxInsertUndo>(*this, character);
    PutRow(caretY, Spliced(caretY, caretX, 0, character));
    ++caretX;
  }
  void Overtype(const std::string& character) {
    const std::string row = lines.Strings(caretY);
    const bool atEnd = caretX >= CellCount(row);
    const std::string old = atEnd ? "" : row.substr(ByteOfCell(row, caretX), CellBytes(row.substr(ByteOfCell(row, caretX))));
    RecordUndo<TTxOverwriteUndo>(*this, old, character);
    PutRow(caretY, Spliced(caretY, caretX, atEnd ? 0 : 1, character));
    ++caretX;
  }
  void Backspace() {
    if (caretX > 0) {
      const int pos = lines.PosFromCaret(caretX - 1, caretY);
      const std::string row = lines.Strings(caretY);
      const std::size_t at = ByteOfCell(row, caretX - 1);
      RecordUndo<TTxBackspaceUndo>(*this, row.substr(at, CellBytes(row.substr(at))), pos);
      PutRow(caretY, Spliced(caretY, caretX - 1, 1, ""));
      --caretX;
    } else if (caretY > 0) {
      const int joinX = lines.RowLength(caretY - 1);
      RecordUndo<TTxBackspaceUndo>(*this, "\r", lines.PosFromCaret(joinX, caretY - 1));
      PutRow(caretY - 1, lines.Strings(caretY - 1) + lines.Strings(caretY));
      lines.Delete(caretY);
      caretX = joinX;
      --caretY;
    }
  }
  void DeleteForward() {
    const std::string row = lines.Strings(caretY);
    const std::size_t at = ByteOfCell(row, caretX);
    RecordUndo<TTxDeleteUndo>(*this, row.substr(at, CellBytes(row.substr(at))));
    PutRow(caretY, Spliced(caretY, caretX, 1, ""));
  }
  void Select(int begX, int begY, int endX, int endY) {
    RecordUndo<TTxSelectUndo>(*this);
    selection = TTxSelection{true, bfNonInclusive, begX, begY, endX, endY};
  }
  // A selection within one row.
  void DeleteSelected() {
    const std::string row = lines.Strings(selection.SelBegY);
    const std::size_t begin = ByteOfCell(row, selection.SelBegX);
    const std::size_t end = ByteOfCell(row, selection.SelEndX);
    RecordUndo<TTxDeleteSelectedUndo>(*this, row.substr(begin, end - begin));
    PutRow(selection.SelBegY, row.substr(0, begin) + row.substr(end));
    selection.Selected = false;
    caretX = selection.SelBegX;
  }

  TTxEditorStrings lines{*this};
  TUndoBuffer undo{*this};
  int lock = 0;
  bool keepTrailingBlanks = false;
  int caretX = 0;
  int caretY = 0;
  TTxSelection selection;
  int textAllChanged = 0;
  int changed = 0;

private:
  std::string Spliced(int y, int x, int cells, const std::string& with) const {
    const std::string row = lines.Strings(y);
    const std::size_t begin = ByteOfCell(row, x);
    return row.substr(0, begin) + with + row.substr(std::min(ByteOfCell(row, x + cells), row.size()));
  }
  void PutRow(int y, const std::string& text) { lines.PutLocked(y, text); }
};
