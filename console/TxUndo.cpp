#include "console/TxUndo.h"

#include <algorithm>

#include "console/TxEditorStrings.h"
#include "console/TxTextRoutines.h"
#include "runtime/Utf8Cells.h"

namespace {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t begin = 0;
  for (std::size_t found; (found = text.find("\r\n", begin)) != std::string_view::npos; begin = found + 2)
    parts.emplace_back(text.substr(begin, found - begin));
  parts.emplace_back(text.substr(begin));
  return parts;
}

// The texts of a run, oldest first.
template <typename Record>
std::string Joined(const std::vector<Record*>& run) {
  std::string text;
  for (const Record* record : run) text += record->Text;
  return text;
}

}  // namespace

void TTxCaretUndo::Undo() {
  const std::vector<TTxCaretUndo*> run = Run<TTxCaretUndo>();
  editor_.SetCaretInternal(run.front()->CaretX, run.front()->CaretY);
}

void TTxInsertUndo::Undo() {
  const std::vector<TTxInsertUndo*> run = Run<TTxInsertUndo>();
  const TTxInsertUndo& earliest = *run.front();
  TTxEditorStrings& lines = editor_.Lines();
  const int pos = lines.PosFromCaret(earliest.CaretX, earliest.CaretY);
  if (pos < 0) return;
  lines.SetTextLocked(EraseCells(lines.Text(), pos, CellCount(Joined(run))));
  editor_.SetCaretInternal(earliest.CaretX, earliest.CaretY);
}

void TTxInsertColumnUndo::Undo() {
  TTxEditorStrings& lines = editor_.Lines();
  const std::vector<std::string> parts = SplitLines(Text);
  for (int i = 0; i < static_cast<int>(parts.size()) && CaretY + i < lines.Count(); ++i) {
    const int row = CaretY + i;
    lines.SetStrings(row, EraseCells(lines.Strings(row), CaretX, CellCount(parts[i])));
  }
  editor_.SetCaretInternal(CaretX, CaretY);
}

void TTxDeleteUndo::Undo() {
  const std::vector<TTxDeleteUndo*> run = Run<TTxDeleteUndo>();
  const TTxDeleteUndo& earliest = *run.front();
  TTxEditorStrings& lines = editor_.Lines();
  const int pos = lines.PosFromCaret(earliest.CaretX, earliest.CaretY);
  if (pos < 0) return;
  lines.SetTextLocked(InsertCells(lines.Text(), pos, Joined(run)));
  editor_.SetCaretInternal(earliest.CaretX, earliest.CaretY);
}

// The newest record removed the text that comes first in the document.
void TTxBackspaceUndo::Undo() {
  const std::vector<TTxBackspaceUndo*> run = Run<TTxBackspaceUndo>();
  std::string text;
  for (auto record = run.rbegin(); record != run.rend(); ++record) text += (*record)->Text;
  TTxEditorStrings& lines = editor_.Lines();
  const int removedAt = run.back()->RemovedAt;
  if (removedAt < 0) return;
  lines.SetTextLocked(InsertCells(lines.Text(), removedAt, text));
  editor_.SetCaretInternal(run.front()->CaretX, run.front()->CaretY);
}

void TTxOverwriteUndo::Undo() {
  TTxEditorStrings& lines = editor_.Lines();
  if (CaretY >= 0 && CaretY < lines.Count()) {
    const std::string row = lines.Strings(CaretY);
    lines.SetStrings(CaretY, InsertCells(EraseCells(row, CaretX, 1), CaretX, OldText));
  }
  editor_.SetCaretInternal(CaretX, CaretY);
}

void TTxReplaceUndo::Undo() {
  TTxEditorStrings& lines = editor_.Lines();
  const int pos = BegPos - 1;
  if (pos >= 0) lines.SetTextLocked(InsertCells(EraseCells(lines.Text(), pos, CellCount(NewText)), pos, OldText));
  editor_.SetCaretInternal(CaretX, CaretY);
}

// A line block goes back as the stream it was cut from.
void TTxDeleteSelectedUndo::Undo() {
  TTxEditorStrings& lines = editor_.Lines();
  if (Selection.SelBlockFormat == bfColumn) {
    for (int row = Selection.SelBegY; row <= Selection.SelEndY && row < lines.Count(); ++row) {
      const std::string part = SubStr(Text, row - Selection.SelBegY, "\r\n");
      std::string text = lines.Strings(row);
      text += Spaces(Selection.SelBegX - CellCount(text));
      lines.SetStrings(row, InsertCells(text, Selection.SelBegX, part));
    }
  } else {
    const int pos = lines.PosFromCaret(Selection.SelBegX, Selection.SelBegY);
    if (pos >= 0) lines.SetTextLocked(InsertCells(lines.Text(), pos, Text));
  }
  TTxSelection restored = Selection;
  restored.Selected = !Text.empty();
  editor_.SetSelection(restored);
  editor_.SetCaretInternal(CaretX, CaretY);
}

void TTxSelectUndo::Undo() {
  editor_.SetSelection(Selection);
  editor_.SetCaretInternal(CaretX, CaretY);
}
