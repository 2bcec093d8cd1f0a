#pragma once
// A grid of cells drawn by the toolkit that keeps no cell texts: it asks
// for a cell's text (CellText, OnGetCellText) when it draws or edits the
// cell, so that a grid over a million values costs nothing per cell. The
// first FixedCols columns and FixedRows rows stay in place (headers); the
// others scroll with the standard scroll bars, a row or a column at a time.
// The focused cell (Col, Row) and the anchor span the Selection;
// OnSelectCell may refuse a cell. Each visible cell is drawn once per
// paint: with DefaultDrawing its background and text first, then
// OnDrawCell. With goEditing an in-place editor (a TEdit) edits the focused
// cell: every change of its text reaches OnSetEditText as it is typed; an
// edit that ends keeping a changed text (Enter, another cell, the focus
// leaving the grid) reaches OnAcceptEditText; Esc puts the text back as the
// edit found it and ends the edit.

#include <functional>
#include <string>
#include <vector>

#include "toolkit/controls/CustomControl.h"

class TEdit;
class TInplaceEdit;

struct TGridCoord {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Columns Left..Right and rows Top..Bottom, both ends included.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
  bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
};

using TGridOptions = unsigned;
constexpr TGridOptions goFixedVertLine = 0x0001;
constexpr TGridOptions goFixedHorzLine = 0x0002;
constexpr TGridOptions goVertLine = 0x0004;
constexpr TGridOptions goHorzLine = 0x0008;
constexpr TGridOptions goRangeSelect = 0x0010;
constexpr TGridOptions goDrawFocusSelected = 0x0020;
constexpr TGridOptions goRowSizing = 0x0040;
constexpr TGridOptions goColSizing = 0x0080;
constexpr TGridOptions goEditing = 0x0400;
constexpr TGridOptions goTabs = 0x0800;
constexpr TGridOptions goRowSelect = 0x1000;
constexpr TGridOptions goAlwaysShowEditor = 0x2000;
constexpr TGridOptions goThumbTracking = 0x4000;

using TGridDrawState = unsigned;
constexpr TGridDrawState gdSelected = 0x1;
constexpr TGridDrawState gdFocused = 0x2;
constexpr TGridDrawState gdFixed = 0x4;

using TDrawCellEvent =
    std::function<void(TObject* sender, int col, int row, const TRect& rect, TGridDrawState state)>;
using TSelectCellEvent = std::function<void(TObject* sender, int col, int row, bool& canSelect)>;
using TSetEditEvent = std::function<void(TObject* sender, int col, int row, const std::string& value)>;
using TGetEditEvent = std::function<void(TObject* sender, int col, int row, std::string& value)>;

class TDrawGrid : public TCustomControl {
public:
  explicit TDrawGrid(TComponent* owner);
  ~TDrawGrid() override;

  int ColCount() const { return colCount_; }
  void SetColCount(int count);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int count);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int count);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int count);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int width);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int height);
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int height);
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int width);
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor color);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions options);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);
  bool DefaultDrawing = true;

  // The text a cell shows and its editor starts with.
  virtual std::string CellText(int col, int row);
  // Draws one cell again.
  void InvalidateCell(int col, int row);

  int Col() const { return current_.X; }
  void SetCol(int col);
  int Row() const { return current_.Y; }
  void SetRow(int row);
  TGridRect Selection() const;
  void SetSelection(const TGridRect& selection);
  // The first scrolling column and row shown.
  int LeftCol() const { return topLeft_.X; }
  void SetLeftCol(int col);
  int TopRow() const { return topLeft_.Y; }
  void SetTopRow(int row);
  // Scrolling columns and rows shown whole.
  int VisibleColCount();
  int VisibleRowCount();

  // The cell under a client point; -1 for a coordinate past the last cell.
  TGridCoord MouseCoord(int x, int y);
  void MouseToCell(int x, int y, int& col, int& row);
  // A cell's rectangle in client coordinates, grid line excluded; empty when not shown.
  TRect CellRect(int col, int row);

  // Whether the in-place editor is shown on the focused cell.
  bool EditorMode() const;
  void SetEditorMode(bool editing);
  // Null until editing first starts.
  TEdit* InplaceEditor() const;

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TGetEditEvent OnGetCellText;
  // Every change of the editor's text, as the user types.
  TSetEditEvent OnSetEditText;
  TGetEditEvent OnGetEditText;
  // An edit ended keeping a text that differs from the one it started with.
  TSetEditEvent OnAcceptEditText;
  TNotifyEvent OnTopLeftChanged;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
  virtual bool SelectCell(int col, int row);
  // The text the editor starts with; OnGetEditText may change it.
  virtual std::string GetEditText(int col, int row);
  virtual void SetEditText(int col, int row, const std::string& value);
  // The grid's size changes from oldCols x oldRows to ColCount x RowCount;
  // called before anything else learns of it.
  virtual void SizeChanged(int oldCols, int oldRows);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void Dispatch(TMessage& message) override;

private:
  friend class TInplaceEdit;
  enum class TGridState { Normal, Selecting, ColSizing, RowSizing };

  // Where the scrolling columns (rows) start: past the fixed ones and their lines.
  int FixedWidth() const;
  int FixedHeight() const;
  int ColumnLeft(int col) const;
  int RowTop(int row) const;
  TGridDrawState StateOf(int col, int row);
  void DrawGridLines(int right, int bottom);
  // Focuses a cell (when SelectCell allows it); the anchor follows unless a range is being extended.
  void MoveCurrent(int col, int row, bool moveAnchor, bool show);
  void MoveAnchor(TGridCoord anchor);
  void SelectionMoved(const TGridRect& old);
  void InvalidateGridRect(const TGridRect& rect);
  // Scrolls until the cell is shown whole (when it fits).
  void ClampInView(TGridCoord cell);
  void SetTopLeft(TGridCoord topLeft);
  TGridCoord MaxTopLeft();
  void UpdateScrollBars();
  void ScrollRequest(int bar, int request);
  // The column (row) edge within reach of x (y) for sizing, or -1.
  int SizingColumnAt(int x, int y);
  int SizingRowAt(int x, int y);
  void ResizeGrid(int cols, int rows);
  // Shows the editor on the focused cell with the cell's text, or with a typed character.
  void ShowEditor();
  void ShowEditorChar(char32_t key);
  // Ends an edit keeping its text (accept) or putting back the text it
  // started with; refocus gives the focus back to the grid.
  void HideEditor(bool accept = true, bool refocus = true);
  // Keeps the shown editor over its cell.
  void UpdateEditor();
  void EditorTextChanged(const std::string& text);
  void WMGetDlgCode(TMessage& message);
  void WMHScroll(TMessage& message);
  void WMVScroll(TMessage& message);
  void WMSize(TMessage& message);
  void WMSetCursor(TMessage& message);
  void WMLButtonDblClk(TMessage& message);

  int colCount_ = 5;
  int rowCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int gridLineWidth_ = 1;
  std::vector<int> colWidths_;
  std::vector<int> rowHeights_;
  TColor fixedColor_ = clBtnFace;
  TGridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  TScrollStyle scrollBars_ = ssBoth;
  TGridCoord current_{1, 1};
  TGridCoord anchor_{1, 1};
  TGridCoord topLeft_{1, 1};
  TGridState state_ = TGridState::Normal;
  int sizingIndex_ = -1;
  int sizingStart_ = 0;
  int sizingOrigin_ = 0;
  TInplaceEdit* editor_ = nullptr;
  // The editor's text is being set by the grid, not typed.
  bool loadingEditor_ = false;
  // The text the running edit started with.
  std::string editStartText_;
  bool endingEdit_ = false;
};
