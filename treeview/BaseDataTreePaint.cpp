// Painting: PaintTreeTo composes every row that meets the window in one
// row-high bitmap and copies it to the target, so no row ever flickers and
// only the rows in the window are visited; the pieces below draw lines,
// buttons, images, selection and grid lines into that row.

#include <algorithm>

#include "runtime/MulDiv.h"

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiObject.h"
#include "toolkit/win/Edges.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTColors.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/PaintInfo.h"
#include "treeview/ScrollBarOptions.h"
#include "treeview/TreeImages.h"
#include "treeview/TreeRoutines.h"

namespace {

constexpr int ButtonSize = 9;
constexpr TColor ButtonKey = 0xFF00FF;

// The half of a length rounded to the even neighbour.
int HalfToEven(int value) { return (value / 2) + ((value % 2 != 0 && (value / 2) % 2 != 0) ? 1 : 0); }

}  // namespace

// ---- Pieces --------------------------------------------------------------------------

void TBaseDataTree::ComputeVerticalAlignment(PDataNode node, int& vAlign, int& vButtonAlign) const {
  const int height = node->NodeHeight;
  const int align = node->Align;
  switch (nodeAlignment_) {
    case naFromBottom: vAlign = height - align; break;
    case naFromTop: vAlign = align; break;
    case naProportional:
      if (Images() || StateImages()) {
        const int imageHeight = Images() ? Images()->Height() : StateImages()->Height();
        vAlign = MulDiv(height - imageHeight, align, 100) + imageHeight / 2;
      } else if (options_->PaintOptions().Contains(toShowButtons)) {
        vAlign = MulDiv(height - ButtonSize, align, 100) + ButtonSize / 2;
      } else {
        vAlign = MulDiv(height, align, 100);
      }
      break;
  }
  vButtonAlign = vAlign - ButtonSize / 2;
}

int TBaseDataTree::ComputeLineImage(PDataNode node, TLineImage& lineImage) const {
  const TDTPaintOptions paint = options_->PaintOptions();
  const bool showRoot = paint.Contains(toShowRoot);
  int selected = 0;
  unsigned levels = showRoot ? 1 : 0;
  for (PDataNode run = node->Parent; run != root_; run = run->Parent) {
    ++levels;
    if (run->Has(nsSelected)) ++selected;
  }
  lineImage.assign(levels, ltNone);
  if (!paint.Contains(toShowTreeLines) || levels == 0) return selected;
  size_t position = levels - 1;
  PDataNode run = node;
  if (node->Parent != root_) {
    lineImage[position--] = HasShownLaterSibling(node) ? ltTopDownRight : ltTopRight;
    for (run = node->Parent; run->Parent != root_; run = run->Parent)
      lineImage[position--] = HasShownLaterSibling(run) ? ltTopDown : ltNone;
  }
  if (!showRoot) return selected;
  const bool later = HasShownLaterSibling(run);
  if (run != node) {
    lineImage[0] = later ? ltTopDown : ltNone;
  } else {
    const bool first = run == FirstVisibleNodeRaw();
    lineImage[0] = first ? (later ? ltBottomRight : ltRight) : (later ? ltTopDownRight : ltTopRight);
  }
  return selected;
}

void TBaseDataTree::PlaceImage(TImageList& images, int vAlign, TRect& r, TPaintImageEntry& entry,
                               bool rightToLeft) const {
  if (rightToLeft) {
    r.Right -= images.Width();
    entry.XPos = r.Right;
    r.Right -= 2;
  } else {
    entry.XPos = r.Left;
    r.Left += images.Width() + 2;
  }
  entry.YPos = r.Top + vAlign - images.Height() / 2;
}

void TBaseDataTree::IndentPaintPositions(TDTPaintInfo& paintInfo, int levels) const {
  const int shift = levels * static_cast<int>(indent_) * (paintInfo.RightToLeft ? -1 : 1);
  if (paintInfo.RightToLeft)
    paintInfo.ContentRect.Right += shift;
  else
    paintInfo.ContentRect.Left += shift;
  for (TPaintImageEntry& entry : paintInfo.ImageSlots) entry.XPos += shift;
}

const std::uint16_t* TBaseDataTree::FireGetLineStyle() {
  static constexpr std::uint16_t Dotted[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  static constexpr std::uint16_t Solid[8] = {};
  if (lineStyle_ == lsSolid) return Solid;
  const void* bits = Dotted;
  if (lineStyle_ == lsCustomStyle && OnGetLineStyle) OnGetLineStyle(this, bits);
  return static_cast<const std::uint16_t*>(bits ? bits : Dotted);
}

TBitmap& TBaseDataTree::LineBrushBitmap(TColor color) {
  TLineBrush& brush = color == colors_->Color(GridLineColor) ? gridLineBrush_ : treeLineBrush_;
  if (!brush.Bitmap || brush.Color != color || brush.Background != Color()) {
    brush.Bitmap = std::make_unique<TBitmap>(8, 8, pf32bit);
    brush.Color = color;
    brush.Background = Color();
    const std::uint16_t* pattern = FireGetLineStyle();
    TCanvas& canvas = brush.Bitmap->Canvas();
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) canvas.SetPixel(x, y, (pattern[y] & (0x80 >> x)) == 0 ? color : Color());
  }
  return *brush.Bitmap;
}

void TBaseDataTree::ForgetLineBrushes() {
  treeLineBrush_.Bitmap.reset();
  gridLineBrush_.Bitmap.reset();
}

void TBaseDataTree::DrawDottedLine(TDTPaintInfo& paintInfo, TColor color, const TRect& pixels) {
  TCanvas& canvas = *paintInfo.Canvas;
  canvas.Brush().SetBitmap(&LineBrushBitmap(color));
  SetBrushOrgEx(canvas.Handle(), paintInfo.PatternOrigin.X, paintInfo.PatternOrigin.Y, nullptr);
  canvas.FillRect(pixels);
  canvas.Brush().SetBitmap(nullptr);
}

void TBaseDataTree::DrawDottedHorzLine(TDTPaintInfo& paintInfo, TColor color, int left, int right, int y) {
  DrawDottedLine(paintInfo, color, Rect(std::min(left, right), y, std::max(left, right) + 1, y + 1));
}

void TBaseDataTree::DrawDottedVertLine(TDTPaintInfo& paintInfo, TColor color, int top, int bottom, int x) {
  DrawDottedLine(paintInfo, color, Rect(x, std::min(top, bottom), x + 1, std::max(top, bottom) + 1));
}

void TBaseDataTree::DrawLineSegment(TDTPaintInfo& paintInfo, TColor color, int x, int y, int height, int vAlign,
                                    TDTLineType style) {
  const int half = static_cast<int>(indent_) / 2;
  const int indent = static_cast<int>(indent_);
  // The horizontal part points to the content: right, or left when reading right to left.
  const bool rightToLeft = paintInfo.RightToLeft;
  auto horizontal = [&] {
    if (rightToLeft)
      DrawDottedHorzLine(paintInfo, color, x, x + half, y + vAlign);
    else
      DrawDottedHorzLine(paintInfo, color, x + half, x + indent, y + vAlign);
  };
  const int edge = rightToLeft ? x + indent - 1 : x;
  switch (style) {
    case ltBottomRight:
      DrawDottedVertLine(paintInfo, color, y + vAlign, y + height, x + half);
      horizontal();
      break;
    case ltTopDown: DrawDottedVertLine(paintInfo, color, y, y + height, x + half); break;
    case ltTopDownRight:
      DrawDottedVertLine(paintInfo, color, y, y + height, x + half);
      horizontal();
      break;
    case ltRight: horizontal(); break;
    case ltTopRight:
      DrawDottedVertLine(paintInfo, color, y, y + vAlign, x + half);
      horizontal();
      break;
    case ltLeft: DrawDottedVertLine(paintInfo, color, y, y + height, edge); break;
    case ltLeftBottom:
      DrawDottedVertLine(paintInfo, color, y, y + height, edge);
      DrawDottedHorzLine(paintInfo, color, x, x + indent, y + height);
      break;
    case ltNone: break;
  }
}

int TBaseDataTree::LevelLeft(const TDTPaintInfo& paintInfo, size_t level) const {
  const int offset = static_cast<int>(level * indent_);
  return paintInfo.RightToLeft ? paintInfo.CellRect.Right - static_cast<int>(indent_) - offset
                               : paintInfo.CellRect.Left + offset;
}

void TBaseDataTree::PaintLineImage(TDTPaintInfo& paintInfo, const TLineImage& lineImage, int vAlign) {
  const PDataNode node = paintInfo.Node;
  if (lineMode_ == lmNormal) {
    const TColor color = colors_->Color(TreeLineColor);
    for (size_t level = 0; level < lineImage.size(); ++level)
      DrawLineSegment(paintInfo, color, LevelLeft(paintInfo, level), paintInfo.CellRect.Top, node->NodeHeight, vAlign,
                      lineImage[level]);
    return;
  }
  if (!paintInfo.PaintOptions.Contains(ptoGridLines)) return;
  TLineImage bands(lineImage.size(), ltNone);
  for (size_t i = lineImage.size(); i-- > 0;) {
    if (node->Has(nsExpanded) && !node->Has(nsAllChildrenHidden)) {
      bands[i] = ltLeft;
      continue;
    }
    switch (lineImage[i]) {
      case ltNone:
      case ltTopDown: {
        const bool lastLevel = i + 1 >= lineImage.size();
        const TDTLineType next = lastLevel ? ltNone : lineImage[i + 1];
        bands[i] = !lastLevel && (next == ltNone || next == ltTopRight) ? bands[i + 1] : ltLeft;
        break;
      }
      case ltBottomRight:
      case ltTopDownRight:
      case ltRight:
      case ltTopRight: bands[i] = ltLeftBottom; break;
      default: break;
    }
  }
  const TColor color = colors_->Color(GridLineColor);
  for (size_t level = 0; level < bands.size(); ++level)
    DrawLineSegment(paintInfo, color, LevelLeft(paintInfo, level), paintInfo.CellRect.Top, node->NodeHeight - 1,
                    vAlign, bands[level]);
}

void TBaseDataTree::BuildButtonBitmaps() {
  for (bool plus : {false, true}) {
    std::unique_ptr<TBitmap> bitmap =
        buttonStyle_ == bsRectangle && buttonFillMode_ == fmShaded
            ? DrawShadedButton(plus ? "DTREE_XPBUTTONPLUS" : "DTREE_XPBUTTONMINUS")
            : DrawClassicButton(plus);
    bitmap->SetTransparentColor(ButtonKey);
    bitmap->SetTransparent(true);
    (plus ? plusBitmap_ : minusBitmap_) = std::move(bitmap);
  }
}

std::unique_ptr<TBitmap> TBaseDataTree::DrawClassicButton(bool plus) {
  auto bitmap = std::make_unique<TBitmap>(ButtonSize, ButtonSize, pf32bit);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetColor(ButtonKey);
  canvas.FillRect(Rect(0, 0, ButtonSize, ButtonSize));
  if (buttonStyle_ == bsTriangle) {
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(clBlack);
    const std::vector<TPoint> triangle = plus ? std::vector<TPoint>{{2, 0}, {6, 4}, {2, 8}}
                                              : std::vector<TPoint>{{0, 2}, {8, 2}, {4, 6}};
    canvas.Polygon(triangle);
    return bitmap;
  }
  if (buttonFillMode_ == fmTreeColor) canvas.Brush().SetColor(Color());
  if (buttonFillMode_ == fmWindowColor) canvas.Brush().SetColor(clWindow);
  if (buttonFillMode_ == fmTransparent) canvas.Brush().SetStyle(bsClear);
  canvas.Pen().SetColor(colors_->Color(TreeLineColor));
  canvas.Rectangle(0, 0, ButtonSize, ButtonSize);
  canvas.Pen().SetColor(Font().Color());
  canvas.MoveTo(2, 4);
  canvas.LineTo(7, 4);
  if (plus) {
    canvas.MoveTo(4, 2);
    canvas.LineTo(4, 7);
  }
  return bitmap;
}

TBitmap& TBaseDataTree::ButtonBitmap(bool expanded) {
  if (!plusBitmap_) BuildButtonBitmaps();
  return expanded ? *minusBitmap_ : *plusBitmap_;
}

void TBaseDataTree::EraseNodeBackground(TDTPaintInfo& paintInfo, const TRect& r, TPoint pictureOffset) {
  TColor color = Color();
  TItemEraseAction action = eaDefault;
  TCanvas& canvas = *paintInfo.Canvas;
  if (OnBeforeItemErase) OnBeforeItemErase(this, canvas, paintInfo.Node, r, color, action);
  if (action == eaColor) {
    canvas.Brush().SetColor(color);
    canvas.FillRect(r);
  } else if (action == eaDefault && ShowsBackground(paintInfo.PaintOptions)) {
    DrawBackground(canvas, r, pictureOffset);
  } else if (action == eaDefault) {
    const TDTSelectionOptions selection = options_->SelectionOptions();
    if (paintInfo.Node->Has(nsSelected) && paintInfo.PaintOptions.Contains(ptoSelection) &&
        selection.Contains(toFullRowSelect) && !options_->PaintOptions().Contains(toUseBlendedSelection)) {
      canvas.Brush().SetColor(Color());
      canvas.FillRect(r);
      TRect bar = r;
      if (options_->PaintOptions().Contains(toShowHorzGridLines)) --bar.Bottom;
      UseSelectionColors(canvas);
      canvas.RoundRect(bar.Left, bar.Top, bar.Right, bar.Bottom, selectionCurveRadius_, selectionCurveRadius_);
    } else {
      canvas.Brush().SetColor(Color());
      canvas.FillRect(r);
    }
  }
  if (OnAfterItemErase) OnAfterItemErase(this, canvas, paintInfo.Node, r);
}

bool TBaseDataTree::ShowsBackground(TPaintTreeOptions options) const {
  return options.Contains(ptoBackground) && options_->PaintOptions().Contains(toShowBackground) && !background_->Empty();
}

void TBaseDataTree::DrawBackground(TCanvas& canvas, const TRect& r, TPoint offset) {
  if (options_->PaintOptions().Contains(toStaticBackground))
    DrawFixedBackground(canvas, r, offset);
  else
    DrawTiledBackground(canvas, r, offset);
}

void TBaseDataTree::DrawFixedBackground(TCanvas& canvas, const TRect& r, TPoint offset) {
  canvas.Brush().SetColor(Color());
  canvas.FillRect(r);
  // The picture lies at its offsets in the window; R moved by Offset is R in the window.
  const TRect picture = Bounds(BackgroundOffsetX(), BackgroundOffsetY(), background_->Width(), background_->Height());
  TRect area = r;
  OffsetRect(area, offset.X, offset.Y);
  TRect shown;
  if (!IntersectRect(shown, picture, area)) return;
  DrawBackgroundPart(canvas, Rect(shown.Left - offset.X, shown.Top - offset.Y, shown.Right - offset.X,
                                  shown.Bottom - offset.Y),
                     Point(shown.Left - picture.Left, shown.Top - picture.Top));
}

void TBaseDataTree::DrawTiledBackground(TCanvas& canvas, const TRect& r, TPoint offset) {
  const int width = background_->Width();
  const int height = background_->Height();
  auto phase = [](int value, int size) { return ((value % size) + size) % size; };
  const int phaseX = phase(r.Left + offset.X + BackgroundOffsetX(), width);
  const int phaseY = phase(r.Top + offset.Y + BackgroundOffsetY(), height);
  for (int top = r.Top - phaseY; top < r.Bottom; top += height)
    for (int left = r.Left - phaseX; left < r.Right; left += width) {
      const TRect tile = Rect(std::max(left, r.Left), std::max(top, r.Top), std::min(left + width, r.Right),
                              std::min(top + height, r.Bottom));
      DrawBackgroundPart(canvas, tile, Point(tile.Left - left, tile.Top - top));
    }
}

void TBaseDataTree::DrawBackgroundPart(TCanvas& canvas, const TRect& dest, TPoint source) {
  const HDC pictureDC = CreateCompatibleDC(canvas.Handle());
  SelectObject(pictureDC, background_->Handle());
  if (background_->Transparent())
    TransparentBlt(canvas.Handle(), dest.Left, dest.Top, dest.Width(), dest.Height(), pictureDC, source.X, source.Y,
                   dest.Width(), dest.Height(), background_->TransparentColor());
  else
    BitBlt(canvas.Handle(), dest.Left, dest.Top, dest.Width(), dest.Height(), pictureDC, source.X, source.Y, SRCCOPY);
  DeleteDC(pictureDC);
}

bool TBaseDataTree::ShowsFocus() const {
  return Focused() || options_->PaintOptions().Contains(toPopupMode);
}

void TBaseDataTree::UseSelectionColors(TCanvas& canvas) const {
  const bool focused = ShowsFocus();
  canvas.Brush().SetColor(colors_->Color(focused ? FocusedSelectionColor : UnfocusedSelectionColor));
  canvas.Pen().SetColor(colors_->Color(focused ? FocusedSelectionBorderColor : UnfocusedSelectionBorderColor));
}

void TBaseDataTree::PaintCellSelection(TDTPaintInfo& paintInfo) {
  TCanvas& canvas = *paintInfo.Canvas;
  const TDataTreeColumns& columns = header_->Columns();
  if (paintInfo.PaintOptions.Contains(ptoColumnColor) && columns.ColumnExists(paintInfo.Column)) {
    canvas.Brush().SetColor(columns.ColumnAt(paintInfo.Column).Color());
    canvas.FillRect(paintInfo.CellRect);
  }
  if (OnBeforeCellPaint) OnBeforeCellPaint(this, canvas, paintInfo.Node, paintInfo.Column, paintInfo.CellRect);
  const TDTSelectionOptions selection = options_->SelectionOptions();
  const bool fullRow = selection.Contains(toFullRowSelect);
  if (paintInfo.Column != focusedColumn_ && !fullRow) return;
  const bool gridExtensions = options_->MiscOptions().Contains(toGridExtensions);
  TRect highlight = paintInfo.ContentRect;
  if (!gridExtensions && paintInfo.ContentWidth < highlight.Width()) {
    switch (paintInfo.Alignment) {
      case taLeftJustify: highlight.Right = highlight.Left + paintInfo.ContentWidth; break;
      case taRightJustify: highlight.Left = highlight.Right - paintInfo.ContentWidth; break;
      case taCenter:
        highlight.Left = (highlight.Left + highlight.Right - paintInfo.ContentWidth) / 2;
        highlight.Right = highlight.Left + paintInfo.ContentWidth;
        break;
    }
  }
  const PDataNode node = paintInfo.Node;
  // The drop target shows as selected only while a drop would go onto it.
  const bool dropOnNode = node == dropTargetNode_ && lastDropMode_ == dmOnNode;
  if (paintInfo.PaintOptions.Contains(ptoSelection) && (node->Has(nsSelected) || dropOnNode)) {
    if (dropOnNode) {
      canvas.Brush().SetColor(colors_->Color(DropTargetColor));
      canvas.Pen().SetColor(colors_->Color(DropTargetBorderColor));
    } else {
      UseSelectionColors(canvas);
    }
    if (gridExtensions || fullRow) highlight = paintInfo.CellRect;
    if (highlight.Right > highlight.Left) {
      if (options_->PaintOptions().Contains(toUseBlendedSelection)) {
        TRect pixels = highlight;
        OffsetRect(pixels, -paintWindowLeft_, 0);
        BlendRect(canvas.Handle(), canvas.Handle(), pixels, pixels.TopLeft(), 3, SelectionBlendFactor,
                  static_cast<int>(ColorToRGB(canvas.Brush().Color())));
      } else {
        canvas.RoundRect(highlight.Left, highlight.Top, highlight.Right, highlight.Bottom, selectionCurveRadius_,
                         selectionCurveRadius_);
      }
    }
  }
  if (paintInfo.PaintOptions.Contains(ptoFocusRect) && node == focusedNode_ && paintInfo.Column == focusedColumn_ &&
      ShowsFocus()) {
    canvas.Font().SetColor(clWhite);
    canvas.Brush().SetColor(clBlack);
    canvas.DrawFocusRect(gridExtensions ? paintInfo.CellRect : highlight);
  }
}

void TBaseDataTree::PaintNodeImage(TDTPaintInfo& paintInfo, TPaintImageSlot slot, bool doOverlay) {
  TPaintImageEntry& entry = paintInfo.ImageSlots[slot];
  if (!entry.Images || entry.Index < 0) return;
  const PDataNode node = paintInfo.Node;
  const bool cutNode = node->Has(nsCutOrCopy) && states_.Contains(tsCutPending);
  const TDTPaintOptions paint = options_->PaintOptions();
  const bool paintFocused = Focused() || paint.Contains(toGhostedIfUnfocused);
  TPaintImageEntry& overlay = paintInfo.ImageSlots[pisOverlay];
  if (doOverlay)
    ResolveImage(paintInfo, ikOverlay, pisOverlay, Images());
  else
    overlay.Index = -1;
  const bool enabled = !node->Has(nsDisabled) && Enabled();
  const bool selected = node->Has(nsSelected);
  entry.Images->BlendColor = selected && !entry.Ghosted ? clDefault : Color();
  unsigned style = ILD_TRANSPARENT;
  // The first 15 overlays are the list's overlay slots; later ones are drawn as images of their own.
  if (overlay.Index >= 0 && overlay.Index < 15) style |= INDEXTOOVERLAYMASK(static_cast<unsigned>(overlay.Index) + 1);
  const bool plainSelection = selected && !options_->SelectionOptions().Contains(toFullRowSelect) &&
                              !options_->MiscOptions().Contains(toGridExtensions);
  if (paint.Contains(toUseBlendedImages) && paintFocused && (entry.Ghosted || plainSelection || cutNode))
    style |= ILD_BLEND50;
  entry.Images->Draw(*paintInfo.Canvas, entry.XPos, entry.YPos, entry.Index, style, enabled);
  if (overlay.Index >= 15 && overlay.Images)
    overlay.Images->Draw(*paintInfo.Canvas, entry.XPos, entry.YPos, overlay.Index, style, enabled);
}

void TBaseDataTree::ResolveImage(TDTPaintInfo& paintInfo, TDTImageKind kind, TPaintImageSlot slot,
                                 TImageList* defaultImages) {
  TPaintImageEntry& entry = paintInfo.ImageSlots[slot];
  entry.Index = -1;
  entry.Ghosted = false;
  TImageList* list = FireGetImageIndex(paintInfo.Node, kind, paintInfo.Column, entry.Ghosted, entry.Index);
  entry.Images = list ? list : defaultImages;
}

void TBaseDataTree::PaintNodeContent(TDTPaintInfo&) {}

void TBaseDataTree::PaintDropIndicator(TCanvas& canvas, const TRect& r) {
  if (lastDropMode_ != dmAbove && lastDropMode_ != dmBelow) return;
  const TPenStyle penStyle = canvas.Pen().Style();
  const TColor brushColor = canvas.Brush().Color();
  canvas.Pen().SetStyle(psClear);
  canvas.Brush().SetColor(colors_->Color(DropMarkColor));
  const int left = r.Left;
  const int right = r.Right;
  const int top = r.Top;
  const int bottom = r.Bottom;
  const std::vector<TPoint> arrow =
      lastDropMode_ == dmAbove
          ? std::vector<TPoint>{{left + 2, top}, {right - 2, top}, {right - 2, top + 6},
                                {right - 6, top + 2}, {left + 6, top + 2}, {left + 2, top + 6}}
          : std::vector<TPoint>{{left + 2, bottom - 1}, {right - 2, bottom - 1}, {right - 2, bottom - 8},
                                {right - 7, bottom - 3}, {left + 7, bottom - 3}, {left + 2, bottom - 8}};
  canvas.Polygon(arrow);
  canvas.Pen().SetStyle(penStyle);
  canvas.Brush().SetColor(brushColor);
}

// ---- The paint pipeline ------------------------------------------------------------------

TPaintTreeOptions TBaseDataTree::EffectivePaintOptions(TPaintTreeOptions options) const {
  const TDTPaintOptions paint = options_->PaintOptions();
  const bool focused = Focused();
  if (paint.Contains(toAlwaysHideSelection) || (!focused && paint.Contains(toHideSelection)))
    options.Exclude(ptoSelection);
  if (paint.Contains(toHideFocusRect)) options.Exclude(ptoFocusRect);
  return options;
}

void TBaseDataTree::PaintTreeTo(TCanvas& targetCanvas, const TRect& window, TPoint target,
                                TPaintTreeOptions paintOptions) {
  if (states_.Contains(tsPainting)) return;
  ChangeTreeStates({tsPainting}, {});
  try {
    if (OnBeforePaint) OnBeforePaint(this, targetCanvas);
    PaintRows(targetCanvas, window, target, EffectivePaintOptions(paintOptions));
    if (OnAfterPaint) OnAfterPaint(this, targetCanvas);
  } catch (...) {
    ChangeTreeStates({}, {tsPainting});
    throw;
  }
  ChangeTreeStates({}, {tsPainting});
}

void TBaseDataTree::PaintRows(TCanvas& targetCanvas, const TRect& window, TPoint target,
                              TPaintTreeOptions paintOptions) {
  TBitmap row(std::max(window.Width(), 1), 1, pf32bit);
  TCanvas& rowCanvas = row.Canvas();
  rowCanvas.Lock();
  int baseOffset = 0;
  PDataNode node = NodeAtPosition(0, window.Top, false, baseOffset);
  if (!node) baseOffset = window.Top;
  const int maximumBottom = target.Y + window.Height();
  int rowTop = target.Y - (window.Top - baseOffset);
  TLineImage lineImage;
  int selectLevel = 0;
  if (node) selectLevel = ComputeLineImage(node, lineImage);
  const int buttonX = static_cast<int>(indent_) * static_cast<int>(lineImage.size()) +
                      HalfToEven(static_cast<int>(indent_) - ButtonSize) - static_cast<int>(indent_);
  int indentSize = static_cast<int>(lineImage.size());
  int currentButtonX = buttonX;
  while (node && rowTop < maximumBottom) {
    Initialized(node);
    if (node->Has(nsSelected)) ++selectLevel;
    if (options_->MiscOptions().Contains(toVariableNodeHeight)) MeasureNodeHeight(rowCanvas, node);
    const int height = node->NodeHeight;
    const TPoint patternOrigin{window.Left & 1, baseOffset & 1};
    baseOffset += height;
    if (selectLevel > 0 || !paintOptions.Contains(ptoSelectedOnly)) {
      if (row.Height() != height) row.SetSize(row.Width(), height);
      PaintRow(rowCanvas, node, window, paintOptions, lineImage, currentButtonX, patternOrigin,
               Point(target.X - window.Left, rowTop));
      PaintRubberBand(rowCanvas, Point(window.Left, baseOffset - height), Rect(0, 0, row.Width(), height));
      // Only the part of the row inside the window reaches the target.
      const int skip = std::max(target.Y - rowTop, 0);
      const int bottom = std::min(rowTop + height, maximumBottom);
      targetCanvas.CopyRect(Rect(target.X, rowTop + skip, target.X + row.Width(), bottom), rowCanvas,
                            Rect(0, skip, row.Width(), bottom - rowTop));
    }
    rowTop += height;
    const PDataNode next = NextVisibleNode(node);
    if (next) AdvanceLineImage(node, next, lineImage, indentSize, currentButtonX, selectLevel);
    node = next;
  }
  rowCanvas.Unlock();
  if (rowTop < maximumBottom) {
    const TRect below = Rect(target.X, rowTop, target.X + window.Width(), maximumBottom);
    PaintBelowRows(targetCanvas, window, target, below, paintOptions);
    PaintRubberBand(targetCanvas, Point(window.Left - target.X, window.Top - target.Y), below);
  }
}

void TBaseDataTree::AdvanceLineImage(PDataNode node, PDataNode next, TLineImage& lineImage, int& indentSize,
                                     int& buttonX, int& selectLevel) const {
  const bool lines = options_->PaintOptions().Contains(toShowTreeLines);
  if (next->Parent == node) {
    if (indentSize > 0)
      lineImage[static_cast<size_t>(indentSize - 1)] = lines && HasShownLaterSibling(node) ? ltTopDown : ltNone;
    lineImage.push_back(ltNone);
    ++indentSize;
    buttonX += static_cast<int>(indent_);
  } else {
    if (node->Has(nsSelected)) --selectLevel;
    for (PDataNode run = node; run->Parent != next->Parent; run = run->Parent) {
      --indentSize;
      lineImage.pop_back();
      buttonX -= static_cast<int>(indent_);
      if (run->Parent->Has(nsSelected)) --selectLevel;
    }
  }
  if (indentSize > 0)
    lineImage[static_cast<size_t>(indentSize - 1)] =
        !lines ? ltNone : HasShownLaterSibling(next) ? ltTopDownRight : ltTopRight;
}

void TBaseDataTree::PaintRow(TCanvas& canvas, PDataNode node, const TRect& window, TPaintTreeOptions options,
                             const TLineImage& lineImage, int buttonX, TPoint patternOrigin, TPoint pictureOffset) {
  const int height = node->NodeHeight;
  paintWindowLeft_ = window.Left;
  SetWindowOrgEx(canvas.Handle(), window.Left, 0, nullptr);
  const TRect rowRect = Rect(0, 0, std::max(ClientWidth(), RangeX()), height);
  int vAlign = 0;
  int buttonY = 0;
  ComputeVerticalAlignment(node, vAlign, buttonY);
  bool customDraw = false;
  if (OnBeforeItemPaint) OnBeforeItemPaint(this, canvas, node, rowRect, customDraw);
  if (!customDraw) {
    TDTPaintInfo paintInfo;
    paintInfo.Canvas = &canvas;
    paintInfo.Node = node;
    paintInfo.PaintOptions = options;
    paintInfo.PatternOrigin = patternOrigin;
    EraseNodeBackground(paintInfo, rowRect, pictureOffset);
    const TDataTreeColumns& columns = header_->Columns();
    const bool usesColumns = header_->HasColumns();
    TColumnIndex column = usesColumns ? columns.FirstVisibleColumn() : ColumnNone;
    while (column != ColumnNotFound) {
      TRect cell = rowRect;
      if (usesColumns) {
        const TDataTreeColumn& item = columns.ColumnAt(column);
        item.AbsoluteExtent(cell.Left, cell.Right);
      }
      if (cell.Left >= window.Right) break;
      TColumnIndex next = ColumnNotFound;
      if (!options.Contains(ptoMainColumnOnly) || column == header_->MainColumn()) {
        paintInfo.Column = column;
        paintInfo.CellRect = cell;
        AdjustCellRect(paintInfo, next);
        cell = paintInfo.CellRect;
        if (cell.Right > window.Left && cell.Right > cell.Left)
          PaintCell(paintInfo, column, cell, options, lineImage, vAlign, buttonX, buttonY);
      } else {
        next = columns.NextVisibleColumn(column);
      }
      if (!usesColumns) break;
      column = next;
    }
  }
  if (OnAfterItemPaint) OnAfterItemPaint(this, canvas, node, rowRect);
  if (options.Contains(ptoDropIndicator)) PaintDropMark(canvas, node, rowRect);
  SetWindowOrgEx(canvas.Handle(), 0, 0, nullptr);
}

void TBaseDataTree::AdjustCellRect(TDTPaintInfo& paintInfo, TColumnIndex& nextNonEmpty) {
  nextNonEmpty = header_->Columns().NextVisibleColumn(paintInfo.Column);
}

TColumnIndex TBaseDataTree::SpanFollowingEmptyCells(PDataNode node, TColumnIndex column, int& right) {
  const TDataTreeColumns& columns = header_->Columns();
  TColumnIndex next = columns.NextVisibleColumn(column);
  while (next != ColumnNotFound && !ReadsRightToLeft(next) && FireGetCellIsEmpty(node, next)) {
    right += columns.ColumnAt(next).Width();
    next = columns.NextVisibleColumn(next);
  }
  return next;
}

void TBaseDataTree::PaintCell(TDTPaintInfo& paintInfo, TColumnIndex column, const TRect& cell,
                              TPaintTreeOptions options, const TLineImage& lineImage, int vAlign, int buttonX,
                              int buttonY) {
  const PDataNode node = paintInfo.Node;
  const TDataTreeColumns& columns = header_->Columns();
  const bool mainColumn = column == header_->MainColumn();
  paintInfo.Column = column;
  paintInfo.CellRect = cell;
  paintInfo.PaintOptions = options;
  paintInfo.Alignment = columns.ColumnExists(column) ? columns.ColumnAt(column).Alignment() : alignment_;
  paintInfo.RightToLeft = ReadsRightToLeft(column);
  if (paintInfo.RightToLeft) paintInfo.Alignment = Mirrored(paintInfo.Alignment);
  if (states_.Contains(tsEditing) && node == focusedNode_ && (column == editColumn_ || column == ColumnNone))
    paintInfo.PaintOptions.Exclude(ptoSelection);
  // A full-row selection covers the column colour anyway.
  const bool selectedRow = node->Has(nsSelected) && options_->SelectionOptions().Contains(toFullRowSelect) &&
                           paintInfo.PaintOptions.Contains(ptoSelection);
  if (!columns.ColumnExists(column) || columns.ColumnAt(column).Options().Contains(coParentColor) || selectedRow)
    paintInfo.PaintOptions.Exclude(ptoColumnColor);
  paintInfo.ContentWidth = NodeContentWidth(node, column, *paintInfo.Canvas);
  paintInfo.ContentRect = cell;
  if (paintInfo.RightToLeft)
    paintInfo.ContentRect.Right -= margin_;
  else
    paintInfo.ContentRect.Left += margin_;
  const bool rightToLeft = paintInfo.RightToLeft;
  for (TPaintImageEntry& entry : paintInfo.ImageSlots) entry = TPaintImageEntry{};
  if (CheckImageWidth(node, column) > 0) {
    TPaintImageEntry& check = paintInfo.ImageSlots[pisCheck];
    check.Images = ActiveCheckImages();
    check.Index = CheckImageIndexOf(node);
    PlaceImage(*check.Images, vAlign, paintInfo.ContentRect, check, rightToLeft);
  }
  if (StateImages()) {
    ResolveImage(paintInfo, ikState, pisState, StateImages());
    if (paintInfo.ImageSlots[pisState].Index >= 0)
      PlaceImage(*paintInfo.ImageSlots[pisState].Images, vAlign, paintInfo.ContentRect, paintInfo.ImageSlots[pisState],
                 rightToLeft);
  }
  if (Images()) {
    ResolveImage(paintInfo, node->Has(nsSelected) ? ikSelected : ikNormal, pisNormal, Images());
    if (paintInfo.ImageSlots[pisNormal].Index >= 0)
      PlaceImage(*paintInfo.ImageSlots[pisNormal].Images, vAlign, paintInfo.ContentRect,
                 paintInfo.ImageSlots[pisNormal], rightToLeft);
  }
  if (mainColumn) IndentPaintPositions(paintInfo, static_cast<int>(lineImage.size()));
  TCanvas& canvas = *paintInfo.Canvas;
  const int saved = SaveDC(canvas.Handle());
  if (header_->HasColumns()) IntersectClipRect(canvas.Handle(), cell.Left, cell.Top, cell.Right, cell.Bottom);
  const TDTPaintOptions paint = options_->PaintOptions();
  if (paintInfo.PaintOptions.Contains(ptoGridLines) && paint.Contains(toShowHorzGridLines)) {
    // In band mode the line leaves the indentation to the bands.
    const bool bands = mainColumn && lineMode_ == lmBands;
    const int left = bands && !rightToLeft ? paintInfo.ContentRect.Left : cell.Left;
    const int right = bands && rightToLeft ? paintInfo.ContentRect.Right - 1 : cell.Right - 1;
    DrawDottedHorzLine(paintInfo, colors_->Color(GridLineColor), left, right, cell.Bottom - 1);
    --paintInfo.CellRect.Bottom;
    --paintInfo.ContentRect.Bottom;
  }
  if (DrawsVertGridLine(column, paintInfo.PaintOptions)) {
    // Right to left an empty cell leaves its neighbour's text room up to the edge.
    if (!rightToLeft || !FireGetCellIsEmpty(node, column))
      DrawDottedVertLine(paintInfo, colors_->Color(GridLineColor), cell.Top, cell.Bottom - 1, cell.Right - 1);
    --paintInfo.CellRect.Right;
    --paintInfo.ContentRect.Right;
  }
  PaintCellSelection(paintInfo);
  if (mainColumn) {
    if (paint.Contains(toShowTreeLines) || lineMode_ == lmBands) PaintLineImage(paintInfo, lineImage, vAlign);
    const bool hideButton = node->Has(nsAllChildrenHidden) && options_->AutoOptions().Contains(toAutoHideButtons);
    if (paint.Contains(toShowButtons) && node->Has(nsHasChildren) && !hideButton && buttonX >= 0)
      canvas.Draw(rightToLeft ? cell.Right - buttonX - ButtonSize : cell.Left + buttonX, cell.Top + buttonY,
                  ButtonBitmap(node->Has(nsExpanded)));
    DrawCheckImage(paintInfo);
  }
  PaintNodeImage(paintInfo, pisState, false);
  PaintNodeImage(paintInfo, pisNormal, true);
  if (!(states_.Contains(tsEditing) && node == focusedNode_ && (column == editColumn_ || column == ColumnNone)))
    PaintNodeContent(paintInfo);
  if (OnAfterCellPaint) OnAfterCellPaint(this, canvas, node, column, paintInfo.CellRect);
  RestoreDC(canvas.Handle(), saved);
}

bool TBaseDataTree::DrawsVertGridLine(TColumnIndex column, TPaintTreeOptions paintOptions) const {
  if (!header_->HasColumns() || !paintOptions.Contains(ptoGridLines) ||
      !options_->PaintOptions().Contains(toShowVertGridLines))
    return false;
  // An auto-sized last column reaches the window's edge: no line there.
  const TDataTreeColumns& columns = header_->Columns();
  return !header_->Options().Contains(hoAutoResize) || columns.ColumnAt(column).Position() != columns.Count() - 1;
}

void TBaseDataTree::PaintBelowRows(TCanvas& targetCanvas, const TRect& window, TPoint target, const TRect& area,
                                   TPaintTreeOptions paintOptions) {
  bool handled = false;
  if (OnPaintBackground) OnPaintBackground(this, targetCanvas, area, handled);
  if (handled) return;
  if (ShowsBackground(paintOptions)) {
    DrawBackground(targetCanvas, area, Point(0, 0));
    return;
  }
  targetCanvas.Brush().SetColor(Color());
  if (!header_->HasColumns()) {
    targetCanvas.FillRect(area);
    return;
  }
  const TDataTreeColumns& columns = header_->Columns();
  const bool fullLines = options_->PaintOptions().Contains(toFullVertGridLines);
  int right = area.Left;
  for (const TDataTreeColumn* column : columns.VisibleColumnsArray()) {
    TRect cell = Rect(target.X + column->Left() - window.Left, area.Top, 0, area.Bottom);
    cell.Right = cell.Left + column->Width();
    // Only the window's own part of the target: a second pass paints beside the first.
    if (cell.Right <= area.Left) continue;
    if (cell.Left >= area.Right) break;
    TRect inside = cell;
    inside.Left = std::max(cell.Left, area.Left);
    inside.Right = std::min(cell.Right, area.Right);
    targetCanvas.Brush().SetColor(column->Options().Contains(coParentColor) ? Color() : column->Color());
    targetCanvas.FillRect(inside);
    if (fullLines && DrawsVertGridLine(column->Index(), paintOptions) && cell.Right <= area.Right) {
      TDTPaintInfo paintInfo;
      paintInfo.Canvas = &targetCanvas;
      paintInfo.PatternOrigin = {window.Left & 1, area.Top & 1};
      DrawDottedVertLine(paintInfo, colors_->Color(GridLineColor), cell.Top, cell.Bottom - 1, cell.Right - 1);
    }
    right = cell.Right;
  }
  targetCanvas.Brush().SetColor(Color());
  if (right < area.Right) targetCanvas.FillRect(Rect(right, area.Top, area.Right, area.Bottom));
}

// ---- Painting properties ------------------------------------------------------------------

void TBaseDataTree::LinkImageLists() {
  for (TChangeLink* link : {&imagesLink_, &stateImagesLink_, &customCheckImagesLink_})
    link->OnChange = [this] { ImageListChanged(); };
  imagesLink_.OnFree = [this] { ImageListChanged(); };
  stateImagesLink_.OnFree = [this] { ImageListChanged(); };
  customCheckImagesLink_.OnFree = [this] { SetCheckImageKind(ckLightCheck); };
}

void TBaseDataTree::ImageListChanged() {
  if (!destroying_ && HandleAllocated()) Invalidate();
}

void TBaseDataTree::SetImages(TImageList* images) {
  if (images == Images()) return;
  imagesLink_.Attach(images);
  if (HandleAllocated() && !IsLoading()) Invalidate();
}

void TBaseDataTree::SetStateImages(TImageList* images) {
  if (images == StateImages()) return;
  stateImagesLink_.Attach(images);
  if (HandleAllocated() && !IsLoading()) Invalidate();
}

void TBaseDataTree::InvalidateUnlessLoading() {
  if (HandleAllocated() && !IsLoading()) Invalidate();
}

void TBaseDataTree::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  InvalidateUnlessLoading();
}

void TBaseDataTree::SetTextMargin(int margin) {
  if (margin == textMargin_) return;
  textMargin_ = margin;
  InvalidateUnlessLoading();
}

void TBaseDataTree::SetLineMode(TDTLineMode mode) {
  if (mode == lineMode_) return;
  lineMode_ = mode;
  InvalidateUnlessLoading();
}

void TBaseDataTree::SetSelectionCurveRadius(int radius) {
  if (radius == selectionCurveRadius_) return;
  selectionCurveRadius_ = radius;
  InvalidateUnlessLoading();
}

void TBaseDataTree::SetNodeAlignment(TDTNodeAlignment alignment) {
  if (alignment == nodeAlignment_) return;
  nodeAlignment_ = alignment;
  InvalidateUnlessLoading();
}

void TBaseDataTree::SetLineStyle(TDTLineStyle style) {
  if (style == lineStyle_) return;
  lineStyle_ = style;
  if (IsLoading()) return;
  ForgetLineBrushes();
  if (HandleAllocated()) Invalidate();
}

void TBaseDataTree::SetButtonStyle(TDTButtonStyle style) {
  if (style == buttonStyle_) return;
  buttonStyle_ = style;
  ButtonLookChanged();
}

void TBaseDataTree::SetButtonFillMode(TDTButtonFillMode mode) {
  if (mode == buttonFillMode_) return;
  buttonFillMode_ = mode;
  ButtonLookChanged();
}

void TBaseDataTree::ButtonLookChanged() {
  if (IsLoading()) return;
  BuildButtonBitmaps();
  if (HandleAllocated()) Invalidate();
}

void TBaseDataTree::SetBackground(const TBitmap& picture) {
  background_->Assign(picture);
  if (HandleAllocated()) Invalidate();
}

void TBaseDataTree::SetBackgroundOffsetX(int x) {
  if (x == backgroundOffset_.X) return;
  backgroundOffset_.X = x;
  if (HandleAllocated()) Invalidate();
}

void TBaseDataTree::SetBackgroundOffsetY(int y) {
  if (y == backgroundOffset_.Y) return;
  backgroundOffset_.Y = y;
  if (HandleAllocated()) Invalidate();
}

// ---- The frame ------------------------------------------------------------------------------

int TBaseDataTree::BevelEdgeSize() const {
  if (bevelKind_ == bkNone) return 0;
  return (bevelInner_ != bvNone ? bevelWidth_ : 0) + (bevelOuter_ != bvNone ? bevelWidth_ : 0);
}

TSize TBaseDataTree::BorderInsets() {
  if (!HandleAllocated()) return {0, 0};
  const LONG_PTR style = GetWindowLongPtr(Handle(), GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtr(Handle(), GWL_EXSTYLE);
  if (exStyle & WS_EX_CLIENTEDGE) return {-GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE)};
  if (style & WS_BORDER) return {-1, -1};
  return {0, 0};
}

void TBaseDataTree::PaintFrame(HDC dc) {
  if (bevelKind_ == bkNone && borderWidth_ == 0) return;
  const TSize insets = BorderInsets();
  TRect r = Rect(0, 0, Width(), Height());
  InflateRect(r, insets.cx, insets.cy);
  const TRect outer = r;
  const int saved = SaveDC(dc);
  if (bevelKind_ != bkNone) {
    UINT edge = 0;
    if (bevelInner_ == bvLowered) edge |= BDR_SUNKENINNER;
    if (bevelInner_ == bvRaised) edge |= BDR_RAISEDINNER;
    if (bevelOuter_ == bvLowered) edge |= BDR_SUNKENOUTER;
    if (bevelOuter_ == bvRaised) edge |= BDR_RAISEDOUTER;
    UINT flags = (bevelEdges_.Contains(beLeft) ? BF_LEFT : 0) | (bevelEdges_.Contains(beTop) ? BF_TOP : 0) |
                 (bevelEdges_.Contains(beRight) ? BF_RIGHT : 0) | (bevelEdges_.Contains(beBottom) ? BF_BOTTOM : 0);
    if (bevelKind_ == bkSoft) flags |= BF_SOFT;
    if (bevelKind_ == bkFlat) flags |= BF_FLAT;
    if (!ctl3D_) flags |= BF_MONO;
    TRect bevel = r;
    DrawEdge(dc, bevel, edge, flags);
    const int size = BevelEdgeSize();
    if (bevelEdges_.Contains(beLeft)) r.Left += size;
    if (bevelEdges_.Contains(beTop)) r.Top += size;
    if (bevelEdges_.Contains(beRight)) r.Right -= size;
    if (bevelEdges_.Contains(beBottom)) r.Bottom -= size;
  }
  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  InflateRect(r, -borderWidth_, -borderWidth_);
  ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  const HBRUSH brush = CreateSolidBrush(ColorToRGB(colors_->Color(BorderColor)));
  FillRect(dc, outer, brush);
  DeleteObject(brush);
  RestoreDC(dc, saved);
}

int TBaseDataTree::RightToLeftOffset() const {
  if (biDiMode_ != bdRightToLeft) return 0;
  const bool verticalBar = ClientHeight() < RangeY() && scrollBarOptions_->HasVertical();
  const int barWidth = verticalBar ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  const int headerWidth = header_->HeaderRect().Width();
  return headerWidth >= barWidth + RangeX() ? headerWidth - barWidth - RangeX() : 0;
}

void TBaseDataTree::FrameChanged() {
  if (HandleAllocated()) header_->RecalcHeaderFrame();
}

void TBaseDataTree::SetBevelKind(TBevelKind kind) {
  if (kind == bevelKind_) return;
  bevelKind_ = kind;
  FrameChanged();
}

void TBaseDataTree::SetBevelInner(TPanelBevel bevel) {
  if (bevel == bevelInner_) return;
  bevelInner_ = bevel;
  FrameChanged();
}

void TBaseDataTree::SetBevelOuter(TPanelBevel bevel) {
  if (bevel == bevelOuter_) return;
  bevelOuter_ = bevel;
  FrameChanged();
}

void TBaseDataTree::SetBevelEdges(TBevelEdges edges) {
  if (edges == bevelEdges_) return;
  bevelEdges_ = edges;
  FrameChanged();
}

void TBaseDataTree::SetBevelWidth(int width) {
  width = std::max(width, 1);
  if (width == bevelWidth_) return;
  bevelWidth_ = width;
  FrameChanged();
}

void TBaseDataTree::SetBorderWidth(int width) {
  width = std::max(width, 0);
  if (width == borderWidth_) return;
  borderWidth_ = width;
  FrameChanged();
}

// ---- The window -------------------------------------------------------------------------------

void TBaseDataTree::Paint() {
  const TRect update = Canvas().ClipRect();
  if (update.Right <= update.Left || update.Bottom <= update.Top) return;
  const TPaintTreeOptions options{ptoBackground, ptoColumnColor, ptoFocusRect, ptoSelection, ptoDropIndicator,
                                  ptoGridLines};
  const bool columns = header_->HasColumns();
  const int rightToLeftOffset = columns ? RightToLeftOffset() : 0;
  const int fixedWidth = columns ? header_->Columns().FixedColumnsWidth() : 0;
  // Fixed columns stay where they are; the rest scrolls beside them.
  if (fixedWidth > 0) {
    TRect fixed = Rect(0, 0, fixedWidth, ClientHeight());
    OffsetRect(fixed, -rightToLeftOffset, -offsetY_);
    PaintTreeTo(Canvas(), fixed, Point(0, 0), options);
    if (ClientWidth() <= fixedWidth) return;
    TRect scrolled = Rect(fixedWidth, 0, ClientWidth(), ClientHeight());
    OffsetRect(scrolled, effectiveOffsetX_ - rightToLeftOffset, -offsetY_);
    PaintTreeTo(Canvas(), scrolled, Point(fixedWidth, 0), options);
    return;
  }
  TRect window = update;
  OffsetRect(window, effectiveOffsetX_ - rightToLeftOffset, -offsetY_);
  PaintTreeTo(Canvas(), window, update.TopLeft(), options);
}

void TBaseDataTree::Resize() {
  TCustomControl::Resize();
  if (ClientHeight() <= 0) return;
  ChangeTreeStates({tsSizing}, {});
  try {
    RefreshScrollBars(true);
  } catch (...) {
    ChangeTreeStates({}, {tsSizing});
    throw;
  }
  ChangeTreeStates({}, {tsSizing});
}
