#pragma once
// The header's columns. A column is named by its index (its place in the
// collection) and shown at its position (its place from left to right).
// Invariants after every change: the position array is a permutation of the
// indexes; the column at position p has Position p; its Left is the sum of
// the widths of the visible columns at positions below p.

#include <memory>
#include <string>
#include <vector>

#include "toolkit/controls/Control.h"
#include "toolkit/gdi/Color.h"
#include "treeview/DataTreeEvents.h"
#include "treeview/DataTreeTypes.h"

class TBitmap;
class TDeviceContext;
using HDC = TDeviceContext*;
class TCanvas;
class TDataTreeColumns;
class TStream;

// Stored column options of a stream version as options: version 3 and later keep
// the low 16 bits, version 2 the low 8; older streams had no coParentBidiMode
// (bits 0 to 3 stay, 4 to 6 move up by one). A negative value is a range error.
TDTColumnOptions ConvertColumnOptions(int32_t stored, int version);

class TDataTreeColumn : public TPersistent {
public:
  TDataTreeColumn(TDataTreeColumns& owner, TColumnIndex index);
  TDataTreeColumn(const TDataTreeColumn&) = delete;
  TDataTreeColumn& operator=(const TDataTreeColumn&) = delete;

  TDataTreeColumns& Owner() const { return owner_; }
  TColumnIndex Index() const { return index_; }
  int Position() const { return position_; }
  void SetPosition(int position);
  int Left() const { return left_; }
  int Width() const { return width_; }
  // Clamps to MinWidth, then MaxWidth; keeps the old width as LastWidth.
  // Under hoAutoResize the auto-size column keeps the width its rule gives.
  void SetWidth(int width);
  int LastWidth() const { return lastWidth_; }
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int width);
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int width);
  TDTColumnOptions Options() const { return options_; }
  void SetOptions(TDTColumnOptions options);
  bool Visible() const { return options_.Contains(coVisible); }

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode mode);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  TDTHeaderColumnLayout Layout() const { return layout_; }
  void SetLayout(TDTHeaderColumnLayout layout);
  TDataTreeColumnStyle Style() const { return style_; }
  void SetStyle(TDataTreeColumnStyle style);
  int Margin() const { return margin_; }
  // A negative margin becomes the default 4.
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  float SpringRest() const { return springRest_; }

  // Left, minus the tree's horizontal offset unless the column is visible and fixed.
  int ViewLeft() const;
  // Left and right edge, unscrolled.
  void AbsoluteExtent(int& left, int& right) const;
  // The column's cell in the header strip, in window coordinates, unscrolled.
  TRect HeaderCellRect() const;
  bool ReadsRightToLeft() const { return biDiMode_ != bdLeftToRight; }
  bool SameAs(const TDataTreeColumn& other) const;
  // Takes over every published property of another column.
  void Assign(const TDataTreeColumn& source);
  // Places the header image, the sort glyph and the caption in the inset cell Client.
  void CalcCellLayout(TCanvas& canvas, const TRect& client, bool useImage, bool useSortGlyph, TPoint& imagePos,
                      TPoint& sortGlyphPos, TRect& textBounds) const;
  // Animated resize back to LastWidth.
  void RestorePreviousWidth();
  // The column's 15 fields in the tree's stream format (DTHeaderStream.cpp).
  void WriteToStream(TStream& stream) const;
  void ReadFromStream(TStream& stream, int version);
  // With coParentBidiMode (coParentColor): take the tree's mode (colour) when it differs.
  void SyncParentBiDiMode();
  void SyncParentColor();

  std::string Hint;
  int Tag = 0;

private:
  friend class TDataTreeColumns;
  friend class TDTHeader;

  void Changed();
  void RepaintTree() const;

  TDataTreeColumns& owner_;
  TColumnIndex index_;
  int position_;
  int left_ = 0;
  int width_ = 50;
  int lastWidth_ = 50;
  int minWidth_ = 10;
  int maxWidth_ = 10000;
  std::string text_;
  TDataTreeColumnStyle style_ = vsText;
  int imageIndex_ = -1;
  TBiDiMode biDiMode_ = bdLeftToRight;
  TDTHeaderColumnLayout layout_ = blGlyphLeft;
  int margin_ = 4;
  int spacing_ = 4;
  TAlignment alignment_ = taLeftJustify;
  TColor color_ = clWindow;
  float springRest_ = 0;
  TDTColumnOptions options_{coAllowClick, coDraggable, coEnabled, coParentBidiMode,
                            coParentColor, coResizable, coShowDropMark, coVisible};
};

// The column of a header cell's paint information: the header's owner-draw
// record carries it as a plain published object.
inline TDataTreeColumn* ColumnOf(const THeaderPaintInfo& info) { return static_cast<TDataTreeColumn*>(info.Column); }

class TDTHeader;

class TDataTreeColumns {
public:
  explicit TDataTreeColumns(TDTHeader& header);
  ~TDataTreeColumns();
  TDataTreeColumns(const TDataTreeColumns&) = delete;
  TDataTreeColumns& operator=(const TDataTreeColumns&) = delete;

  TDTHeader& Header() const { return header_; }
  int Count() const { return static_cast<int>(columns_.size()); }
  TDataTreeColumn& ColumnAt(TColumnIndex index) const;
  TDataTreeColumn& AddColumn();
  // Removes one column; the indexes above it move down by one.
  void DeleteColumn(TColumnIndex column);
  void ClearColumns();
  bool ColumnExists(TColumnIndex column) const { return column >= 0 && column < Count(); }
  bool IsVisible(TColumnIndex column) const { return ColumnExists(column) && ColumnAt(column).Visible(); }
  // Copies the columns and the order of another collection.
  void Assign(const TDataTreeColumns& source);
  bool SameAs(const TDataTreeColumns& other) const;
  // The count, the columns and the position array (DTHeaderStream.cpp).
  void WriteToStream(TStream& stream) const;
  void ReadFromStream(TStream& stream, int version);

  // Changes inside an update lay out once, at its end.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Recomputes every column's position and left edge from the position
  // array; without Force not inside an update, and never while loaded
  // positions wait to be applied.
  void RecalcPositions(bool force = false);
  // Gives the position array Count entries and keeps it a permutation.
  void SizePositionArray();
  // Moves a column's entry to another position, shifting those between.
  void MovePositionEntry(TColumnIndex column, int position);
  // Builds the position array from the positions the columns were loaded with.
  void ApplyLoadedPositions();
  // Orders the columns by index, reversed when reading right to left.
  void ResetPositions(bool rightToLeft);
  const std::vector<TColumnIndex>& PositionToIndex() const { return positionToIndex_; }
  // The column shown at a position; ColumnNone past the last.
  TColumnIndex ColumnAtPosition(int position) const;
  // Moves a column to another position.
  void SetColumnPosition(TColumnIndex column, int position) { ColumnAt(column).SetPosition(position); }

  // Gives the auto-size column the width the others leave free.
  void FitAutoSizeColumn(bool force);
  // Resizes a column in 32 visible steps, then through its width setter.
  void ResizeAnimated(TColumnIndex column, int newWidth);

  // The visible column under X (header coordinates; Relative: scrolled
  // with the tree), or ColumnNotFound.
  TColumnIndex ColumnAtPoint(int x, bool relative) const;
  TColumnIndex ColumnAndBoundsAt(int x, int& left, int& right, bool relative) const;
  // Left and right edge of a column in client coordinates; ColumnNone: the client width.
  void ColumnHorzExtent(TColumnIndex column, int& left, int& right) const;

  TColumnIndex FirstVisibleColumn() const;
  TColumnIndex LastVisibleColumn() const;
  TColumnIndex NextColumn(TColumnIndex column) const;
  TColumnIndex PreviousColumn(TColumnIndex column) const;
  TColumnIndex NextVisibleColumn(TColumnIndex column) const;
  TColumnIndex PreviousVisibleColumn(TColumnIndex column) const;
  std::vector<TDataTreeColumn*> VisibleColumnsArray() const;
  int FixedColumnsWidth() const;
  // The right edge of the last visible column; 0 without one.
  int TotalColumnsWidth() const;

  // The mouse's work on the header: hovered, pressed, resized, last clicked,
  // dragged column and the drop target with its side.
  TColumnIndex HoverIndex = ColumnNone;
  TColumnIndex DownIndex = ColumnNone;
  TColumnIndex TrackIndex = ColumnNone;
  TColumnIndex ClickIndex = ColumnNone;
  TColumnIndex DragIndex = ColumnNone;
  TColumnIndex DropTarget = ColumnNone;
  bool DropBefore = false;

  // The column under a client point becomes the hovered one; true when it changed.
  bool HoverColumnAtPoint(TPoint p);
  // The column under a client point becomes the pressed one when it takes clicks; answers it.
  TColumnIndex PressColumnAtPoint(TPoint p);
  // A click on the column under a client point, when it is the pressed one or Force.
  void ProcessHeaderClick(TPoint p, TMouseButton button, bool force, bool dblClick);

  // Paints the header part R (window coordinates) into DC, the scrolled columns moved by HOffset.
  void PaintHeaderCells(HDC dc, const TRect& r, int hOffset);
  // A caption, shortened to the bounds, hot or embossed when disabled.
  void DrawCellText(TCanvas& canvas, const std::string& caption, const TRect& bounds, bool enabled, bool hot,
                    unsigned drawFormat);

  // A cell in the look of Windows XP's header; the hot bar needs the utility images.
  void DrawXPCell(TCanvas& canvas, const TRect& r, bool hot, bool pressed, bool splitter);

  // A column changed (nil: the collection as a whole).
  void Changed(TDataTreeColumn* column = nullptr);

private:
  // Slides what lies right of the column's edge, in the header and the client area, by Delta in 32 steps.
  void SlideColumnEdge(const TDataTreeColumn& column, int delta);
  friend class TDataTreeColumn;

  void ForgetDeletedIndex(TColumnIndex& index, TColumnIndex deleted) const;
  struct THeaderPainting {
    TCanvas& Canvas;
    bool OwnerDraw;  // vsOwnerDraw columns are drawn by OnHeaderDraw
    bool Advanced;   // the application claims parts of every cell
  };
  // Under advanced owner draw, lets the application paint a background it claims.
  bool ClaimedBackground(const THeaderPainting& painting, THeaderPaintInfo& info);
  void PaintCell(const THeaderPainting& painting, TDataTreeColumn& column, const TRect& cell);
  void DrawHeaderImage(TCanvas& canvas, const TDataTreeColumn& column, const THeaderPaintInfo& info);
  void PaintCellBackground(TCanvas& canvas, const TDataTreeColumn& column, const THeaderPaintInfo& info);

  TDTHeader& header_;
  std::vector<std::unique_ptr<TDataTreeColumn>> columns_;
  std::vector<TColumnIndex> positionToIndex_;
  int updateCount_ = 0;
  bool needPositionsFix_ = false;
  bool clearing_ = false;
  std::unique_ptr<TBitmap> headerBitmap_;
};
