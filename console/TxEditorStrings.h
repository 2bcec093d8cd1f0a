#pragma once
// The editor's rows. Tabs are expanded as rows arrive, trailing blanks are
// trimmed (and recorded for undo) unless the editor keeps them, and the
// whole text joins rows with CR LF. Columns and positions count characters
// (runtime/Utf8Cells.h); a position counts a line break as two.

#include <string>

#include "runtime/StringList.h"

class ITxEditorCore;

class TTxEditorStrings : public TStringList {
public:
  explicit TTxEditorStrings(ITxEditorCore& editor);

  // Expands tabs, loads the rows, empties the undo list unless the editor's
  // update lock is raised, and tells the editor the whole text changed.
  void SetText(const std::string& text) override;
  int AddObject(const std::string& text, TObject* object) override;
  void InsertObject(int index, const std::string& text, TObject* object) override;
  // Trims trailing blanks unless the editor keeps them.
  void SetStrings(int index, const std::string& text) override;

  // Loads rows as they are, under the lock: no expansion, no undo clearing,
  // no notification.
  void SetTextLocked(const std::string& text);
  void PutLocked(int index, const std::string& text);
  // Makes the caret's position real: rows and blanks up to it, recorded.
  void ReLine();
  // A row at the end, recorded as ReLine records its rows.
  void AppendRecordedRow(const std::string& text);

  // -1 for a row outside the text; a column past its row's end counts as the end.
  int PosFromCaret(int x, int y) const;
  // (-1, -1) for a position outside the text.
  void CaretFromPos(int pos, int& x, int& y) const;
  // Characters in a row.
  int RowLength(int y) const;

private:
  void ListChanged();

  ITxEditorCore& editor_;
};
