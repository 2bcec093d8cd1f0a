#include "treeview/CustomDataStringTree.h"

#include <cstddef>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/Messages.h"
#include "treeview/DTColors.h"
#include "treeview/DTHeader.h"
#include "treeview/StringEditLink.h"
#include "treeview/TreeRoutines.h"

namespace {

unsigned AlignmentFlag(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

// What of a font changes the width of a text.
struct TFontLook {
  std::string Name;
  int Height;
  TFontStyles Style;
  int Orientation;

  explicit TFontLook(const TFont& font)
      : Name(font.Name()), Height(font.Height()), Style(font.Style()), Orientation(font.Orientation()) {}
  bool operator==(const TFontLook&) const = default;
};

// The character height of the canvas font.
int FontHeightOn(TCanvas& canvas) {
  canvas.TextExtent("");  // selects the canvas font into its device context
  TTextMetric metric;
  GetTextMetrics(canvas.Handle(), &metric);
  return metric.tmHeight;
}

}  // namespace

TCustomDataStringTree::TCustomDataStringTree(TComponent* owner)
    : TBaseDataTree(owner), measureBitmap_(std::make_unique<TBitmap>(1, 1, pf32bit)) {
  ReplaceTreeOptions(std::make_unique<TCustomStringTreeOptions>(*this));
  textWidthOffset_ = ReserveInternalData(sizeof(int32_t));
  MeasureFontMetrics();
}

TCustomDataStringTree::~TCustomDataStringTree() {
  // The editor ends while the text tree is still whole: its link calls back into it.
  CancelNodeEdit();
}

void TCustomDataStringTree::SetDefaultText(const std::string& text) {
  if (text == defaultText_) return;
  defaultText_ = text;
  if (IsLoading()) return;
  // Widths measured with the old text would be wrong.
  ResetTextWidths();
  if (HandleAllocated()) Invalidate();
}

int32_t* TCustomDataStringTree::TextWidthCache(PDataNode node) const {
  if (!node || node == RootNode()) return nullptr;
  return reinterpret_cast<int32_t*>(reinterpret_cast<std::byte*>(node) + textWidthOffset_);
}

// ---- Texts --------------------------------------------------------------------------------

std::string TCustomDataStringTree::CellText(PDataNode node, TColumnIndex column) {
  QASSERT(node, "Node must not be nil.");
  EnsureNodeInitialized(node, false);
  std::string text = defaultText_;
  FireGetText(node, column, ttNormal, text);
  return text;
}

void TCustomDataStringTree::SetCellText(PDataNode node, TColumnIndex column, const std::string& text) {
  FireNewText(node, column, text);
  RepaintNode(node);
}

void TCustomDataStringTree::FireGetText(PDataNode node, TColumnIndex column, TDSTTextType textType,
                                        std::string& text) {
  if (OnGetText) OnGetText(this, node, column, textType, text);
}

void TCustomDataStringTree::FireNewText(PDataNode node, TColumnIndex column, const std::string& text) {
  if (OnNewText) OnNewText(this, node, column, text);
  if (UpdateCount() == 0) UpdateHorzScrollBar(true);
}

void TCustomDataStringTree::FirePaintText(PDataNode node, TCanvas& canvas, TDSTTextType textType,
                                          TColumnIndex column) {
  if (OnPaintText) OnPaintText(this, canvas, node, column, textType);
}

std::string TCustomDataStringTree::FireShortenString(TCanvas& canvas, PDataNode node, TColumnIndex column,
                                                     const std::string& text, int width, int ellipsisWidth) {
  std::string result;
  bool done = false;
  if (OnShortenString) OnShortenString(this, canvas, node, column, text, width, result, done);
  if (done) return result;
  canvas.TextExtent("");  // selects the canvas font into its device context
  return ElideText(canvas.Handle(), text, width, ellipsisWidth);
}

void TCustomDataStringTree::FireGetHint(PDataNode node, TColumnIndex column,
                                        TDTTooltipLineBreakStyle& lineBreakStyle, std::string& hintText) {
  if (OnGetHint) OnGetHint(this, node, column, lineBreakStyle, hintText);
}

std::string TCustomDataStringTree::NodeHint(PDataNode node, TColumnIndex column,
                                            TDTTooltipLineBreakStyle& lineBreakStyle) {
  std::string hint = TBaseDataTree::NodeHint(node, column, lineBreakStyle);
  FireGetHint(node, column, lineBreakStyle, hint);
  return hint;
}

std::string TCustomDataStringTree::NodeTooltip(PDataNode node, TColumnIndex column,
                                               TDTTooltipLineBreakStyle& lineBreakStyle) {
  std::string tooltip = TBaseDataTree::NodeTooltip(node, column, lineBreakStyle);
  if (!OnGetHint) return CellText(node, column);
  FireGetHint(node, column, lineBreakStyle, tooltip);
  return tooltip;
}

int TCustomDataStringTree::FireIncrementalSearch(PDataNode node, const std::string& searchText) {
  if (OnIncrementalSearch) return TBaseDataTree::FireIncrementalSearch(node, searchText);
  return CellText(node, FocusedColumn()).starts_with(searchText) ? 0 : 1;
}

CountedPtr<IDTEditLink> TCustomDataStringTree::FireCreateEditor(PDataNode node, TColumnIndex column) {
  if (OnCreateEditor) return TBaseDataTree::FireCreateEditor(node, column);
  return CountedPtr<IDTEditLink>(new TStringEditLink);
}

bool TCustomDataStringTree::FireGetCellIsEmpty(PDataNode node, TColumnIndex column) {
  return CellText(node, column).empty() && TBaseDataTree::FireGetCellIsEmpty(node, column);
}

// ---- Measuring ------------------------------------------------------------------------------

TCanvas& TCustomDataStringTree::MeasuringCanvas(TCanvas& canvas) {
  if (&canvas == &Canvas() && !HandleAllocated()) return measureBitmap_->Canvas();
  return canvas;
}

void TCustomDataStringTree::UseTreeFont(TCanvas& canvas) {
  TFont& font = canvas.Font();
  if (TFontLook(font) == TFontLook(Font()))
    font.SetColor(Font().Color());
  else
    font.Assign(Font());
}

void TCustomDataStringTree::MeasureFontMetrics() {
  TCanvas& canvas = measureBitmap_->Canvas();
  UseTreeFont(canvas);
  textHeight_ = FontHeightOn(canvas);
  ellipsisWidth_ = canvas.TextWidth("...");
}

void TCustomDataStringTree::ResetTextWidths() {
  for (PDataNode node = FirstRootNodeRaw(); node; node = NextNodeInOrderRaw(node)) *TextWidthCache(node) = 0;
}

int TCustomDataStringTree::TextWidthOf(TCanvas& canvas, PDataNode, const std::string& text, TColumnIndex) {
  return canvas.TextWidth(text);
}

int TCustomDataStringTree::MeasureCellText(TCanvas& canvas, PDataNode node, const std::string& text,
                                           TColumnIndex column) {
  int width = 2 * TextMargin();
  if (text.empty()) return width;
  UseTreeFont(canvas);
  FirePaintText(node, canvas, ttNormal, column);
  return width + TextWidthOf(canvas, node, text, column);
}

int TCustomDataStringTree::TextHeightOf(TCanvas& canvas, PDataNode node, TColumnIndex column,
                                        const std::string& text) {
  const std::string measured = text.empty() ? CellText(node, column) : text;
  TDTPaintInfo paintInfo;
  paintInfo.Node = node;
  paintInfo.Column = column;
  const TDataTreeColumns& columns = Header().Columns();
  if (columns.ColumnExists(column))
    columns.ColumnAt(column).AbsoluteExtent(paintInfo.CellRect.Left, paintInfo.CellRect.Right);
  else
    paintInfo.CellRect.Right = ClientWidth();
  TColumnIndex next = ColumnNotFound;
  AdjustCellRect(paintInfo, next);
  TRect r = Rect(0, 0, paintInfo.CellRect.Width(), 0);
  unsigned format = DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK;
  if (ReadsRightToLeft(column)) format |= DT_RTLREADING | DT_RIGHT;
  TCanvas& measuring = MeasuringCanvas(canvas);
  return measuring.TextRect(r, measured, format);
}

int TCustomDataStringTree::NodeContentWidth(PDataNode node, TColumnIndex column, TCanvas& canvas) {
  const TDataTreeColumns& columns = Header().Columns();
  if (node->Has(nsMultiline) && columns.ColumnExists(column)) return columns.ColumnAt(column).Width();
  TCanvas& measuring = MeasuringCanvas(canvas);
  int32_t* cached = column == Header().MainColumn() ? TextWidthCache(node) : nullptr;
  if (!cached) return MeasureCellText(measuring, node, CellText(node, column), column);
  if (*cached == 0) *cached = MeasureCellText(measuring, node, CellText(node, column), column);
  return *cached;
}

void TCustomDataStringTree::CellTextInfo(PDataNode node, TColumnIndex column, TFont& font, TRect& r,
                                         std::string& text) {
  TBaseDataTree::CellTextInfo(node, column, font, r, text);
  TCanvas& canvas = measureBitmap_->Canvas();
  canvas.Font().Assign(font);
  const TFontLook before(canvas.Font());
  FirePaintText(node, canvas, ttNormal, column);
  int height = textHeight_;
  if (!(TFontLook(canvas.Font()) == before)) {
    font.Assign(canvas.Font());
    height = FontHeightOn(canvas);
  }
  text = CellText(node, column);
  r = NodeDisplayRect(node, column, true, !node->Has(nsMultiline));
  if (TreeOptions().PaintOptions().Contains(toShowHorzGridLines)) --r.Bottom;
  const int shrink = (r.Height() - height) / 2;
  r.Top += shrink;
  r.Bottom -= shrink;
}

// ---- Cache resets ---------------------------------------------------------------------------

void TCustomDataStringTree::RepaintNode(PDataNode node) {
  if (int32_t* cached = TextWidthCache(node)) {
    *cached = 0;
    node->Exclude(nsHeightMeasured);
  }
  TBaseDataTree::RepaintNode(node);
}

void TCustomDataStringTree::ReinitializeNode(PDataNode node, bool recursive) {
  if (int32_t* cached = TextWidthCache(node)) *cached = 0;
  TBaseDataTree::ReinitializeNode(node, recursive);
}

void TCustomDataStringTree::MainColumnSwitched() {
  ResetTextWidths();
  TBaseDataTree::MainColumnSwitched();
}

void TCustomDataStringTree::Dispatch(TMessage& message) {
  TBaseDataTree::Dispatch(message);
  if (message.Msg != CM_FONTCHANGED) return;
  MeasureFontMetrics();
  ResetTextWidths();
}

// ---- Painting -------------------------------------------------------------------------------

void TCustomDataStringTree::PaintNodeContent(TDTPaintInfo& paintInfo) {
  const PDataNode node = paintInfo.Node;
  const std::string text = CellText(node, paintInfo.Column);
  if (!text.empty()) PaintCellText(paintInfo, text);
  if (Alignment() == taCenter || node->Has(nsMultiline) ||
      !TreeOptions().StringOptions().Contains(toShowStaticText))
    return;
  std::string staticText;
  FireGetText(node, paintInfo.Column, ttStatic, staticText);
  if (!staticText.empty()) PaintCellStaticText(paintInfo, staticText);
}

void TCustomDataStringTree::PrepareTextFont(TDTPaintInfo& paintInfo) {
  TCanvas& canvas = *paintInfo.Canvas;
  UseTreeFont(canvas);
  const PDataNode node = paintInfo.Node;
  if (TreeOptions().PaintOptions().Contains(toHotTrack) && node == CurrentHotNode()) {
    canvas.Font().SetStyle(canvas.Font().Style() | fsUnderline);
    canvas.Font().SetColor(Colors().Color(HotColor));
  }
  const bool fullRow = TreeOptions().SelectionOptions().Contains(toFullRowSelect);
  if (!paintInfo.PaintOptions.Contains(ptoSelection) || (paintInfo.Column != FocusedColumn() && !fullRow)) return;
  const bool shownSelected = node == DropTargetNode()
                                 ? node->Has(nsSelected)
                                 : node->Has(nsSelected) &&
                                       (Focused() || TreeOptions().PaintOptions().Contains(toPopupMode));
  if (shownSelected) canvas.Font().SetColor(clHighlightText);
}

void TCustomDataStringTree::UseDisabledColor(TDTPaintInfo& paintInfo) {
  if (paintInfo.Node->Has(nsDisabled) || !Enabled()) paintInfo.Canvas->Font().SetColor(Colors().Color(DisabledColor));
}

void TCustomDataStringTree::PaintCellText(TDTPaintInfo& paintInfo, const std::string& cellText) {
  TCanvas& canvas = *paintInfo.Canvas;
  const PDataNode node = paintInfo.Node;
  const TColumnIndex column = paintInfo.Column;
  PrepareTextFont(paintInfo);
  TRect r = paintInfo.ContentRect;
  r.Left += TextMargin();
  r.Right -= TextMargin();
  canvas.TextFlags = 0;
  std::string text = cellText;
  unsigned format = 0;
  if (node->Has(nsMultiline)) {
    FirePaintText(node, canvas, ttNormal, column);
    UseDisabledColor(paintInfo);
    format = AlignmentFlag(paintInfo.Alignment) | DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS;
  } else {
    const TFontLook before(canvas.Font());
    int ellipsisWidth = ellipsisWidth_;
    FirePaintText(node, canvas, ttNormal, column);
    if (!(TFontLook(canvas.Font()) == before)) {
      ellipsisWidth = 0;
      paintInfo.ContentWidth = 2 * TextMargin() + canvas.TextWidth(text);
    }
    UseDisabledColor(paintInfo);
    format = DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE;
    if (column == ColumnNone) {
      format |= AlignmentFlag(paintInfo.Alignment);
    } else if (r.Width() < paintInfo.ContentWidth - 2 * TextMargin()) {
      text = FireShortenString(canvas, node, column, text, r.Width(), ellipsisWidth);
      if (paintInfo.Alignment == taRightJustify) format |= DT_RIGHT;
    } else {
      format |= AlignmentFlag(paintInfo.Alignment);
    }
  }
  if (ReadsRightToLeft(column)) format |= DT_RTLREADING;
  DrawCellText(paintInfo, text, r, format);
}

void TCustomDataStringTree::PaintCellStaticText(TDTPaintInfo& paintInfo, const std::string& text) {
  TCanvas& canvas = *paintInfo.Canvas;
  const PDataNode node = paintInfo.Node;
  UseTreeFont(canvas);
  if (TreeOptions().SelectionOptions().Contains(toFullRowSelect)) {
    const bool shownSelected = node == DropTargetNode()
                                   ? node->Has(nsSelected)
                                   : node->Has(nsSelected) &&
                                         (Focused() || TreeOptions().PaintOptions().Contains(toPopupMode));
    if (shownSelected) canvas.Font().SetColor(clHighlightText);
  }
  canvas.TextFlags = 0;
  FirePaintText(node, canvas, ttStatic, paintInfo.Column);
  UseDisabledColor(paintInfo);
  TRect r = paintInfo.ContentRect;
  if (paintInfo.Alignment == taRightJustify)
    r.Right -= paintInfo.ContentWidth + TextMargin();
  else
    r.Left += paintInfo.ContentWidth + TextMargin();
  DrawCellText(paintInfo, text, r, DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE);
}

void TCustomDataStringTree::DrawCellText(TDTPaintInfo& paintInfo, const std::string& text, TRect& r,
                                         unsigned drawFormat) {
  TCanvas& canvas = *paintInfo.Canvas;
  // A handler asks for the background behind the text with ETO_OPAQUE; the brush stays usable afterwards.
  const TBrushStyle style = canvas.Brush().Style();
  canvas.Brush().SetStyle(canvas.TextFlags & ETO_OPAQUE ? bsSolid : bsClear);
  canvas.TextRect(r, text, drawFormat);
  canvas.Brush().SetStyle(style);
}

void TCustomDataStringTree::AdjustCellRect(TDTPaintInfo& paintInfo, TColumnIndex& nextNonEmpty) {
  const bool spans = TreeOptions().AutoOptions().Contains(toAutoSpanColumns) && Header().HasColumns() &&
                     !ReadsRightToLeft(paintInfo.Column);
  if (!spans) {
    TBaseDataTree::AdjustCellRect(paintInfo, nextNonEmpty);
    return;
  }
  nextNonEmpty = SpanFollowingEmptyCells(paintInfo.Node, paintInfo.Column, paintInfo.CellRect.Right);
}
