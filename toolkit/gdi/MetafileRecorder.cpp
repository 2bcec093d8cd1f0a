#include "toolkit/gdi/MetafileRecorder.h"

#include <algorithm>
#include <utility>

namespace {

// Corners in order; empty when the shape would set no pixel.
TRect Normalized(const TRect& r) {
  return Rect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
              std::max(r.Top, r.Bottom));
}

bool SameLogFont(const TLogFont& a, const TLogFont& b) {
  return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
         a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
         a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
         a.lfPitchAndFamily == b.lfPitchAndFamily && a.lfFaceName == b.lfFaceName;
}

const TGdiPen& NullPen() { return *static_cast<const TGdiPen*>(GetStockObject(NULL_PEN)); }

}  // namespace

TMetafileRecorder::TMetafileRecorder(std::unique_ptr<TMetafileFormat> format) : format_(std::move(format)) {}

TMetafileRecorder::~TMetafileRecorder() = default;

TMetafileRecorder::TObjectKey TMetafileRecorder::KeyOf(const TGdiPen& pen) {
  TObjectKey key;
  key.Kind = OBJ_PEN;
  key.Style = pen.Style;
  key.Width = pen.Width;
  key.Color = pen.Color;
  return key;
}

TMetafileRecorder::TObjectKey TMetafileRecorder::KeyOf(const TGdiBrush& brush) {
  TObjectKey key;
  key.Kind = OBJ_BRUSH;
  key.Style = brush.Style == BS_PATTERN ? BS_NULL : brush.Style;
  key.Hatch = brush.Style == BS_HATCHED ? brush.Hatch : 0;
  key.Color = brush.Color;
  return key;
}

TMetafileRecorder::TObjectKey TMetafileRecorder::KeyOf(const TLogFont& font) {
  TObjectKey key;
  key.Kind = OBJ_FONT;
  key.Font = font;
  return key;
}

bool TMetafileRecorder::SameObject(const TObjectKey& a, const TObjectKey& b) {
  if (a.Kind != b.Kind) return false;
  if (a.Kind == OBJ_FONT) return SameLogFont(a.Font, b.Font);
  return a.Style == b.Style && a.Width == b.Width && a.Hatch == b.Hatch && a.Color == b.Color;
}

bool TMetafileRecorder::Held(int slot) const {
  auto holds = [slot](const TReaderState& s) { return s.Pen == slot || s.Brush == slot || s.Font == slot; };
  return holds(reader_) || std::any_of(saved_.begin(), saved_.end(), holds);
}

// An object no state of the reader holds can never be selected again.
void TMetafileRecorder::ReleaseUnheld() {
  for (int slot = 0; slot < int(slots_.size()); ++slot)
    if (slots_[std::size_t(slot)].Kind != 0 && !Held(slot)) {
      format_->DeleteObject(slot);
      slots_[std::size_t(slot)].Kind = 0;
    }
}

void TMetafileRecorder::Select(int TReaderState::*selected, const TObjectKey& key) {
  const int current = reader_.*selected;
  if (current >= 0 && SameObject(slots_[std::size_t(current)], key)) return;
  auto equal = std::find_if(slots_.begin(), slots_.end(), [&](const TObjectKey& k) { return SameObject(k, key); });
  int slot = int(equal - slots_.begin());
  if (equal == slots_.end()) {
    auto free = std::find_if(slots_.begin(), slots_.end(), [](const TObjectKey& k) { return k.Kind == 0; });
    slot = int(free - slots_.begin());
    if (free == slots_.end()) slots_.emplace_back();
    slots_[std::size_t(slot)] = key;
    if (key.Kind == OBJ_PEN) format_->CreatePen(slot, key.Style, key.Width, key.Color);
    else if (key.Kind == OBJ_BRUSH) format_->CreateBrush(slot, key.Style, key.Color, key.Hatch);
    else format_->CreateFont(slot, key.Font);
  }
  format_->SelectObject(slot);
  reader_.*selected = slot;
  ReleaseUnheld();
}

// First of all: restoring the state that held the old clip undoes the rest.
void TMetafileRecorder::PrepareClip(const TDeviceContext& dc) {
  const TDCState& state = dc.State();
  if (state.HasClip == reader_.HasClip && (!state.HasClip || state.Clip == reader_.Clip)) return;
  if (reader_.HasClip) {
    format_->RestoreDC();
    reader_ = std::move(saved_.back());
    saved_.pop_back();
    ReleaseUnheld();
  }
  if (!state.HasClip) return;
  format_->SaveDC();
  saved_.push_back(reader_);
  reader_.HasClip = true;
  reader_.Clip = state.Clip;
  const TRect bounds = state.Clip.Bounds();
  format_->IntersectClipRect(bounds);
  for (const TRect& outside : TRegion::Combine(TRegion(bounds), state.Clip, RGN_DIFF).Rects())
    format_->ExcludeClipRect(outside);
}

// Dashes and hatches fill their gaps, and text its cell, by these.
void TMetafileRecorder::PrepareBackground(const TDeviceContext& dc) {
  const TDCState& state = dc.State();
  if (reader_.BkColor != state.BkColor) format_->SetBkColor(reader_.BkColor = state.BkColor);
  if (reader_.BkMode != state.BkMode) format_->SetBkMode(reader_.BkMode = state.BkMode);
}

void TMetafileRecorder::PrepareDrawing(const TDeviceContext& dc, const TGdiPen& pen, const TGdiBrush& brush, int rop2) {
  PrepareClip(dc);
  Select(&TReaderState::Pen, KeyOf(pen));
  Select(&TReaderState::Brush, KeyOf(brush));
  PrepareBackground(dc);
  if (reader_.Rop2 != rop2) format_->SetROP2(reader_.Rop2 = rop2);
  const int fillMode = dc.State().PolyFillMode;
  if (reader_.PolyFillMode != fillMode) format_->SetPolyFillMode(reader_.PolyFillMode = fillMode);
}

// The reference point is recorded, so the current position stays out.
void TMetafileRecorder::PrepareText(const TDeviceContext& dc) {
  PrepareClip(dc);
  const TDCState& state = dc.State();
  Select(&TReaderState::Font, KeyOf(state.Font->LogFont));
  PrepareBackground(dc);
  if (reader_.TextColor != state.TextColor) format_->SetTextColor(reader_.TextColor = state.TextColor);
  const unsigned align = state.TextAlign & ~TA_UPDATECP;
  if (reader_.TextAlign != align) format_->SetTextAlign(reader_.TextAlign = align);
}

std::vector<TPoint> TMetafileRecorder::ToDevice(const TDeviceContext& dc, std::span<const TPoint> points) const {
  std::vector<TPoint> device(points.size());
  std::transform(points.begin(), points.end(), device.begin(), [&dc](TPoint p) { return dc.ToDevice(p); });
  return device;
}

std::vector<TTriVertex> TMetafileRecorder::ToDevice(const TDeviceContext& dc,
                                                    std::span<const TTriVertex> vertices) const {
  std::vector<TTriVertex> device(vertices.begin(), vertices.end());
  for (TTriVertex& v : device) {
    const TPoint p = dc.ToDevice(TPoint{v.x, v.y});
    v.x = p.X;
    v.y = p.Y;
  }
  return device;
}

void TMetafileRecorder::Line(TDeviceContext& dc, TPoint from, TPoint to) {
  const TDCState& state = dc.State();
  PrepareDrawing(dc, *state.Pen, *state.Brush, state.Rop2);
  format_->Line(dc.ToDevice(from), dc.ToDevice(to));
}

void TMetafileRecorder::Polyline(TDeviceContext& dc, std::span<const TPoint> points) {
  const TDCState& state = dc.State();
  PrepareDrawing(dc, *state.Pen, *state.Brush, state.Rop2);
  format_->Polyline(ToDevice(dc, points));
}

void TMetafileRecorder::Polygon(TDeviceContext& dc, std::span<const TPoint> points) {
  const TDCState& state = dc.State();
  PrepareDrawing(dc, *state.Pen, *state.Brush, state.Rop2);
  format_->Polygon(ToDevice(dc, points));
}

void TMetafileRecorder::Rectangle(TDeviceContext& dc, const TRect& rect) {
  const TRect r = Normalized(rect);
  if (IsRectEmpty(r)) return;
  const TDCState& state = dc.State();
  PrepareDrawing(dc, *state.Pen, *state.Brush, state.Rop2);
  format_->Rectangle(dc.ToDevice(r));
}

void TMetafileRecorder::RoundRect(TDeviceContext& dc, const TRect& rect, TSize corner) {
  const TRect r = Normalized(rect);
  if (IsRectEmpty(r)) return;
  const TDCState& state = dc.State();
  PrepareDrawing(dc, *state.Pen, *state.Brush, state.Rop2);
  format_->RoundRect(dc.ToDevice(r), corner);
}

void TMetafileRecorder::Ellipse(TDeviceContext& dc, const TRect& rect) {
  const TRect r = Normalized(rect);
  if (IsRectEmpty(r)) return;
  const TDCState& state = dc.State();
  PrepareDrawing(dc, *state.Pen, *state.Brush, state.Rop2);
  format_->Ellipse(dc.ToDevice(r));
}

// Without a pen a rectangle fills one pixel less to the right and bottom.
void TMetafileRecorder::FillRect(TDeviceContext& dc, const TRect& rect, const TGdiBrush& brush) {
  if (IsRectEmpty(rect)) return;
  PrepareDrawing(dc, NullPen(), brush, R2_COPYPEN);
  const TRect r = dc.ToDevice(rect);
  format_->Rectangle(Rect(r.Left, r.Top, r.Right + 1, r.Bottom + 1));
}

void TMetafileRecorder::Text(TDeviceContext& dc, TPoint reference, unsigned options, const TRect* rect,
                             std::string_view text, const int* advances) {
  PrepareText(dc);
  const std::vector<std::size_t> starts = CodePointStarts(text);
  std::vector<int> widths(starts.size() - 1);
  for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
    if (advances) {
      widths[i] = advances[i];
    } else {
      TSize size;
      GetTextExtentPoint32(&dc, text.substr(starts[i], starts[i + 1] - starts[i]), &size);
      widths[i] = size.cx;
    }
  }
  TRect deviceRect;
  if (rect) deviceRect = dc.ToDevice(*rect);
  format_->ExtTextOut(dc.ToDevice(reference), options, rect ? &deviceRect : nullptr, text, widths);
}

void TMetafileRecorder::GradientFill(TDeviceContext& dc, std::span<const TTriVertex> vertices,
                                     std::span<const TGradientRect> rects, unsigned mode) {
  PrepareClip(dc);
  format_->GradientFill(ToDevice(dc, vertices), rects, mode);
}

void TMetafileRecorder::GradientFill(TDeviceContext& dc, std::span<const TTriVertex> vertices,
                                     std::span<const TGradientTriangle> triangles) {
  PrepareClip(dc);
  format_->GradientFill(ToDevice(dc, vertices), triangles);
}

std::vector<std::uint8_t> TMetafileRecorder::Finish() { return format_->Finish(); }
