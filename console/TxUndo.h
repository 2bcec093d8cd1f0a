#pragma once
// The undo records of the text editor, one class per kind of edit. Each
// stores the caret as it was before the change (the compound brackets store
// nothing). Records are made with RecordUndo before the rows change.

#include <memory>
#include <string>
#include <vector>

#include "console/TxEditorCore.h"
#include "console/UndoBuffer.h"

class TUndo {
public:
  explicit TUndo(ITxEditorCore& editor) : editor_(editor) {}
  virtual ~TUndo() = default;
  virtual void Undo() = 0;

protected:
  // The records of this record's run, from the earliest (where Position is
  // left) to this one.
  template <typename Record>
  std::vector<Record*> Run();

  ITxEditorCore& editor_;
};

class TTxCaretUndo : public TUndo {
public:
  TTxCaretUndo(ITxEditorCore& editor, int caretX, int caretY) : TUndo(editor), CaretX(caretX), CaretY(caretY) {}
  explicit TTxCaretUndo(ITxEditorCore& editor) : TTxCaretUndo(editor, editor.CaretX(), editor.CaretY()) {}
  void Undo() override;

  int CaretX;
  int CaretY;
};

class TTxInsertUndo : public TTxCaretUndo {
public:
  TTxInsertUndo(ITxEditorCore& editor, std::string text, int caretX, int caretY)
      : TTxCaretUndo(editor, caretX, caretY), Text(std::move(text)) {}
  TTxInsertUndo(ITxEditorCore& editor, std::string text)
      : TTxInsertUndo(editor, std::move(text), editor.CaretX(), editor.CaretY()) {}
  void Undo() override;

  std::string Text;
};

class TTxReLineUndo : public TTxInsertUndo {
public:
  using TTxInsertUndo::TTxInsertUndo;
};

class TTxInsertTabUndo : public TTxInsertUndo {
public:
  using TTxInsertUndo::TTxInsertUndo;
};

class TTxInsertColumnUndo : public TTxInsertUndo {
public:
  using TTxInsertUndo::TTxInsertUndo;
  void Undo() override;
};

// Text is the deleted text.
class TTxDeleteUndo : public TTxInsertUndo {
public:
  using TTxInsertUndo::TTxInsertUndo;
  void Undo() override;
};

// Text is the trimmed blanks; the caret is the untrimmed row's end.
class TTxDeleteTrailUndo : public TTxDeleteUndo {
public:
  using TTxDeleteUndo::TTxDeleteUndo;
};

// Text is the removed text (CR for a line join); RemovedAt is the character
// position where it stood, so that a run goes back exactly there.
class TTxBackspaceUndo : public TTxDeleteUndo {
public:
  TTxBackspaceUndo(ITxEditorCore& editor, std::string text, int removedAt)
      : TTxDeleteUndo(editor, std::move(text)), RemovedAt(removedAt) {}
  void Undo() override;

  int RemovedAt;
};

// OldText is empty when the character was appended at the row's end.
class TTxOverwriteUndo : public TTxCaretUndo {
public:
  TTxOverwriteUndo(ITxEditorCore& editor, std::string oldText, std::string newText)
      : TTxCaretUndo(editor), OldText(std::move(oldText)), NewText(std::move(newText)) {}
  void Undo() override;

  std::string OldText;
  std::string NewText;
};

// BegPos and EndPos are 1-based positions in the whole text.
class TTxReplaceUndo : public TTxCaretUndo {
public:
  TTxReplaceUndo(ITxEditorCore& editor, int begPos, int endPos, std::string oldText, std::string newText)
      : TTxCaretUndo(editor), BegPos(begPos), EndPos(endPos), OldText(std::move(oldText)), NewText(std::move(newText)) {}
  void Undo() override;

  int BegPos;
  int EndPos;
  std::string OldText;
  std::string NewText;
};

// Text is the selected text; the selection is the editor's at recording.
class TTxDeleteSelectedUndo : public TTxDeleteUndo {
public:
  TTxDeleteSelectedUndo(ITxEditorCore& editor, std::string text)
      : TTxDeleteUndo(editor, std::move(text)), Selection(editor.Selection()) {}
  void Undo() override;

  TTxSelection Selection;
};

class TTxSelectUndo : public TTxCaretUndo {
public:
  explicit TTxSelectUndo(ITxEditorCore& editor) : TTxCaretUndo(editor), Selection(editor.Selection()) {}
  void Undo() override;

  TTxSelection Selection;
};

class TUnselectUndo : public TTxSelectUndo {
public:
  using TTxSelectUndo::TTxSelectUndo;
};

class TTxBeginCompoundUndo : public TUndo {
public:
  using TUndo::TUndo;
  void Undo() override {}
};

class TTxEndCompoundUndo : public TTxBeginCompoundUndo {
public:
  using TTxBeginCompoundUndo::TTxBeginCompoundUndo;
};

template <typename Record>
std::vector<Record*> TUndo::Run() {
  TUndoBuffer& buffer = editor_.UndoList();
  const int newest = buffer.Position();
  std::vector<Record*> run;
  for (int i = buffer.WalkBackRun(); i <= newest; ++i) run.push_back(static_cast<Record*>(&buffer.At(i)));
  return run;
}

template <typename Record, typename... Args>
void RecordUndo(ITxEditorCore& editor, Args&&... args) {
  TUndoBuffer& buffer = editor.UndoList();
  if (buffer.InUndo()) return;
  buffer.Add(std::make_unique<Record>(editor, std::forward<Args>(args)...));
}
