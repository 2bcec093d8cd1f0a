#pragma once
// The text editor control: a fixed-pitch cell grid (one character a cell)
// with a gutter strip on the left, a right-margin line, stream and column
// selections, per-column colours supplied by hooks, smooth vertical
// scrolling and an undo list. The program edits programs with its
// descendant, the program editor.
//
// The sources: TxCustomEditor.cpp (state, caret, selection, notifications,
// layout), TxEditorPaint.cpp, TxEditorScroll.cpp, TxEditorMouse.cpp and
// TxEditorMessages.cpp.

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "console/TxCompletion.h"
#include "console/TxControlScrollBar95.h"
#include "console/TxEditorCore.h"
#include "console/TxEditorStrings.h"
#include "console/TxKeyboard.h"
#include "console/UndoBuffer.h"
#include "toolkit/controls/CustomControl.h"
#include "toolkit/controls/Form.h"

class TTimer;

// The look of one column of the row being painted.
struct TColumnAttr {
  TColor FC = clBlack;  // font colour
  TColor BC = clWindow;  // background
  TFontStyles Style = 0;
  bool operator==(const TColumnAttr&) const = default;
};
// Entry c + 1 holds the attribute of column c; sized to the row painted.
using TColumnAttrs = std::vector<TColumnAttr>;

enum TTextAction { taInserted = 0, taDeleted = 1, taColumnDeleted = 3 };

class TTxCustomEditor;

using TOnGetLineAttr =
    std::function<void(TObject* sender, std::string& line, int lineIndex, TColumnAttrs& attrs)>;
using TOnPaintGutter = std::function<void(TObject* sender, TCanvas& canvas)>;
using TOnCompletion = std::function<void(TObject* sender, bool& cancel)>;

// The geometry of the text area, right of the gutter.
class TTxEditorClient {
public:
  explicit TTxEditorClient(TTxCustomEditor& editor) : editor_(editor) {}
  int Left() const;
  int Top() const { return 0; }
  int Width() const;
  int Height() const;
  TRect ClientRect() const { return Bounds(Left(), Top(), Width(), Height()); }
  TRect BoundsRect() const { return Bounds(0, 0, Width(), Height()); }

private:
  TTxCustomEditor& editor_;
};

class TTxGutter {
public:
  explicit TTxGutter(TTxCustomEditor& editor) : editor_(editor) {}
  void Paint();

private:
  TTxCustomEditor& editor_;
};

class TTxCustomEditor : public TCustomControl, public ITxEditorCore {
public:
  // The posted message that runs a command (PostCommand).
  static constexpr UINT WM_EDITORCOMMAND = WM_USER + 0x101;

  explicit TTxCustomEditor(TComponent* owner);
  ~TTxCustomEditor() override;

  // ---- what the text store and undo list call ----
  TTxEditorStrings& Lines() override { return *lines_; }
  const TTxEditorStrings& Lines() const { return *lines_; }
  TUndoBuffer& UndoList() override { return *undo_; }
  int UpdateLock() const override { return updateLock_; }
  void RaiseUpdateLock() override { ++updateLock_; }
  void LowerUpdateLock() override { --updateLock_; }
  bool KeepTrailingBlanks() const override { return keepTrailingBlanks_; }
  void SetKeepTrailingBlanks(bool keep) { keepTrailingBlanks_ = keep; }
  int CaretX() const override { return caretX_; }
  int CaretY() const override { return caretY_; }
  void SetCaretInternal(int x, int y) override;
  TTxSelection Selection() const override { return selection_; }
  void SetSelection(const TTxSelection& selection) override;
  // After a wholesale change: clears the selection unless told not to.
  void TextAllChanged(bool clearSelection) override;
  // Modified, then OnChange, then StatusChanged.
  void Changed() override;
  // Every Tab becomes the blanks up to the first tab stop.
  std::string ExpandTabs(std::string_view text) const override;

  // ---- the hosts' operations ----
  void BeginUpdate() { ++updateLock_; }
  // At zero: a full repaint of a new layout.
  void EndUpdate();
  // Records a caret move unless the caret is there already.
  void SetCaret(int x, int y);
  // Extends the selection from its anchor to (x, y).
  void SetSel(int x, int y);
  void ClearSelection();
  void SetSelStart(int pos);
  void SetSelLength(int length);
  int PosFromCaret(int x, int y) const { return lines_->PosFromCaret(x, y); }
  void CaretFromPos(int pos, int& x, int& y) const { lines_->CaretFromPos(pos, x, y); }
  int CaretPosition() const { return PosFromCaret(caretX_, caretY_); }
  void UpdateLayout();
  void Scroll(bool vertical, int pos);
  void SetLeftTop(int col, int row);
  void MakeRowVisible(int row);
  // Runs one editing command (TxCommands.h; 0..255 type a character)
  // (TxEditorCommands.cpp).
  virtual void Command(WORD command);
  // Sets or clears a bookmark on the caret's row, or jumps to it.
  void Bookmark(int index, bool setIt);
  void BeginRecord();
  void EndRecord();
  // Runs the recorded commands as one undo step; never while one plays.
  void PlayMacro();
  TTxKeyboard& Keyboard() { return keyboard_; }
  TTxCompletion& Completion() { return *completion_; }
  struct TBookmark {
    int X = 0;
    int Y = 0;
    bool Valid = false;
  };
  const TBookmark& Bookmarks(int index) const { return bookmarks_.at(static_cast<std::size_t>(index)); }
  // Runs the command once the message loop reaches it.
  void PostCommand(WORD command);
  // Brackets of a group of edits that one undo takes back.
  void BeginCompound();
  void EndCompound();

  // ---- tab stops (TxEditorTabs.cpp) ----
  // The next tab stop after column x.
  int GetTabStop(int x) const;
  // The next tab position after column x of row y: the word starts of the
  // rows above (when searching, with Force or SmartTab), else GetTabStop.
  int GetSmartTabStop(int x, int y, bool force, bool search);
  // Where Backspace goes from column x of row y: inside leading blanks, back
  // to the nearest smaller indentation of the rows above.
  int GetBackStop(int x, int y);
  const std::string& TabStops() const { return tabStops_; }
  void SetTabStops(const std::string& tabStops);

  // ---- editing (TxEditorEditing.cpp); nothing changes when ReadOnly ----
  // One typed character (a code point); below 32 only the position is made real.
  void TypeChar(char32_t c);
  void InsertText(const std::string& text);
  void DeleteSelected();
  std::string GetSelText() const;
  // Replaces the selection by text and selects it, in one undo step.
  void SetSelText(const std::string& text);
  void NewLine();
  void DeleteLeft();
  void DeleteRight();
  void TabRight();
  void TabLeft();
  void IndentBlock();
  void UnindentBlock();
  void DeleteSelection();
  void UpperCaseSelection();
  void LowerCaseSelection();
  void SwapCaseSelection();

  // ---- clipboard (TxEditorClipboard.cpp) ----
  void ClipboardCopy();
  void ClipboardCut();
  void ClipboardPaste();
  bool CanCopy() const;
  bool CanCut() const { return CanCopy(); }
  bool CanPaste() const;
  // The block format stored with the clipboard's text; bfNonInclusive without one.
  static TSelBlockFormat GetClipboardBlockFormat();
  static void SetClipboardBlockFormat(TSelBlockFormat format);

  // ---- geometry ----
  int CellWidth() const { return cellWidth_; }
  int CellHeight() const { return cellHeight_; }
  int LeftCol() const { return leftCol_; }
  int TopRow() const { return topRow_; }
  int VisibleColCount() const { return visibleColCount_; }
  int VisibleRowCount() const { return visibleRowCount_; }
  int LastVisibleCol() const { return lastVisibleCol_; }
  int LastVisibleRow() const { return lastVisibleRow_; }
  int ColCount() const { return colCount_; }
  int RowCount() const { return rowCount_; }
  // The cell of a column and row, in client coordinates.
  TRect CellRect(int col, int row) const;
  TTxControlScrollBar95& ScrollBarHorz() { return scrollBarHorz_; }
  TTxControlScrollBar95& ScrollBarVert() { return scrollBarVert_; }
  TTxEditorClient& EditorClient() { return client_; }

  // ---- properties ----
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle bars);
  int GutterWidth() const { return gutterWidth_; }
  TColor GutterColor() const { return gutterColor_; }
  bool RightMarginVisible() const { return rightMarginVisible_; }
  void SetRightMarginVisible(bool visible);
  int RightMargin() const { return rightMargin_; }
  void SetRightMargin(int column);
  TColor RightMarginColor() const { return rightMarginColor_; }
  void SetRightMarginColor(TColor color);
  TSelBlockFormat SelBlockFormat() const { return selection_.SelBlockFormat; }
  // Runs the block-format command of the key map.
  void SetSelBlockFormat(TSelBlockFormat format);
  bool Selected() const { return selection_.Selected; }
  bool InsertMode() const { return insertMode_; }
  bool ReadOnly() const { return readOnly_; }
  bool Modified = false;
  bool DoubleClickLine = false;
  bool SmartTab = true;
  bool BackSpaceUnindents = true;
  bool AutoIndent = true;
  bool CursorBeyondEOF = false;
  bool HideCaret = false;
  bool Recording = false;
  TColor SelForeColor = clHighlightText;
  TColor SelBackColor = clHighlight;
  int CompoundLevel = 0;

  TOnGetLineAttr OnGetLineAttr;
  TNotifyEvent OnChange;
  TNotifyEvent OnSelectionChange;
  TNotifyEvent OnChangeStatus;
  TNotifyEvent OnScroll;
  TOnPaintGutter OnPaintGutter;
  TOnCompletion OnCompletionIdentifer;
  TOnCompletion OnCompletionTemplate;

protected:
  // Called after every change of the text with its position, action and text.
  virtual void TextModified(int pos, TTextAction action, const std::string& text);
  virtual void StatusChanged();
  virtual void SelectionChanged() {}
  virtual void PaintGutter(TCanvas& canvas);
  virtual void BookmarkChanged(int index);
  void RepaintGutter();
  // The colouring hooks of descendants, between the defaults and the selection.
  virtual void GetLineAttr(int line, int colBeg, int colEnd);
  virtual void AfterLineAttrs(int line, int colBeg, int colEnd);
  TColumnAttrs& ColumnAttrs() { return columnAttrs_; }

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void Dispatch(TMessage& message) override;

  void SetInsertMode(bool insertMode);
  void SetReadOnly(bool readOnly);
  void SetGutterWidth(int width);
  void SetGutterColor(TColor color);

private:
  friend class TTxGutter;

  // Painting (TxEditorPaint.cpp).
  void PaintLine(int line, int colBeg, int colEnd);
  void BuildLineAttrs(int line, int colBeg, int colEnd);
  void ColorizeSelection(int line, int colBeg, int colEnd);
  int PaintRuns(const std::string& row, int line, int colBeg, int colEnd);
  void FillRowEnd(int line, int x);
  void PaintRightMargin(int top, int bottom);
  void FillPixels(const TRect& rect, TColor color);
  void PaintCaret(bool show);
  void RepaintRows(int fromRow, int toRow);

  // Scrolling (TxEditorScroll.cpp).
  void ScrollBarScroll(bool vertical, int code, int pos);
  void ScrollVertically(int pos);
  void RecomputeLastVisible();
  int LongestRow() const;

  // Mouse (TxEditorMouse.cpp).
  TPoint Mouse2Cell(int x, int y) const;
  TPoint Mouse2Caret(int x, int y) const;
  void ScrollTimerTick();
  void SelectWordAtCaret();
  void SelectRowAtCaret();

  // Messages (TxEditorMessages.cpp).
  void WMEraseBkgnd(TMessage& message);
  void WMGetDlgCode(TMessage& message);
  void WMSetCursor(TMessage& message);
  void WMCut(TMessage& message);
  void WMCopy(TMessage& message);
  void WMPaste(TMessage& message);
  void WMEditorCommand(TMessage& message);
  void WMSetFocus(TMessage& message);
  void WMKillFocus(TMessage& message);
  void WMHScroll(TMessage& message);
  void WMVScroll(TMessage& message);

  void MeasureCells();
  // Commands (TxEditorCommands.cpp); a step answers false when the
  // command ends with it, without the final placing of the caret.
  struct TCommandState {
    int X;
    int Y;
    bool CaretUndo = true;
  };
  bool RunCommand(WORD command, TCommandState& state);
  bool RunTextCommand(WORD command, TCommandState& state);
  void RunCommands(std::initializer_list<WORD> commands);
  void MoveStep(TCommandState& state, bool select, void (TTxCustomEditor::*move)(TCommandState&));
  void StepLeft(TCommandState& state);
  void StepRight(TCommandState& state);
  void StepUp(TCommandState& state);
  void StepDown(TCommandState& state);
  void StepWordLeft(TCommandState& state);
  void StepWordRight(TCommandState& state);
  void StepLineStart(TCommandState& state);
  void StepLineEnd(TCommandState& state);
  void StepDocStart(TCommandState& state);
  void StepDocEnd(TCommandState& state);
  void SelectWordStep(TCommandState& state);
  void PageStep(TCommandState& state, int direction, bool select);
  void ScrollRowStep(TCommandState& state, int direction);
  void Record(WORD command, char32_t character);
  void TypeKey(char32_t c);
  // Typing tells the completion object about characters.
  void CompletionBeforeChar(char32_t c) { completion_->DoKeyPress(c); }
  void CompletionAfterChar(char32_t c) { completion_->DoKeyPress(c); }
  bool CaretBelowText() const;
  bool SelectionOutsideText() const;
  bool WholeRowsSelected() const;
  void ChangeSelectionCase(std::string (*convert)(std::string_view));
  void PasteColumns(const std::string& text);
  void JoinWithNextRow();

  std::unique_ptr<TTxEditorStrings> lines_;
  TTxControlScrollBar95 scrollBarHorz_{SB_HORZ};
  TTxControlScrollBar95 scrollBarVert_{SB_VERT};
  TTxEditorClient client_{*this};
  TTxGutter gutter_{*this};
  int updateLock_ = 0;
  std::unique_ptr<TUndoBuffer> undo_;
  int colCount_ = 256;
  int rowCount_ = 1;
  int leftCol_ = 0;
  int topRow_ = 0;
  int lastVisibleCol_ = 0;
  int lastVisibleRow_ = 0;
  int caretX_ = 0;
  int caretY_ = 0;
  int visibleColCount_ = 0;
  int visibleRowCount_ = 0;
  bool fullRepaint_ = true;
  int cellWidth_ = 8;
  int cellHeight_ = 16;
  TTxSelection selection_;
  int updateSelBegY_ = 0;
  int updateSelEndY_ = 0;
  int selAnchorX_ = 0;
  int selAnchorY_ = 0;
  TTimer* scrollTimer_;
  int mouseY_ = 0;
  int mouseCol_ = 0;
  int mouseRow_ = 0;
  bool dblClickFlag_ = false;
  bool mouseDownFlag_ = false;
  TColumnAttrs columnAttrs_;
  std::vector<int> charWidths_;  // every advance one cell wide
  TBorderStyle borderStyle_ = bsSingle;
  TScrollStyle scrollBars_ = ssBoth;
  int gutterWidth_ = 0;
  TColor gutterColor_ = clBtnFace;
  bool rightMarginVisible_ = true;
  int rightMargin_ = 80;
  TColor rightMarginColor_ = clSilver;
  bool insertMode_ = true;
  bool readOnly_ = false;
  bool keepTrailingBlanks_ = false;
  std::string tabStops_;
  std::vector<int> tabStopColumns_;  // 0-based, each beyond the one before
  std::vector<bool> tabStopTable_;   // scratch of the smart and back stops
  TTxKeyboard keyboard_;
  std::unique_ptr<TTxCompletion> completion_;
  bool ignoreKeyPress_ = false;
  bool chordPending_ = false;
  WORD chordKey_ = 0;
  TShiftState chordShift_ = 0;
  std::array<TBookmark, 10> bookmarks_{};
  // A recording is a list of commands and of the characters typed beyond
  // the command codes (Character set, Command 0).
  struct TRecordedStep {
    WORD Command = 0;
    char32_t Character = 0;
  };
  std::vector<TRecordedStep> recordBuffer_;
  std::vector<TRecordedStep> macro_;
  bool playing_ = false;
};

// The editor with its properties for hosts.
class TTxEditor : public TTxCustomEditor {
public:
  using TTxCustomEditor::TTxCustomEditor;

  // Index 0 InsertMode, 1 ReadOnly; a change reports the status.
  void SetFlagProperty(int index, bool value);
  // The word under the caret.
  std::string WordAtCaret() const;
  TStrings& GetLines() { return Lines(); }
  // Takes the strings (when given) and empties the undo list.
  void SetLines(const TStrings* lines);
  using TTxCustomEditor::SetGutterColor;
  using TTxCustomEditor::SetGutterWidth;
};
