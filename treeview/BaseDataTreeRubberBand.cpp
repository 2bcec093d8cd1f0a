// The rubber band: a rectangle drawn with the mouse from empty space that
// selects the rows whose text it meets, kept in tree coordinates so that it
// stays on its rows while the tree scrolls under it.

#include <algorithm>
#include <cstdlib>

#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Paint.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/TreeRoutines.h"

void TBaseDataTree::StartRubberBand(int x, int y, TShiftState shift) {
  if (HandleAllocated()) SetCapture(Handle());
  ChangeTreeStates({tsDrawSelPending}, {});
  drawSelShiftState_ = shift & (ssCtrl | ssShift);
  const TPoint start = Point(x + effectiveOffsetX_, y - offsetY_);
  newSelRect_ = Rect(start.X, start.Y, start.X, start.Y);
  lastSelRect_ = TRect{};
  bandStartSelection_.clear();
  if (drawSelShiftState_ == ssShift) {
    const TNodeArray selected = SortedSelection(false);
    bandStartSelection_.insert(selected.begin(), selected.end());
  }
}

void TBaseDataTree::MoveRubberBand(int x, int y) {
  const bool moved = UpdateRubberBandRect(x, y);
  if (states_.Contains(tsDrawSelPending)) {
    if (std::abs(newSelRect_.Width()) <= MouseDragThreshold && std::abs(newSelRect_.Height()) <= MouseDragThreshold)
      return;
    if (states_.Contains(tsClearPending)) {
      ChangeTreeStates({}, {tsClearPending});
      UnselectAll();
      bandStartSelection_.clear();
    }
    ChangeTreeStates({tsDrawSelecting}, {tsDrawSelPending});
    // The band selects by the main column's text; the focus follows it there.
    MoveFocusColumn(header_->MainColumn(), false);
    ApplyRubberBand();
    if (HandleAllocated()) Invalidate();
    return;
  }
  if (!moved) return;
  if (ApplyRubberBand()) {
    if (HandleAllocated()) Invalidate();
  } else {
    InvalidateRubberBand();
  }
}

void TBaseDataTree::EndRubberBand() {
  if (!IsRubberBandActive()) return;
  StopAutoScroll();
  ChangeTreeStates({}, {tsDrawSelPending, tsDrawSelecting});
  bandStartSelection_.clear();
  if (HandleAllocated()) Invalidate();
}

bool TBaseDataTree::UpdateRubberBandRect(int x, int y) {
  if (states_.Contains(tsDrawSelecting)) lastSelRect_ = newSelRect_;
  newSelRect_.Right = std::min(std::max(x + effectiveOffsetX_, 0), std::max(ClientWidth(), RangeX()));
  newSelRect_.Bottom = std::min(std::max(y - offsetY_, 0), std::max(ClientHeight(), RangeY()));
  return newSelRect_ != lastSelRect_;
}

void TBaseDataTree::InvalidateRubberBand() {
  if (!HandleAllocated()) return;
  TRect area;
  UnionRect(area, NormalizeRect(lastSelRect_), NormalizeRect(newSelRect_));
  OffsetRect(area, -effectiveOffsetX_, offsetY_);
  InvalidateRect(Handle(), &area, false);
}

// ---- Selecting -----------------------------------------------------------------------------------

bool TBaseDataTree::ApplyRubberBand() {
  if (root_->TotalCount <= 1 || !states_.Contains(tsDrawSelecting)) return false;
  const TRect lastRect = NormalizeRect(lastSelRect_);
  const TRect newRect = NormalizeRect(newSelRect_);
  ClearTempNodeCache();
  const TColumnIndex mainColumn = header_->MainColumn();
  int left = 0;
  int right = std::max(ClientWidth(), RangeX());
  TAlignment alignment = Alignment();
  if (header_->Columns().ColumnExists(mainColumn)) {
    // The column's extent in the window, moved to band coordinates (a fixed column stays in the window).
    header_->Columns().ColumnHorzExtent(mainColumn, left, right);
    left += effectiveOffsetX_;
    right += effectiveOffsetX_;
    alignment = header_->Columns().ColumnAt(mainColumn).Alignment();
  }
  const bool changed = ReadsRightToLeft(mainColumn)
                           ? CollectRubberBandRTL(lastRect, newRect, left, right, alignment)
                           : CollectRubberBandLTR(lastRect, newRect, left, right, alignment);
  if (changed) {
    PackSelection();
    if (tempNodeCount_ > 0)
      SelectNodeArray(tempNodes_, tempNodeCount_, false);
    else
      SignalChange(nullptr);
  }
  ClearTempNodeCache();
  return changed;
}

bool TBaseDataTree::CollectRubberBandLTR(const TRect& lastRect, const TRect& newRect, int columnLeft,
                                         int columnRight, TAlignment alignment) {
  const TColumnIndex column = header_->MainColumn();
  const bool spanCells = options_->AutoOptions().Contains(toAutoSpanColumns) && header_->Columns().ColumnExists(column);
  return ScanRubberBand(lastRect, newRect, [&](PDataNode node) {
    const int textLeft = columnLeft + Indentation(node) + margin_ + ImagesWidth(node, column);
    int cellRight = columnRight;
    if (spanCells) SpanFollowingEmptyCells(node, column, cellRight);
    // Left-justified text starting inside both bands meets them exactly when
    // its whole cell does: no need to measure it.
    if (alignment == taLeftJustify && textLeft >= lastRect.Left && textLeft >= newRect.Left)
      return Rect(textLeft, 0, cellRight, 0);
    return PlacedText(node, column, textLeft, cellRight, alignment);
  });
}

bool TBaseDataTree::CollectRubberBandRTL(const TRect& lastRect, const TRect& newRect, int columnLeft,
                                         int columnRight, TAlignment alignment) {
  const TColumnIndex column = header_->MainColumn();
  // The levels, margin and images run in from the right; the text reads from there.
  const TAlignment reading = Mirrored(alignment);
  return ScanRubberBand(lastRect, newRect, [&](PDataNode node) {
    const int textRight = columnRight - Indentation(node) - margin_ - ImagesWidth(node, column);
    if (reading == taRightJustify && textRight <= lastRect.Right && textRight <= newRect.Right)
      return Rect(columnLeft, 0, textRight, 0);
    return PlacedText(node, column, columnLeft, textRight, reading);
  });
}

TRect TBaseDataTree::PlacedText(PDataNode node, TColumnIndex column, int left, int right, TAlignment alignment) {
  TRect text = Rect(left, 0, right, 0);
  const int width = NodeContentWidth(node, column, Canvas());
  if (width < text.Width()) NarrowTo(text, width, alignment);
  return text;
}

bool TBaseDataTree::ScanRubberBand(const TRect& lastRect, const TRect& newRect, const TBandTextSpan& textSpan) {
  const bool rowsOnly = options_->SelectionOptions().Contains(toSimpleDrawSelection);
  // The band's first update has no last rectangle (the empty one at the
  // origin, which meets nothing): only the new one bounds the walk.
  const bool hadLast = lastRect != TRect{};
  const int top = hadLast ? std::min(lastRect.Top, newRect.Top) : newRect.Top;
  const int bottom = hadLast ? std::max(lastRect.Bottom, newRect.Bottom) : newRect.Bottom;
  int rowTop = 0;
  PDataNode node = NodeAtPosition(0, top, false, rowTop);
  bool changed = false;
  while (node && rowTop < bottom) {
    const int rowBottom = rowTop + static_cast<int>(NodeRowHeight(node));
    const TRect text = rowsOnly ? TRect{} : textSpan(node);
    auto meets = [&](const TRect& band) {
      const bool vertically = rowTop < band.Bottom && rowBottom > band.Top;
      return vertically && (rowsOnly || (band.Left <= text.Right && band.Right >= text.Left));
    };
    const bool inNewRect = meets(newRect);
    if (meets(lastRect) != inNewRect) changed = ChangeBandNode(node, inNewRect) || changed;
    rowTop = rowBottom;
    node = NextVisibleNode(node);
  }
  return changed;
}

bool TBaseDataTree::ChangeBandNode(PDataNode node, bool inNewRect) {
  // Ctrl switches each node the band crosses; a Shift band gives back what it
  // passed over to the selection it started from.
  const bool wanted = (drawSelShiftState_ & ssCtrl) ? !node->Has(nsSelected)
                                                     : inNewRect || bandStartSelection_.contains(node);
  if (wanted == node->Has(nsSelected)) return false;
  if (wanted)
    CacheTempNode(node);
  else
    FlagDeselected(node);
  return true;
}

// ---- Painting ------------------------------------------------------------------------------------

void TBaseDataTree::PaintRubberBand(TCanvas& canvas, TPoint origin, const TRect& clip) {
  if (!states_.Contains(tsDrawSelecting)) return;
  TRect band = NormalizeRect(newSelRect_);
  if (band.Width() == 0 || band.Height() == 0) return;
  OffsetRect(band, -origin.X, -origin.Y);
  // The focus rectangle inverts: a part drawn outside the clip would be inverted again by the next piece.
  const HDC dc = canvas.Handle();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
  // Its dots take the device's text colour: white inverts, whatever colour the row left there.
  SetTextColor(dc, 0xFFFFFF);
  SetBkColor(dc, 0);
  DrawFocusRect(dc, band);
  RestoreDC(dc, saved);
}
