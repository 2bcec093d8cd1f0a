#pragma once
// The tree's header: the strip of column captions above the client area,
// its columns, the main column and the sort column with its direction.

#include <memory>

#include "toolkit/controls/Control.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/gdi/ImageList.h"
#include "treeview/DataTreeColumns.h"
#include "treeview/DataTreeTypes.h"

class TBaseDataTree;
class TDTDragImage;
class TPopupMenu;
class TStream;
struct TMessage;

// The screen cursor number of the column splitter.
constexpr TCursor crHeaderSplit = 63;

class TDTHeader : public TPersistent {
public:
  explicit TDTHeader(TBaseDataTree& tree);
  ~TDTHeader();
  TDTHeader(const TDTHeader&) = delete;
  TDTHeader& operator=(const TDTHeader&) = delete;

  TBaseDataTree& Tree() const { return tree_; }
  // The picture that follows the mouse while a column is dragged.
  TDTDragImage& DragImage() const { return *dragImage_; }
  TDataTreeColumns& Columns() { return columns_; }
  const TDataTreeColumns& Columns() const { return columns_; }
  void SetColumns(const TDataTreeColumns& columns) { columns_.Assign(columns); }
  bool HasColumns() const { return columns_.Count() > 0; }
  // Copies every setting of another header, columns included.
  void Assign(const TDTHeader& source);

  // The column that holds the tree structure; -1 while there are no columns.
  TColumnIndex MainColumn() const { return HasColumns() ? mainColumn_ : ColumnNone; }
  void SetMainColumn(TColumnIndex column);
  // Keeps the main column within the columns (after loading).
  void ClampMainColumn();
  TColumnIndex SortColumn() const { return sortColumn_; }
  void SetSortColumn(TColumnIndex column);
  TSortDirection SortDirection() const { return sortDirection_; }
  void SetSortDirection(TSortDirection direction);
  TColumnIndex AutoSizeIndex() const { return autoSizeIndex_; }
  void SetAutoSizeIndex(TColumnIndex index);
  TDTHeaderOptions Options() const { return options_; }
  void SetOptions(TDTHeaderOptions options);
  int Height() const { return height_; }
  void SetHeight(int height);
  TDTHeaderStyle Style() const { return style_; }
  void SetStyle(TDTHeaderStyle style);
  TColor Background() const { return background_; }
  void SetBackground(TColor color);
  TImageList* Images() const { return imagesLink_.Sender(); }
  void SetImages(TImageList* images);
  TDTHeaderStates States() const { return states_; }
  // The captions' font; its changes repaint the header.
  TFont& Font() { return font_; }
  // Copies the font; the header keeps its own font from then on.
  void SetFont(const TFont& font);
  // True: the header's font follows the tree's.
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  // The tree's font changed: a header with ParentFont takes it.
  void TreeFontChanged();
  // The font's size scaled by M / D (the form was scaled).
  void ScaleFont(int m, int d);
  // The header's settings and columns in the tree's stream format, version 3 (DTHeaderStream.cpp).
  void WriteToStream(TStream& stream);
  // Reads any version; a stream without the leading -1 is the oldest format.
  void ReadFromStream(TStream& stream);

  // The header strip in window coordinates (empty when hidden).
  TRect HeaderRect() const;
  // Repaints one column's cell (reaching the header's end with
  // ExpandToBorder), or the whole header for ColumnNone.
  void InvalidateHeader(TColumnIndex column, bool expandToBorder);
  // The header's height changed or it was shown or hidden: the window's frame is laid out again.
  void RecalcHeaderFrame();

  // The moving edge of a resizable column within reach of client X (its
  // right edge, its left one under right-to-left alignment): the column
  // becomes TrackIndex and its other edge TrackPos.
  bool SplitterAtPoint(int x);
  int TrackPos() const { return trackPos_; }

  // Hands the change of the header's width since the last call to the
  // visible coAutoSpring columns; the first call only records the width.
  void SpreadSpringDelta();
  // Every visible resizable column gets the width of its widest content.
  void FitColumnsToContent();
  // Every visible resizable column goes back to its previous width.
  void RestoreColumnWidths();

  // The header's part of the tree's window procedure; true: the message is done.
  bool HandleHeaderMessage(TMessage& message);
  // A client point lies in the header strip above the client area.
  bool PointInHeader(TPoint p) const;
  static TShiftState KeyboardShiftState();
  TPopupMenu* PopupMenu = nullptr;

  // The columns were all removed: no column is main, sorted or auto-sized any more.
  void ColumnsCleared();
  // A column was deleted: the indexes naming it or those above follow.
  void ColumnDeleted(TColumnIndex column);

private:
  void SortTreeIfAutomatic();
  TPoint ClientPoint(const TMessage& message) const;
  // Escape or focus loss: a drag ends where it began, a resize keeps its width.
  bool CancelMouseWork();
  bool SetHeaderCursor(TMessage& message);
  void NonClientMouseMove(const TMessage& message);
  bool NonClientLeftButtonDown(const TMessage& message);
  bool LeftButtonUp(const TMessage& message);
  bool NonClientRightButtonUp(const TMessage& message);
  void NonClientDoubleClick(const TMessage& message, TMouseButton button);
  void DropDraggedColumn(const TMessage& message);
  void EndMouseWork();
  // The captured mouse moves: a pending resize or drag starts, a running one follows.
  bool HeaderMouseMove(const TMessage& message);
  // Hover, press and click are forgotten once the mouse left the header.
  void HeaderTimerTick();
  void BeginColumnDrag(TPoint start);
  bool SplitterLeftToRight(int x);
  bool SplitterRightToLeft(int x);
  bool StartsTracking(const TDataTreeColumn& column, int fixedEdge);
  // Moves the drop mark to the column under a screen point and the drag
  // picture to the point; true when the picture moved.
  bool DragColumnTo(TPoint screen);

  TBaseDataTree& tree_;
  TDataTreeColumns columns_;
  std::unique_ptr<TDTDragImage> dragImage_;
  TColumnIndex mainColumn_ = ColumnNone;
  TColumnIndex sortColumn_ = ColumnNone;
  TColumnIndex autoSizeIndex_ = 0;
  TSortDirection sortDirection_ = sdAscending;
  TDTHeaderOptions options_{hoColumnResize, hoDrag};
  TDTHeaderStates states_;
  TDTHeaderStyle style_ = hsThickButtons;
  TColor background_ = clBtnFace;
  // Repaints the header when its image list changes; a freed list is forgotten.
  TChangeLink imagesLink_;
  TFont font_;
  bool parentFont_ = false;
  int height_ = 17;
  int trackPos_ = 0;
  // Where a resize began (client) and the left button went down (screen).
  TPoint trackStart_;
  TPoint dragStart_;
  // The header width the spring rule saw last; 0 before the first.
  int lastWidth_ = 0;
};
