// Painting the header: every visible cell is composed in one off-screen
// bitmap, which is copied once, so hot tracking and pressing never flicker.

#include <algorithm>
#include <array>
#include <initializer_list>

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/Edges.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTColors.h"
#include "treeview/DTHeader.h"
#include "treeview/TreeGlobals.h"
#include "treeview/TreeImages.h"
#include "treeview/TreeRoutines.h"

namespace {

constexpr int GlyphSize = 16;

TImageList& UtilityImages() { return InitTreeGlobals().UtilityImages(); }

void DrawSortGlyph(TCanvas& canvas, TPoint at, TSortDirection direction) {
  UtilityImages().Draw(canvas, at.X, at.Y, direction == sdAscending ? UtilitySortAscending : UtilitySortDescending);
}

// The round mark at one side of the cell where a dragged column would land.
void DrawDropMark(TCanvas& canvas, const TRect& cell, bool before) {
  TImageList& images = UtilityImages();
  const int top = (cell.Top + cell.Bottom - images.Height()) / 2;
  if (before)
    images.Draw(canvas, cell.Left, top, UtilityDropLeft);
  else
    images.Draw(canvas, cell.Right - 16, top, UtilityDropRight);
}

// The orange bar along the bottom of a hot XP cell, its pieces 16 pixels wide.
void DrawHotBar(TCanvas& canvas, const TRect& r) {
  TImageList& images = UtilityImages();
  const int top = r.Bottom - 3;
  const int width = r.Right - r.Left;
  if (width <= 32) {
    images.Draw(canvas, r.Right - 16, top, UtilityHotBarRight);
    // The left piece covers half the cell, over the right one.
    const int saved = SaveDC(canvas.Handle());
    IntersectClipRect(canvas.Handle(), r.Left, top, r.Left + width / 2, r.Bottom);
    images.Draw(canvas, r.Left, top, UtilityHotBarLeft);
    RestoreDC(canvas.Handle(), saved);
    return;
  }
  images.Draw(canvas, r.Left, top, UtilityHotBarLeft);
  for (int x = r.Left + 16; x + 16 < r.Right; x += 16) images.Draw(canvas, x, top, UtilityHotBarMiddle);
  images.Draw(canvas, r.Right - 16, top, UtilityHotBarRight);
}

// The edge and flags of a classic cell by style: normal, pressed, hot.
struct TCellEdge {
  UINT Edge;
  UINT Flags;
};

TCellEdge ClassicEdge(TDTHeaderStyle style, bool pressed, bool hot) {
  constexpr UINT open = BF_LEFT | BF_TOP | BF_BOTTOM | BF_MIDDLE | BF_ADJUST;
  switch (style) {
    case hsFlatButtons:
      if (pressed) return {BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE | BF_ADJUST};
      return {BDR_RAISEDINNER, open};
    case hsPlates:
      if (pressed) return {BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE | BF_ADJUST};
      if (hot) return {BDR_RAISEDINNER, open};
      return {BDR_RAISEDINNER, BF_RECT | BF_MIDDLE | BF_SOFT | BF_ADJUST};
    default:
      if (pressed) return {EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT | BF_ADJUST | BF_FLAT};
      return {EDGE_RAISED, open | BF_SOFT};
  }
}

void Line(TCanvas& canvas, TColor color, std::initializer_list<TPoint> points) {
  canvas.Pen().SetColor(color);
  const TPoint* point = points.begin();
  canvas.MoveTo(point->X, point->Y);
  for (++point; point != points.end(); ++point) canvas.LineTo(point->X, point->Y);
}

}  // namespace

void TDataTreeColumns::DrawXPCell(TCanvas& canvas, const TRect& r, bool hot, bool pressed, bool splitter) {
  canvas.Brush().SetColor(pressed ? RGB(222, 223, 216) : hot ? RGB(250, 248, 243) : RGB(235, 234, 219));
  canvas.FillRect(r);
  if (pressed) {
    Line(canvas, RGB(165, 165, 151),
         {Point(r.Left, r.Top), Point(r.Left, r.Bottom - 1), Point(r.Right - 1, r.Bottom - 1),
          Point(r.Right - 1, r.Top - 1)});
    Line(canvas, RGB(193, 194, 184), {Point(r.Left + 1, r.Bottom - 2), Point(r.Left + 1, r.Top), Point(r.Right - 1, r.Top)});
    Line(canvas, RGB(208, 209, 201),
         {Point(r.Left + 2, r.Bottom - 2), Point(r.Left + 2, r.Top + 1), Point(r.Right - 1, r.Top + 1)});
    return;
  }
  if (hot) {
    DrawHotBar(canvas, r);
    return;
  }
  if (splitter) {
    Line(canvas, RGB(199, 197, 178), {Point(r.Right - 2, r.Top + 3), Point(r.Right - 2, r.Bottom - 5)});
    Line(canvas, RGB(255, 255, 255), {Point(r.Right - 1, r.Top + 3), Point(r.Right - 1, r.Bottom - 5)});
  }
  Line(canvas, RGB(224, 222, 207), {Point(r.Left, r.Bottom - 3), Point(r.Right, r.Bottom - 3)});
  Line(canvas, RGB(213, 210, 195), {Point(r.Left, r.Bottom - 2), Point(r.Right, r.Bottom - 2)});
  Line(canvas, RGB(203, 199, 184), {Point(r.Left, r.Bottom - 1), Point(r.Right, r.Bottom - 1)});
}

void TDataTreeColumn::CalcCellLayout(TCanvas& canvas, const TRect& client, bool useImage, bool useSortGlyph,
                                     TPoint& imagePos, TPoint& sortGlyphPos, TRect& textBounds) const {
  const bool hasText = !text_.empty();
  const TImageList* images = owner_.Header().Images();
  useImage = useImage && images;
  if (!hasText && !useImage && !useSortGlyph) return;
  const bool rightToLeft = ReadsRightToLeft();
  TAlignment alignment = alignment_;
  if (rightToLeft && alignment != taCenter) alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  const TSize size{client.Width(), client.Height()};
  const TSize imageSize = useImage ? TSize{images->Width(), images->Height()} : TSize{0, 0};
  const int sortWidth = useSortGlyph ? GlyphSize : 0;
  if (useSortGlyph) sortGlyphPos.Y = (size.cy - GlyphSize) / 2;
  TSize textSize{0, 0};
  if (hasText) {
    textSize = canvas.TextExtent(text_);
    textSize.cx += 2;
  }
  const int textSpacing = hasText ? spacing_ : 0;
  const bool stacked = useImage && (layout_ == blGlyphTop || layout_ == blGlyphBottom);
  const bool imageLeft = useImage && layout_ == blGlyphLeft;
  const bool imageRight = useImage && layout_ == blGlyphRight;
  int textLeft = 0;
  int textTop = (size.cy - textSize.cy) / 2;
  if (!hasText && !useImage) {
    sortGlyphPos.X = (size.cx - GlyphSize) / 2;
  } else {
    imagePos.Y = (size.cy - imageSize.cy) / 2;
    if (stacked) {
      const int first = (size.cy - imageSize.cy - textSize.cy - textSpacing) / 2;
      if (layout_ == blGlyphTop) {
        imagePos.Y = first;
        textTop = first + imageSize.cy + textSpacing;
      } else {
        textTop = first;
        imagePos.Y = first + textSize.cy + textSpacing;
      }
    }
    int x = 0;
    switch (alignment) {
      case taLeftJustify:
        x = margin_;
        if (rightToLeft && useSortGlyph) {
          sortGlyphPos.X = x;
          x += sortWidth + spacing_;
        }
        if (stacked) {
          textLeft = x;
          imagePos.X = std::max((size.cx - imageSize.cx) / 2, x);
          x = std::max(imagePos.X + imageSize.cx + spacing_, textLeft + textSize.cx + textSpacing);
        } else {
          if (imageLeft) {
            imagePos.X = x;
            x += imageSize.cx + spacing_;
          }
          textLeft = x;
          x += textSize.cx + textSpacing;
          if (imageRight) {
            imagePos.X = x;
            x += imageSize.cx + spacing_;
          }
        }
        if (!rightToLeft) sortGlyphPos.X = x;
        break;
      case taCenter: {
        if (stacked) {
          imagePos.X = (size.cx - imageSize.cx) / 2;
          textLeft = (size.cx - textSize.cx) / 2 - sortWidth / 2;
        } else {
          x = (size.cx - imageSize.cx - textSpacing - textSize.cx) / 2;
          if (imageLeft) {
            imagePos.X = x;
            x += imageSize.cx + textSpacing;
          }
          textLeft = x;
          x += textSize.cx + textSpacing;
          if (imageRight) imagePos.X = x;
        }
        const int blockLeft = useImage ? std::min(imagePos.X, textLeft) : textLeft;
        const int blockRight =
            useImage ? std::max(imagePos.X + imageSize.cx, textLeft + textSize.cx) : textLeft + textSize.cx;
        sortGlyphPos.X = rightToLeft ? blockLeft - spacing_ - sortWidth : blockRight + spacing_;
        break;
      }
      case taRightJustify:
        x = size.cx - margin_;
        if (!rightToLeft && useSortGlyph) {
          x -= sortWidth;
          sortGlyphPos.X = x;
          x -= spacing_;
        }
        if (stacked) {
          textLeft = x - textSize.cx;
          imagePos.X = std::min((size.cx - imageSize.cx) / 2, x - spacing_ - imageSize.cx);
          x = std::min(textLeft - textSpacing, imagePos.X - spacing_);
        } else {
          if (imageRight) {
            imagePos.X = x - imageSize.cx;
            x = imagePos.X - spacing_;
          }
          textLeft = x - textSize.cx;
          x = textLeft - textSpacing;
          if (imageLeft) {
            imagePos.X = x - imageSize.cx;
            x = imagePos.X - spacing_;
          }
        }
        if (rightToLeft) sortGlyphPos.X = x - sortWidth;
        break;
    }
  }
  // Keep everything within the margins: the glyph first, then the image; the caption gets what remains.
  int minLeft = margin_;
  int maxRight = size.cx - margin_;
  if (useSortGlyph) {
    if (!rightToLeft) {
      sortGlyphPos.X = std::min(sortGlyphPos.X, maxRight - sortWidth);
      maxRight = sortGlyphPos.X - spacing_;
      sortGlyphPos.X = std::max(sortGlyphPos.X, minLeft);
    } else {
      minLeft = sortGlyphPos.X + sortWidth + spacing_;
    }
    sortGlyphPos = Point(sortGlyphPos.X + client.Left, sortGlyphPos.Y + client.Top);
  }
  if (useImage) {
    imagePos.X = std::min(imagePos.X, maxRight - imageSize.cx);
    if (layout_ == blGlyphRight) maxRight = imagePos.X - spacing_;
    imagePos.X = std::max(imagePos.X, minLeft);
    if (layout_ == blGlyphLeft) minLeft = imagePos.X + imageSize.cx + spacing_;
    imagePos = Point(imagePos.X + client.Left, imagePos.Y + client.Top);
  }
  if (!hasText) return;
  textLeft = std::max(textLeft, minLeft);
  textBounds = Rect(textLeft, textTop, std::min(textLeft + textSize.cx, maxRight), textTop + textSize.cy);
  OffsetRect(textBounds, client.Left, client.Top);
}

void TDataTreeColumns::DrawCellText(TCanvas& canvas, const std::string& caption, const TRect& bounds, bool enabled,
                                    bool hot, unsigned drawFormat) {
  const HDC dc = canvas.Handle();
  std::string shown = caption;
  if (canvas.TextWidth(caption) > bounds.Width()) shown = ElideText(dc, caption, bounds.Width(), 0);
  SetBkMode(dc, TRANSPARENT);
  TRect r = bounds;
  if (enabled) {
    TBaseDataTree& tree = header_.Tree();
    SetTextColor(dc, ColorToRGB(hot ? tree.Colors().Color(HeaderHotColor) : canvas.Font().Color()));
    DrawText(dc, shown, r, drawFormat);
    return;
  }
  OffsetRect(r, 1, 1);
  SetTextColor(dc, ColorToRGB(clBtnHighlight));
  DrawText(dc, shown, r, drawFormat);
  r = bounds;
  SetTextColor(dc, ColorToRGB(clBtnShadow));
  DrawText(dc, shown, r, drawFormat);
}

void TDataTreeColumns::PaintHeaderCells(HDC dc, const TRect& r, int hOffset) {
  TBaseDataTree& tree = header_.Tree();
  hOffset += tree.RightToLeftOffset();
  const TRect header = header_.HeaderRect();
  if (!headerBitmap_) headerBitmap_ = std::make_unique<TBitmap>(1, 1, pf32bit);
  headerBitmap_->SetSize(std::max(header.Right, r.Width()), header.Bottom);
  TCanvas& canvas = headerBitmap_->Canvas();
  canvas.Font().Assign(header_.Font());
  const bool ownerDraw = header_.Options().Contains(hoOwnerDraw);
  const bool advanced = ownerDraw && tree.OnAdvancedHeaderDraw && tree.OnHeaderDrawQueryElements;
  const THeaderPainting painting{canvas, ownerDraw && !advanced && tree.OnHeaderDraw, advanced};
  THeaderPaintInfo background;
  background.Canvas = &canvas;
  background.CellRect = r;
  if (!ClaimedBackground(painting, background)) {
    if (header_.Style() == hsXPStyle) {
      DrawXPCell(canvas, header, false, false, false);
    } else {
      canvas.Brush().SetColor(header_.Background());
      canvas.FillRect(r);
    }
  }
  int x = header.Left;
  int buttonRight = r.Left;
  bool shifted = false;
  for (TColumnIndex index : positionToIndex_) {
    TDataTreeColumn& column = ColumnAt(index);
    if (!column.Visible()) continue;
    if (!shifted && !column.Options().Contains(coFixed)) {
      x += hOffset;
      shifted = true;
    }
    const TRect cell = Rect(x, r.Top, x + column.Width(), r.Bottom);
    const TRect button = Rect(buttonRight, r.Top, std::max(buttonRight, cell.Right), r.Bottom);
    x = cell.Right;
    buttonRight = button.Right;
    if (cell.Right <= r.Left || cell.Right <= button.Left) continue;
    if (cell.Left >= r.Right) break;
    IntersectClipRect(canvas.Handle(), std::max(button.Left, r.Left), r.Top, std::min(button.Right, r.Right), r.Bottom);
    PaintCell(painting, column, cell);
    SelectClipRgn(canvas.Handle(), nullptr);
  }
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), canvas.Handle(), r.Left, r.Top, SRCCOPY);
}

bool TDataTreeColumns::ClaimedBackground(const THeaderPainting& painting, THeaderPaintInfo& info) {
  if (!painting.Advanced) return false;
  THeaderPaintElements elements;
  header_.Tree().FireHeaderDrawQueryElements(info, elements);
  if (!elements.Contains(hpeBackground)) return false;
  header_.Tree().FireAdvancedHeaderDraw(info, {hpeBackground});
  return true;
}

void TDataTreeColumns::PaintCell(const THeaderPainting& painting, TDataTreeColumn& column, const TRect& cell) {
  TCanvas& canvas = painting.Canvas;
  const TDTHeaderOptions options = header_.Options();
  const TColumnIndex index = column.Index();
  THeaderPaintInfo info;
  info.Canvas = &canvas;
  info.Column = &column;
  info.CellRect = cell;
  info.Enabled = column.Options().Contains(coEnabled) && header_.Tree().Enabled();
  info.Hover = index == HoverIndex && options.Contains(hoHotTrack) && column.Options().Contains(coEnabled);
  info.Pressed = index == DownIndex;
  info.ShowImage = options.Contains(hoShowImages) && header_.Images() && column.ImageIndex() > -1;
  info.ShowSortGlyph = index == header_.SortColumn() && options.Contains(hoShowSortGlyphs);
  if (column.Options().Contains(coShowDropMark) && index == DropTarget && index != DragIndex)
    info.DropMark = DropBefore ? dmmLeft : dmmRight;
  if (column.Style() == vsOwnerDraw && painting.OwnerDraw) {
    header_.Tree().FireHeaderDraw(canvas, index, cell, info.Hover, info.Pressed, info.DropMark);
    return;
  }
  THeaderPaintElements claimed;
  if (painting.Advanced) header_.Tree().FireHeaderDrawQueryElements(info, claimed);
  if (claimed.Contains(hpeBackground))
    header_.Tree().FireAdvancedHeaderDraw(info, {hpeBackground});
  else
    PaintCellBackground(canvas, column, info);

  TRect inset = cell;
  InflateRect(inset, -2, -2);
  info.CellRect = inset;
  column.CalcCellLayout(canvas, inset, info.ShowImage, info.ShowSortGlyph, info.ImagePos, info.SortGlyphPos,
                        info.TextRect);
  if (info.Pressed) {
    OffsetRect(info.TextRect, 1, 1);
    info.ImagePos = Point(info.ImagePos.X + 1, info.ImagePos.Y + 1);
    info.SortGlyphPos = Point(info.SortGlyphPos.X + 1, info.SortGlyphPos.Y + 1);
  }
  if (info.ShowImage && !claimed.Contains(hpeHeaderGlyph)) DrawHeaderImage(canvas, column, info);
  if (!column.Text().empty() && !claimed.Contains(hpeText)) {
    const unsigned format = DT_NOPREFIX | (column.ReadsRightToLeft() ? DT_RTLREADING : 0);
    DrawCellText(canvas, column.Text(), info.TextRect, info.Enabled, info.Hover, format);
  }
  if (info.ShowSortGlyph && !claimed.Contains(hpeSortGlyph))
    DrawSortGlyph(canvas, info.SortGlyphPos, header_.SortDirection());
  if (info.DropMark != dmmNone && !claimed.Contains(hpeDropMark)) DrawDropMark(canvas, inset, info.DropMark == dmmLeft);
  const THeaderPaintElements content = claimed - THeaderPaintElements{hpeBackground};
  if (content.Empty()) return;
  // The application's drawing must not leave its pens and modes to the next cell.
  const int saved = SaveDC(canvas.Handle());
  header_.Tree().FireAdvancedHeaderDraw(info, content);
  RestoreDC(canvas.Handle(), saved);
}

void TDataTreeColumns::DrawHeaderImage(TCanvas& canvas, const TDataTreeColumn& column, const THeaderPaintInfo& info) {
  TImageList& images = *header_.Images();
  // Beside a sort glyph the image gives way rather than reach over it.
  if (info.ShowSortGlyph && !column.ReadsRightToLeft() && info.ImagePos.X + images.Width() > info.SortGlyphPos.X)
    return;
  images.Draw(canvas, info.ImagePos.X, info.ImagePos.Y, column.ImageIndex(), info.Enabled);
}

void TDataTreeColumns::PaintCellBackground(TCanvas& canvas, const TDataTreeColumn& column,
                                           const THeaderPaintInfo& info) {
  if (header_.Style() == hsXPStyle) {
    DrawXPCell(canvas, info.CellRect, info.Hover, info.Pressed, true);
    return;
  }
  const bool hot = info.Hover && column.Options().Contains(coAllowClick) && info.Enabled;
  TCellEdge edge = ClassicEdge(header_.Style(), info.Pressed, hot);
  if (!info.Pressed) edge.Flags |= BF_RIGHT;
  TRect background = info.CellRect;
  canvas.Brush().SetColor(header_.Background());
  DrawEdge(canvas.Handle(), background, edge.Edge, edge.Flags);
}
