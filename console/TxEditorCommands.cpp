// The text editor's commands: the keys that reach them, the dispatcher
// with its common steps, the caret and selection commands, bookmarks and
// recording.

#include <algorithm>

#include "console/TxCommands.h"
#include "console/TxCustomEditor.h"
#include "console/TxTextRoutines.h"
#include "runtime/Utf8Cells.h"

namespace {

}  // namespace

// ---- keys ----

void TTxCustomEditor::KeyDown(WORD& key, TShiftState shift) {
  if (completion_->Visible()) {
    if (completion_->DoKeyDown(key)) return;
  } else {
    completion_->StopTimer();
  }
  WORD code;
  if (chordPending_) {
    code = keyboard_.Command2(chordKey_, chordShift_, key, shift);
    chordPending_ = false;
    ignoreKeyPress_ = true;
  } else {
    TCustomControl::KeyDown(key, shift);
    chordKey_ = key;
    chordShift_ = shift;
    code = key ? keyboard_.Command(key, shift) : 0;
    chordPending_ = code == ecChordPrefix;
    ignoreKeyPress_ = code != 0;
  }
  if (code != 0 && code != ecChordPrefix) {
    Command(code);
    key = 0;
  }
  if (code == ecBackspace) completion_->DoKeyPress(8);
}

// The character of every mapped key, and of both keys of a chord, is dropped.
void TTxCustomEditor::KeyPress(char32_t& key) {
  if (ignoreKeyPress_) {
    ignoreKeyPress_ = false;
    key = 0;
    return;
  }
  if (readOnly_) return;
  PaintCaret(false);
  TCustomControl::KeyPress(key);
  if (key) TypeKey(key);
  PaintCaret(true);
}

// Characters beyond the command codes are typed and recorded as characters.
void TTxCustomEditor::TypeKey(char32_t c) {
  if (c <= 0xFF) {
    Command(static_cast<WORD>(c));
    return;
  }
  PaintCaret(false);
  Record(0, c);
  TypeChar(c);
  PaintCaret(true);
}

// ---- the dispatcher ----

void TTxCustomEditor::Command(WORD command) {
  PaintCaret(false);
  struct TShowCaret {
    TTxCustomEditor& Editor;
    ~TShowCaret() { Editor.PaintCaret(true); }
  } showCaret{*this};
  Record(command, 0);
  if (command <= 0xFF) {
    TypeChar(command);
    return;
  }
  TCommandState state{caretX_, caretY_};
  if (!RunCommand(command, state)) return;
  if (state.CaretUndo) SetCaret(std::max(state.X, 0), state.Y);
  else SetCaretInternal(std::max(state.X, 0), state.Y);
}

// Neither starting or stopping nor playing a recording is recorded: a
// recording that played itself would recurse until the stack ran out.
// Commands inside a compound group belong to the command that opened it.
void TTxCustomEditor::Record(WORD command, char32_t character) {
  if (!Recording || CompoundLevel != 0) return;
  if (command == ecRecord || command == ecPlayMacro || command == ecBeginCompound) return;
  recordBuffer_.push_back({command, character});
}

void TTxCustomEditor::RunCommands(std::initializer_list<WORD> commands) {
  for (const WORD command : commands) Command(command);
}

bool TTxCustomEditor::RunCommand(WORD command, TCommandState& state) {
  switch (command) {
    case ecLeft: MoveStep(state, false, &TTxCustomEditor::StepLeft); return true;
    case ecSelLeft: MoveStep(state, true, &TTxCustomEditor::StepLeft); return true;
    case ecRight: MoveStep(state, false, &TTxCustomEditor::StepRight); return true;
    case ecSelRight: MoveStep(state, true, &TTxCustomEditor::StepRight); return true;
    case ecUp: MoveStep(state, false, &TTxCustomEditor::StepUp); return true;
    case ecSelUp: MoveStep(state, true, &TTxCustomEditor::StepUp); return true;
    case ecDown: MoveStep(state, false, &TTxCustomEditor::StepDown); return true;
    case ecSelDown: MoveStep(state, true, &TTxCustomEditor::StepDown); return true;
    case ecWordLeft: MoveStep(state, false, &TTxCustomEditor::StepWordLeft); return true;
    case ecSelWordLeft: MoveStep(state, true, &TTxCustomEditor::StepWordLeft); return true;
    case ecWordRight: MoveStep(state, false, &TTxCustomEditor::StepWordRight); return true;
    case ecSelWordRight: MoveStep(state, true, &TTxCustomEditor::StepWordRight); return true;
    case ecLineStart: MoveStep(state, false, &TTxCustomEditor::StepLineStart); return true;
    case ecSelLineStart: MoveStep(state, true, &TTxCustomEditor::StepLineStart); return true;
    case ecLineEnd: MoveStep(state, false, &TTxCustomEditor::StepLineEnd); return true;
    case ecSelLineEnd: MoveStep(state, true, &TTxCustomEditor::StepLineEnd); return true;
    case ecDocStart: MoveStep(state, false, &TTxCustomEditor::StepDocStart); return true;
    case ecSelDocStart: MoveStep(state, true, &TTxCustomEditor::StepDocStart); return true;
    case ecDocEnd: MoveStep(state, false, &TTxCustomEditor::StepDocEnd); return true;
    case ecSelDocEnd: MoveStep(state, true, &TTxCustomEditor::StepDocEnd); return true;
    case ecSelWord: SelectWordStep(state); return true;
    case ecTopOfView: state.Y = topRow_; return true;
    case ecBottomOfView: state.Y = topRow_ + visibleRowCount_ - 1; return true;
    case ecPageUp: PageStep(state, -1, false); return true;
    case ecPageDown: PageStep(state, +1, false); return true;
    case ecSelPageUp: PageStep(state, -1, true); return true;
    case ecSelPageDown: PageStep(state, +1, true); return true;
    case ecSelectAll:
      RunCommands({ecBeginCompound, ecBeginUpdate, ecDocStart, ecSelDocEnd, ecEndUpdate, ecEndCompound});
      return false;
    case ecScrollUp: ScrollRowStep(state, -1); return true;
    case ecScrollDown: ScrollRowStep(state, +1); return true;
    case ecBlockInclusive:
    case ecBlockLine:
    case ecBlockColumn:
    case ecBlockNonInclusive:
      selection_.SelBlockFormat = static_cast<TSelBlockFormat>(command - ecBlockInclusive);
      RepaintRows(selection_.SelBegY, selection_.SelEndY);
      StatusChanged();
      return true;
    case ecToggleInsert: SetInsertMode(!insertMode_); return true;
    case ecDeleteLine:
      if (!readOnly_)
        RunCommands({ecBeginCompound, ecBeginUpdate, ecLineStart, ecSelLineEnd, ecDelete, ecDelete, ecEndUpdate,
                     ecEndCompound});
      return false;
    case ecDeleteWord:
      if (!readOnly_)
        RunCommands({ecBeginCompound, ecBeginUpdate, ecSelWord, ecDeleteSelection, ecEndUpdate, ecEndCompound});
      return false;
    case ecUndo:
      if (!readOnly_) undo_->Undo();
      return false;
    case ecRedo:
      if (!readOnly_) undo_->Redo();
      return false;
    case ecBeginCompound: BeginCompound(); return true;
    case ecEndCompound: EndCompound(); return true;
    case ecBeginUpdate: BeginUpdate(); return true;
    case ecEndUpdate: EndUpdate(); return true;
    case ecCompleteIdentifier: completion_->DoCompletion(0); return false;
    case ecCompleteTemplate: completion_->DoCompletion(1); return false;
    case ecRecord:
      if (Recording) EndRecord();
      else BeginRecord();
      return true;
    case ecPlayMacro: PlayMacro(); return false;
    default: break;
  }
  if (command >= ecSetBookmark0 && command < ecSetBookmark0 + 10) {
    Bookmark(command - ecSetBookmark0, true);
    return true;
  }
  if (command >= ecGotoBookmark0 && command < ecGotoBookmark0 + 10) {
    Bookmark(command - ecGotoBookmark0, false);
    state.X = caretX_;
    state.Y = caretY_;
    return true;
  }
  return RunTextCommand(command, state);
}

// The commands that change the text leave the caret where they put it.
bool TTxCustomEditor::RunTextCommand(WORD command, TCommandState& state) {
  switch (command) {
    case ecNewLine: NewLine(); break;
    case ecBackspace: DeleteLeft(); break;
    case ecDelete: DeleteRight(); break;
    case ecTab: TabRight(); break;
    case ecShiftTab: TabLeft(); break;
    case ecBlockIndent: IndentBlock(); break;
    case ecBlockUnindent: UnindentBlock(); break;
    case ecDeleteSelection: DeleteSelection(); break;
    case ecCopy: ClipboardCopy(); break;
    case ecCut: ClipboardCut(); break;
    case ecPaste: ClipboardPaste(); break;
    case ecUpperCase: UpperCaseSelection(); break;
    case ecLowerCase: LowerCaseSelection(); break;
    case ecSwapCase: SwapCaseSelection(); break;
    default: return true;  // no step of its own: the caret stays
  }
  state = {caretX_, caretY_, false};
  return true;
}

// ---- caret and selection steps ----

// Select forms anchor a selection at the caret when there is none and
// extend it to the new place; plain forms clear it.
void TTxCustomEditor::MoveStep(TCommandState& state, bool select, void (TTxCustomEditor::*move)(TCommandState&)) {
  if (select && !selection_.Selected) SetSel(state.X, state.Y);
  (this->*move)(state);
  if (select) {
    SetSel(state.X, state.Y);
    state.CaretUndo = false;
  } else {
    ClearSelection();
  }
}

void TTxCustomEditor::StepLeft(TCommandState& state) { --state.X; }

void TTxCustomEditor::StepRight(TCommandState& state) { ++state.X; }

void TTxCustomEditor::StepUp(TCommandState& state) { --state.Y; }

void TTxCustomEditor::StepDown(TCommandState& state) {
  if (state.Y < rowCount_ - 1 || CursorBeyondEOF) ++state.Y;
}

// Back over separators, then over the word before them.
void TTxCustomEditor::StepWordLeft(TCommandState& state) {
  const std::string row = state.Y < lines_->Count() ? lines_->Strings(state.Y) : std::string();
  const int length = CellCount(row);
  if (caretX_ > length) {
    state.X = length;
    SetSel(state.X, state.Y);
    return;
  }
  int column = state.X - 1;
  while (column >= 0 && SeparatorAt(row, column)) --column;
  while (column >= 0 && !SeparatorAt(row, column)) --column;
  const int x = column + 1;
  state.X = x == state.X ? 0 : x;
}

// Over the word, then over the separators after it; at a row's end on to
// the next row.
void TTxCustomEditor::StepWordRight(TCommandState& state) {
  if (lines_->Count() == 0) return;
  if (state.Y > lines_->Count() - 1) {
    state.Y = lines_->Count() - 1;
    state.X = lines_->RowLength(state.Y);
  }
  const std::string row = lines_->Strings(state.Y);
  const int length = CellCount(row);
  if (caretX_ < length) {
    int column = state.X;
    while (column < length && !SeparatorAt(row, column)) ++column;
    while (column < length && SeparatorAt(row, column)) ++column;
    state.X = column;
  } else if (state.Y < lines_->Count() - 1) {
    state.X = 0;
    ++state.Y;
    SetSel(0, state.Y);
  }
}

void TTxCustomEditor::StepLineStart(TCommandState& state) { state.X = 0; }

void TTxCustomEditor::StepLineEnd(TCommandState& state) {
  state.X = state.Y < lines_->Count() ? lines_->RowLength(state.Y) : 0;
}

void TTxCustomEditor::StepDocStart(TCommandState& state) {
  state.X = state.Y = 0;
  SetLeftTop(0, 0);
}

void TTxCustomEditor::StepDocEnd(TCommandState& state) {
  if (lines_->Count() == 0) {
    state.X = state.Y = 0;
    return;
  }
  state.Y = lines_->Count() - 1;
  state.X = lines_->RowLength(state.Y);
  SetLeftTop(state.X - visibleColCount_, state.Y - visibleRowCount_ / 2);
}

void TTxCustomEditor::SelectWordStep(TCommandState& state) {
  if (selection_.Selected || state.Y >= lines_->Count()) return;
  int begin = 0;
  int end = 0;
  GetWordOnPosEx(lines_->Strings(state.Y) + " ", state.X + 1, begin, end);
  SetSel(begin - 1, state.Y);
  SetSel(end - 1, state.Y);
  state.X = end - 1;
  state.CaretUndo = false;
}

void TTxCustomEditor::PageStep(TCommandState& state, int direction, bool select) {
  if (select) {
    BeginUpdate();
    SetSel(state.X, state.Y);
  }
  scrollBarVert_.SetPosition(scrollBarVert_.Position() + direction * scrollBarVert_.LargeChange);
  Scroll(true, scrollBarVert_.Position());
  state.Y += direction * visibleRowCount_;
  if (select) {
    if (direction > 0) state.Y = std::min(state.Y, std::max(lines_->Count() - 1, 0));
    SetSel(state.X, state.Y);
    EndUpdate();
    state.CaretUndo = false;
  } else {
    ClearSelection();
  }
}

void TTxCustomEditor::ScrollRowStep(TCommandState& state, int direction) {
  const bool atTheEnd = direction > 0 && state.Y == lines_->Count() - 1 && state.Y == topRow_;
  if (!atTheEnd) {
    scrollBarVert_.SetPosition(scrollBarVert_.Position() + direction);
    Scroll(true, scrollBarVert_.Position());
  }
  state.Y = std::clamp(state.Y, topRow_, std::max(lastVisibleRow_, topRow_));
}

// ---- bookmarks and recording ----

void TTxCustomEditor::Bookmark(int index, bool setIt) {
  TBookmark& mark = bookmarks_.at(static_cast<std::size_t>(index));
  if (setIt) {
    if (!mark.Valid || mark.Y != caretY_) mark = {caretX_, caretY_, true};
    else mark.Valid = false;
  } else if (mark.Valid) {
    int top = topRow_;
    int left = leftCol_;
    if (mark.Y < topRow_ || mark.Y > lastVisibleRow_) top = mark.Y - visibleRowCount_ / 2;
    if (mark.X < leftCol_ || mark.X > visibleColCount_) left = mark.X - visibleColCount_ / 2;
    SetLeftTop(left, top);
    SetCaret(mark.X, mark.Y);
  }
  BookmarkChanged(index);
}

void TTxCustomEditor::BookmarkChanged(int) { RepaintGutter(); }

void TTxCustomEditor::BeginRecord() {
  recordBuffer_.clear();
  Recording = true;
  StatusChanged();
}

void TTxCustomEditor::EndRecord() {
  Recording = false;
  macro_ = recordBuffer_;
  StatusChanged();
}

void TTxCustomEditor::PlayMacro() {
  if (playing_) return;
  TFlagScope playing(playing_);
  const std::vector<TRecordedStep> macro = macro_;
  BeginUpdate();
  BeginCompound();
  struct TEnd {
    TTxCustomEditor& Editor;
    ~TEnd() {
      Editor.EndCompound();
      Editor.EndUpdate();
    }
  } end{*this};
  for (const TRecordedStep& step : macro) {
    if (step.Character) TypeKey(step.Character);
    else Command(step.Command);
  }
}
