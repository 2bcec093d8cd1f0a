// Rows on the screen: display rectangles, hit tests, the scroll offsets and
// ranges, the scroll bars, scrolling a node into view and the repaint
// operations that invalidate only what changed.

#include <algorithm>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/GdiObject.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/gdi/Region.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/ScrollBarOptions.h"
#include "treeview/TreeRoutines.h"

namespace {

constexpr UINT RedrawNowFlags = RDW_INVALIDATE | RDW_VALIDATE | RDW_NOERASE | RDW_NOCHILDREN | RDW_UPDATENOW;

}  // namespace

// ---- Ranges and properties -----------------------------------------------------------

int TBaseDataTree::RangeX() const {
  return header_->HasColumns() ? header_->Columns().TotalColumnsWidth() : widestRow_;
}

int TBaseDataTree::RangeY() const {
  return static_cast<int>(root_->TotalHeight) - root_->NodeHeight + static_cast<int>(bottomSpace_);
}

void TBaseDataTree::SetBottomSpace(unsigned space) {
  if (space == bottomSpace_) return;
  bottomSpace_ = space;
  UpdateVertScrollBar(true);
}

void TBaseDataTree::SetIndent(unsigned indent) {
  if (indent == indent_) return;
  indent_ = indent;
  if (IsLoading() || updateCount_ > 0 || !HandleAllocated()) return;
  RefreshScrollBars(true);
  Invalidate();
}

void TBaseDataTree::SetMargin(int margin) {
  if (margin == margin_) return;
  margin_ = margin;
  if (HandleAllocated() && !IsLoading()) Invalidate();
}

void TBaseDataTree::SetBiDiMode(TBiDiMode mode) {
  if (mode == biDiMode_) return;
  biDiMode_ = mode;
  TDataTreeColumns& columns = header_->Columns();
  for (TColumnIndex column = 0; column < columns.Count(); ++column) columns.ColumnAt(column).SyncParentBiDiMode();
  if (options_->AutoOptions().Contains(toAutoBidiColumnOrdering)) columns.ResetPositions(mode == bdRightToLeft);
  if (HandleAllocated()) Invalidate();
}

bool TBaseDataTree::ReadsRightToLeft(TColumnIndex column) const {
  const TDataTreeColumns& columns = header_->Columns();
  return columns.ColumnExists(column) ? columns.ColumnAt(column).ReadsRightToLeft() : biDiMode_ != bdLeftToRight;
}

void TBaseDataTree::ColumnsChanged() {
  if (!HandleAllocated()) return;
  UpdateHorzScrollBar(false);
  Invalidate();
}

void TBaseDataTree::ColumnResized(TColumnIndex column) {
  if (IsLoading() || !HandleAllocated()) return;
  // Multi-line rows wrap at the column's width: their heights no longer hold.
  for (PDataNode node = FirstInitializedNode(); node; node = NextInitializedNode(node))
    if (node->Has(nsMultiline)) node->Exclude(nsHeightMeasured);
  UpdateHorzScrollBar(false);
  if (column >= 0) {
    // What moves: the columns after it, or right to left those before it.
    TRect r = ClientRect();
    if (!options_->AutoOptions().Contains(toAutoSpanColumns)) {
      int left = 0;
      int right = 0;
      header_->Columns().ColumnHorzExtent(column, left, right);
      if (biDiMode_ == bdRightToLeft)
        r.Right = right;
      else
        r.Left = left;
    }
    InvalidateRect(Handle(), &r, false);
    header_->InvalidateHeader(column, true);
  }
  PlaceEditor();
  if (header_->States().Contains(hdTracking)) UpdateWindow(Handle());
  if (OnColumnResize) OnColumnResize(header_.get(), column);
}

bool TBaseDataTree::NodeHasImage(PDataNode node, TDTImageKind kind, TColumnIndex column) {
  bool ghosted = false;
  int index = -1;
  FireGetImageIndex(node, kind, column, ghosted, index);
  return index >= 0;
}

int TBaseDataTree::ImagesWidth(PDataNode node, TColumnIndex column) {
  int width = CheckImageWidth(node, column);
  if (StateImages() && NodeHasImage(node, ikState, column)) width += StateImages()->Width() + 2;
  if (Images() && NodeHasImage(node, ikNormal, column)) width += Images()->Width() + 2;
  return width;
}

int TBaseDataTree::Indentation(PDataNode node) const {
  const unsigned levels = NodeLevel(node) + (options_->PaintOptions().Contains(toShowRoot) ? 1 : 0);
  return static_cast<int>(levels * indent_);
}

// ---- Rectangles ------------------------------------------------------------------------

TRect TBaseDataTree::NodeDisplayRect(PDataNode node, TColumnIndex column, bool textOnly, bool unclipped) {
  QASSERT(node != nullptr, "Node must not be nil.");
  QASSERT(node != root_, "Node must not be the hidden root node.");
  Initialized(node);
  int top = 0;
  if (!NodeRowTop(node, top)) return TRect{};
  const TDataTreeColumns& columns = header_->Columns();
  const bool mainColumn = column == header_->MainColumn();
  TRect r = Rect(0, top, std::max(ClientWidth(), RangeX()), top + node->NodeHeight);
  TAlignment alignment = Alignment();
  if (column <= ColumnNone || !columns.ColumnExists(column)) {
    OffsetRect(r, -effectiveOffsetX_, offsetY_);
  } else {
    columns.ColumnHorzExtent(column, r.Left, r.Right);
    --r.Right;
    OffsetRect(r, 0, offsetY_);
    alignment = columns.ColumnAt(column).Alignment();
  }
  if (!textOnly) return r;
  int offset = margin_ + ImagesWidth(node, column);
  if (mainColumn) offset += Indentation(node);
  const bool rightToLeft = ReadsRightToLeft(column);
  if (rightToLeft) {
    r.Right -= offset;
    alignment = Mirrored(alignment);
  } else {
    r.Left += offset;
  }
  const int width = NodeContentWidth(node, column, Canvas());
  if (unclipped) {
    // Text wider than its cell runs on from the side reading starts at.
    if (r.Width() < width) alignment = rightToLeft ? taRightJustify : taLeftJustify;
    NarrowTo(r, width, alignment);
  } else if (width < r.Width()) {
    NarrowTo(r, width, alignment);
  }
  return r;
}

// ---- Hit tests -------------------------------------------------------------------------

void TBaseDataTree::HitTestAt(int x, int y, bool relative, THitInfo& hitInfo) {
  hitInfo = THitInfo{};
  if (x < 0) hitInfo.HitPositions.Include(htToLeft);
  if (x > std::max(ClientWidth(), RangeX())) hitInfo.HitPositions.Include(htToRight);
  if (y < 0) hitInfo.HitPositions.Include(htAbove);
  if (y > std::max(ClientHeight(), RangeY())) hitInfo.HitPositions.Include(htBelow);
  if (relative) {
    if (x > header_->Columns().FixedColumnsWidth()) x += effectiveOffsetX_;
    y -= offsetY_;
  }
  if (!hitInfo.HitPositions.Empty()) return;
  int top = 0;
  hitInfo.HitNode = Initialized(NodeAtPosition(x, y, false, top));
  const TDataTreeColumns& columns = header_->Columns();
  int left = 0;
  int right = std::max(ClientWidth(), RangeX());
  TAlignment alignment = Alignment();
  if (header_->HasColumns()) {
    hitInfo.HitColumn = columns.ColumnAndBoundsAt(x, left, right, false);
    if (hitInfo.HitNode && hitInfo.HitColumn >= 0) SpanEmptyCells(hitInfo.HitNode, hitInfo.HitColumn, left, right);
    if (hitInfo.HitColumn >= 0) alignment = columns.ColumnAt(hitInfo.HitColumn).Alignment();
  }
  if (!hitInfo.HitNode || hitInfo.HitColumn == ColumnNotFound) {
    hitInfo.HitPositions.Include(htNowhere);
    return;
  }
  hitInfo.HitPositions.Include(htOnItem);
  if (ReadsRightToLeft(hitInfo.HitColumn))
    HitPositionRightToLeft(x - left, right - left, alignment, hitInfo);
  else
    HitPositionLeftToRight(x - left, right - left, alignment, hitInfo);
}

void TBaseDataTree::SpanEmptyCells(PDataNode node, TColumnIndex& column, int& left, int& right) {
  if (!options_->AutoOptions().Contains(toAutoSpanColumns)) return;
  const TDataTreeColumns& columns = header_->Columns();
  const TColumnIndex main = header_->MainColumn();
  while (column != main && FireGetCellIsEmpty(node, column)) {
    const TColumnIndex previous = columns.PreviousVisibleColumn(column);
    if (previous == ColumnNotFound) break;
    column = previous;
    left -= columns.ColumnAt(column).Width();
  }
  for (TColumnIndex next = columns.NextVisibleColumn(column);
       next != ColumnNotFound && next != main && FireGetCellIsEmpty(node, next);
       next = columns.NextVisibleColumn(next))
    right += columns.ColumnAt(next).Width();
}

void TBaseDataTree::HitPositionLeftToRight(int pos, int right, TAlignment alignment, THitInfo& hitInfo) {
  const PDataNode node = hitInfo.HitNode;
  const bool mainHit = hitInfo.HitColumn == header_->MainColumn();
  const int indentation = mainHit ? Indentation(node) : 0;
  THitPositions& positions = hitInfo.HitPositions;
  if (pos < indentation) {
    if (options_->PaintOptions().Contains(toShowButtons) && node->Has(nsHasChildren) &&
        pos >= indentation - static_cast<int>(indent_))
      positions.Include(htOnItemButton);
    else
      positions.Include(htOnItemIndent);
    return;
  }
  if (!mainHit && options_->MiscOptions().Contains(toReportMode)) return;
  const int checkWidth = CheckImageWidth(node, hitInfo.HitColumn);
  int edge = indentation + margin_ + checkWidth;
  if (mainHit && pos < edge) {
    if (checkWidth > 0) positions.Include(htOnItemCheckbox);
    return;
  }
  if (StateImages() && NodeHasImage(node, ikState, hitInfo.HitColumn)) {
    edge += StateImages()->Width() + 2;
    if (pos < edge) {
      positions.Include(htOnStateIcon);
      return;
    }
  }
  if (Images() && NodeHasImage(node, ikNormal, hitInfo.HitColumn)) {
    edge += Images()->Width() + 2;
    if (pos < edge) {
      positions.Include(htOnNormalIcon);
      return;
    }
  }
  const int textWidth = NodeContentWidth(node, hitInfo.HitColumn, Canvas());
  if (right - edge < textWidth) {
    positions.Include(htOnItemLabel);
    return;
  }
  switch (alignment) {
    case taRightJustify: positions.Include(pos < right - textWidth ? htOnItemLeft : htOnItemLabel); break;
    case taCenter: {
      const int start = (right + edge - textWidth) / 2;
      positions.Include(pos < start ? htOnItemLeft : pos < start + textWidth ? htOnItemLabel : htOnItemRight);
      break;
    }
    case taLeftJustify: positions.Include(pos < edge + textWidth ? htOnItemLabel : htOnItemRight); break;
  }
}

void TBaseDataTree::HitPositionRightToLeft(int pos, int right, TAlignment alignment, THitInfo& hitInfo) {
  const PDataNode node = hitInfo.HitNode;
  const bool mainHit = hitInfo.HitColumn == header_->MainColumn();
  // The levels run in from the right edge; the content lies left of them.
  const int indentStart = right - (mainHit ? Indentation(node) : 0);
  THitPositions& positions = hitInfo.HitPositions;
  if (mainHit && pos >= indentStart) {
    if (options_->PaintOptions().Contains(toShowButtons) && node->Has(nsHasChildren) &&
        pos <= indentStart + static_cast<int>(indent_))
      positions.Include(htOnItemButton);
    else
      positions.Include(htOnItemIndent);
    return;
  }
  if (!mainHit && options_->MiscOptions().Contains(toReportMode)) return;
  const int checkWidth = CheckImageWidth(node, hitInfo.HitColumn);
  int edge = indentStart - margin_ - checkWidth;
  if (mainHit && pos > edge) {
    if (checkWidth > 0) positions.Include(htOnItemCheckbox);
    return;
  }
  if (StateImages() && NodeHasImage(node, ikState, hitInfo.HitColumn)) {
    edge -= StateImages()->Width() + 2;
    if (pos > edge) {
      positions.Include(htOnStateIcon);
      return;
    }
  }
  if (Images() && NodeHasImage(node, ikNormal, hitInfo.HitColumn)) {
    edge -= Images()->Width() + 2;
    if (pos > edge) {
      positions.Include(htOnNormalIcon);
      return;
    }
  }
  const int textWidth = NodeContentWidth(node, hitInfo.HitColumn, Canvas());
  if (edge < textWidth) {
    positions.Include(htOnItemLabel);
    return;
  }
  switch (Mirrored(alignment)) {
    case taRightJustify: positions.Include(pos < edge - textWidth ? htOnItemLeft : htOnItemLabel); break;
    case taCenter: {
      const int start = (edge - textWidth) / 2;
      positions.Include(pos < start ? htOnItemLeft : pos < start + textWidth ? htOnItemLabel : htOnItemRight);
      break;
    }
    case taLeftJustify: positions.Include(pos > textWidth ? htOnItemRight : htOnItemLabel); break;
  }
}

// ---- Scrolling ----------------------------------------------------------------------------

bool TBaseDataTree::SetScrollOffset(TPoint value, TOffsetUpdateFlags flags, const TRect* clip) {
  value.X = std::min(std::max(value.X, ClientWidth() - RangeX()), 0);
  value.Y = std::min(std::max(value.Y, ClientHeight() - RangeY()), 0);
  const int deltaX = value.X - offsetX_;
  const int deltaY = value.Y - offsetY_;
  if (deltaX == 0 && deltaY == 0) return false;
  offsetX_ = value.X;
  offsetY_ = value.Y;
  effectiveOffsetX_ = -offsetX_;
  if (updateCount_ == 0 && HandleAllocated()) {
    if (flags & oufClientArea) {
      // Pixels are worth moving only where they are seen and still valid:
      // a hidden or wholly invalid window paints everything anew anyway.
      if (Showing() && !ClientAreaInvalid())
        ScrollClientArea(deltaX, deltaY, clip);
      else
        Invalidate();
    }
    if (flags & oufFrame) {
      const bool repaintBars = (flags & oufScrollBars) != 0;
      const bool horizontalBar = scrollBarOptions_->HasHorizontal();
      if (deltaX != 0 && !states_.Contains(tsSizing) && horizontalBar) UpdateHorzScrollBar(repaintBars);
      if (deltaY != 0 && !states_.Contains(tsSizing) && !states_.Contains(tsThumbTracking)) {
        UpdateVertScrollBar(repaintBars);
        if (!header_->HasColumns() && horizontalBar) UpdateHorzScrollBar(repaintBars);
      }
    }
  }
  PlaceEditor();
  TrackHotNodeUnderMouse();
  FireScroll(deltaX, deltaY);
  return true;
}

void TBaseDataTree::TrackHotNodeUnderMouse() {
  if (!HandleAllocated()) return;
  TPoint cursor;
  GetCursorPos(cursor);
  // Only a mouse over the tree itself, not over a window covering it.
  if (WindowFromPoint(cursor) != Handle()) return;
  const TPoint client = ScreenToClient(cursor);
  if (PtInRect(ClientRect(), client)) TrackHotNode(client.X, client.Y);
}

bool TBaseDataTree::ClientAreaInvalid() {
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetUpdateRgn(Handle(), region, false);
  TRect box;
  GetRgnBox(region, &box);
  DeleteObject(region);
  const TRect client = ClientRect();
  return kind == SIMPLEREGION && box.Left <= client.Left && box.Top <= client.Top && box.Right >= client.Right &&
         box.Bottom >= client.Bottom;
}

void TBaseDataTree::ScrollClientArea(int deltaX, int deltaY, const TRect* clip) {
  const int fixedWidth = header_->Columns().FixedColumnsWidth();
  if (deltaX != 0 && fixedWidth > 0) {
    // The fixed columns stay; only the part right of them moves sideways.
    const TRect movable = Rect(fixedWidth, 0, ClientWidth(), ClientHeight());
    ScrollWindowEx(Handle(), deltaX, 0, &movable, &movable, nullptr, nullptr, SW_INVALIDATE);
    if (deltaY != 0) ScrollWindowEx(Handle(), 0, deltaY, nullptr, clip, nullptr, nullptr, SW_INVALIDATE);
    return;
  }
  ScrollWindowEx(Handle(), deltaX, deltaY, nullptr, clip, nullptr, nullptr, SW_INVALIDATE | SW_SCROLLCHILDREN);
}

bool TBaseDataTree::SetHorzOffset(int x) { return SetScrollOffset({x, offsetY_}, oufAll, nullptr); }

bool TBaseDataTree::SetVertOffset(int y) { return SetScrollOffset({offsetX_, y}, oufAll, nullptr); }

bool TBaseDataTree::ScrollNodeIntoView(PDataNode node, bool center, bool horizontally) {
  if (!node || node == root_) return false;
  for (PDataNode ancestor = node->Parent; ancestor != root_; ancestor = ancestor->Parent)
    if (!ancestor->Has(nsExpanded)) ToggleExpanded(ancestor);
  const TColumnIndex column = header_->HasColumns() ? focusedColumn_ : ColumnNone;
  const TRect r = NodeDisplayRect(node, column, !options_->MiscOptions().Contains(toGridExtensions));
  if (r.Bottom <= r.Top) return false;
  bool scrolled = false;
  const int clientHeight = ClientHeight();
  if (r.Top < 0)
    scrolled = SetVertOffset(offsetY_ - r.Top + (center ? clientHeight / 2 : 0));
  else if (r.Bottom > clientHeight || center)
    scrolled = SetVertOffset(center ? offsetY_ - r.Bottom + clientHeight / 2 : offsetY_ + clientHeight - r.Bottom);
  if (horizontally) scrolled = ScrollIntoViewHorizontally(r) || scrolled;
  return scrolled;
}

bool TBaseDataTree::ScrollIntoViewHorizontally(const TRect& r) {
  const int fixedWidth = header_->Columns().FixedColumnsWidth();
  int newOffset;
  if (fixedWidth == 0) {
    if (r.Left >= 0 && r.Right <= ClientWidth()) return false;
    newOffset = (r.Left + r.Right) / 2 + effectiveOffsetX_ - ClientWidth() / 2;
  } else {
    if (std::abs(r.Left - fixedWidth) <= 1) return false;
    newOffset = effectiveOffsetX_ - (r.Left - fixedWidth);
  }
  return SetHorzOffset(-newOffset);
}

void TBaseDataTree::ScrollNodeToTop(PDataNode node) {
  if (!node) return;
  for (PDataNode ancestor = node->Parent; ancestor != root_; ancestor = ancestor->Parent)
    if (!ancestor->Has(nsExpanded)) ToggleExpanded(ancestor);
  const TRect r = NodeDisplayRect(node, header_->MainColumn(), true);
  SetVertOffset(offsetY_ - r.Top);
}

// ---- Scroll bars -------------------------------------------------------------------------

void TBaseDataTree::SetScrollBarShown(int bar, bool show) {
  ShowScrollBar(Handle(), bar, show);
  if (OnShowScrollbar) OnShowScrollbar(this, bar, show);
}

void TBaseDataTree::RefreshScrollBars(bool doRepaint) {
  UpdateVertScrollBar(doRepaint);
  UpdateHorzScrollBar(doRepaint);
}

void TBaseDataTree::SetUpScrollBar(int bar, int range, int page, int position, bool doRepaint) {
  SCROLLINFO info;
  const bool alwaysVisible = scrollBarOptions_->AlwaysVisible();
  if (page < range || alwaysVisible) {
    SetScrollBarShown(bar, true);
    info.fMask = SIF_ALL | (alwaysVisible ? SIF_DISABLENOSCROLL : 0);
    info.nMax = range;
    info.nPage = static_cast<UINT>(std::max(0, page + 1));
    info.nPos = position;
    SetScrollInfo(Handle(), bar, info, doRepaint);
    EnableScrollBar(Handle(), static_cast<UINT>(bar), page < range ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
  } else {
    info.fMask = SIF_ALL;
    SetScrollInfo(Handle(), bar, info, false);
    SetScrollBarShown(bar, false);
  }
}

void TBaseDataTree::UpdateVertScrollBar(bool doRepaint) {
  if (!HandleAllocated() || !scrollBarOptions_->HasVertical()) {
    if (HandleAllocated()) SetScrollBarShown(SB_VERT, false);
    SetVertOffset(offsetY_);
    return;
  }
  SetUpScrollBar(SB_VERT, RangeY(), ClientHeight(), -offsetY_, doRepaint);
  SetVertOffset(-GetScrollPos(Handle(), SB_VERT));
}

void TBaseDataTree::UpdateHorzScrollBar(bool doRepaint) {
  // The widest row is measured among the rows in the window.
  if (!header_->HasColumns() && HandleAllocated()) widestRow_ = WidestVisibleRow();
  effectiveOffsetX_ = -offsetX_;
  if (!HandleAllocated() || !scrollBarOptions_->HasHorizontal()) {
    if (HandleAllocated()) SetScrollBarShown(SB_HORZ, false);
    SetHorzOffset(offsetX_);
    return;
  }
  SetUpScrollBar(SB_HORZ, RangeX(), ClientWidth(), effectiveOffsetX_, doRepaint);
  SetHorzOffset(-GetScrollPos(Handle(), SB_HORZ));
}

int TBaseDataTree::WidestVisibleRow() {
  int top = 0;
  PDataNode node = NodeAtPosition(0, 0, true, top);
  if (!node) return margin_;
  int indentation = Indentation(node);
  int widest = 0;
  for (int height = top; node && height < Height();) {
    Initialized(node);
    widest = std::max(widest, indentation + ImagesWidth(node, ColumnNone) +
                                  NodeContentWidth(node, ColumnNone, Canvas()));
    height += node->NodeHeight;
    const PDataNode next = NextShownRow(node);
    if (next) indentation += LevelDifference(node, next) * static_cast<int>(indent_);
    node = next;
  }
  return widest + margin_;
}

int TBaseDataTree::WidestCellInColumn(TColumnIndex column) {
  const bool mainColumn = column == header_->MainColumn();
  int widest = 0;
  for (PDataNode node = FirstVisibleNode(); node; node = NextVisibleNode(node)) {
    const int width = (mainColumn ? Indentation(node) : 0) + margin_ + ImagesWidth(node, column) +
                      NodeContentWidth(node, column, Canvas());
    widest = std::max(widest, width);
  }
  return widest + (options_->PaintOptions().Contains(toShowVertGridLines) ? 1 : 0);
}

// ---- Heights ------------------------------------------------------------------------------

void TBaseDataTree::MeasureNodeHeight(TCanvas& canvas, PDataNode node) {
  if (node->Has(nsHeightMeasured)) return;
  node->Include(nsHeightMeasured);
  int height = node->NodeHeight;
  FireMeasureItem(canvas, node, height);
  if (height != node->NodeHeight) SetNodeRowHeight(node, static_cast<unsigned>(std::max(height, 0)));
}

// ---- Repainting ------------------------------------------------------------------------------

void TBaseDataTree::RepaintNode(PDataNode node) {
  if (updateCount_ > 0 || !HandleAllocated() || !node || node == root_) return;
  const TRect r = NodeDisplayRect(node, ColumnNone, false);
  if (r.Bottom > r.Top) InvalidateRect(Handle(), &r, false);
}

void TBaseDataTree::RepaintColumn(TColumnIndex column) {
  if (updateCount_ > 0 || !HandleAllocated() || !header_->Columns().ColumnExists(column)) return;
  TRect r = ClientRect();
  header_->Columns().ColumnHorzExtent(column, r.Left, r.Right);
  InvalidateRect(Handle(), &r, false);
}

void TBaseDataTree::RepaintFromNodeDown(PDataNode node) {
  if (updateCount_ > 0 || !HandleAllocated()) return;
  if (!node || node == root_) {
    Invalidate();
    return;
  }
  int top = 0;
  if (!node->Has(nsInitialized) || !node->Has(nsVisible) || !NodeRowTop(node, top)) return;
  top += offsetY_;
  if (top >= ClientHeight()) return;
  TRect r = ClientRect();
  r.Top = std::max(top, 0);
  InvalidateRect(Handle(), &r, false);
}

void TBaseDataTree::RedrawNodeNow(PDataNode node) {
  if (!node || node == root_ || !HandleAllocated()) return;
  const TRect r = NodeDisplayRect(node, ColumnNone, false);
  RedrawWindow(Handle(), &r, nullptr, RedrawNowFlags);
}

// ---- Window ----------------------------------------------------------------------------------

void TBaseDataTree::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.Style &= ~WS_BORDER;
  if (borderStyle_ == bsSingle) {
    if (ctl3D_)
      params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      params.Style |= WS_BORDER;
  }
  if (scrollBarOptions_->HasHorizontal()) params.Style |= WS_HSCROLL;
  if (scrollBarOptions_->HasVertical()) params.Style |= WS_VSCROLL;
}

void TBaseDataTree::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  if (HandleAllocated()) RecreateWnd();
}

void TBaseDataTree::SetCtl3D(bool value) {
  if (value == ctl3D_) return;
  ctl3D_ = value;
  if (borderStyle_ == bsSingle && HandleAllocated()) RecreateWnd();
}

void TBaseDataTree::CreateWnd() {
  ChangeTreeStates({tsWindowCreating}, {});
  TCustomControl::CreateWnd();
  ChangeTreeStates({}, {tsWindowCreating, tsUseThemes});
  RefreshScrollBars(false);
  RegisterDropTarget();
}
