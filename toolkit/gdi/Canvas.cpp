#include "toolkit/gdi/Canvas.h"

#include "runtime/Exceptions.h"
#include "toolkit/gdi/Bitmap.h"

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() = default;

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  if (!dc_) throw EQuantrelError("Canvas does not allow drawing");
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  dc_ = dc;
  penSerial_ = brushSerial_ = fontSerial_ = 0;
}

// An object counts as selected only while the device context still holds
// it: RestoreDC (or a drawing routine working on the context itself) may
// have put another one back since the canvas selected its own.
HDC TCanvas::RequireState(bool pen, bool brush, bool font) {
  HDC dc = Handle();
  if (pen && GetCurrentObject(dc, OBJ_PEN) != pen_.Handle()) penSerial_ = 0;
  if (brush && GetCurrentObject(dc, OBJ_BRUSH) != brush_.Handle()) brushSerial_ = 0;
  if (font && GetCurrentObject(dc, OBJ_FONT) != font_.Handle()) fontSerial_ = 0;
  if (pen && penSerial_ != pen_.Serial()) {
    SelectObject(dc, pen_.Handle());
    SetROP2(dc, pen_.Rop2());
    penSerial_ = pen_.Serial();
  }
  if (brush && brushSerial_ != brush_.Serial()) {
    SelectObject(dc, brush_.Handle());
    SetBkColor(dc, ColorToRGB(brush_.Color()));
    SetBkMode(dc, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
    brushSerial_ = brush_.Serial();
  }
  if (font && fontSerial_ != font_.Serial()) {
    SelectObject(dc, font_.Handle());
    SetTextColor(dc, ColorToRGB(font_.Color()));
    fontSerial_ = font_.Serial();
  }
  return dc;
}

TPoint TCanvas::PenPos() { return Handle()->State().CurrentPos; }

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) { ::LineTo(RequireState(true, true, false), x, y); }

void TCanvas::Polyline(std::span<const TPoint> points) {
  ::Polyline(RequireState(true, true, false), points.data(), int(points.size()));
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  ::Polygon(RequireState(true, true, false), points.data(), int(points.size()));
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  ::Rectangle(RequireState(true, true, false), left, top, right, bottom);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int width, int height) {
  ::RoundRect(RequireState(true, true, false), left, top, right, bottom, width, height);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  ::Ellipse(RequireState(true, true, false), left, top, right, bottom);
}

void TCanvas::FillRect(const TRect& rect) { ::FillRect(RequireState(false, true, false), rect, brush_.Handle()); }

void TCanvas::FrameRect(const TRect& rect) { ::FrameRect(RequireState(false, true, false), rect, brush_.Handle()); }

void TCanvas::DrawFocusRect(const TRect& rect) { ::DrawFocusRect(RequireState(false, true, false), rect); }

void TCanvas::TextOut(int x, int y, std::string_view text) {
  ::TextOut(RequireState(false, true, true), x, y, text);
  MoveTo(x + TextWidth(text), y);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text, const int* advances) {
  const unsigned options = ETO_CLIPPED | (brush_.Style() != bsClear ? ETO_OPAQUE : 0);
  ExtTextOut(RequireState(false, true, true), x, y, options, &rect, text, advances);
}

int TCanvas::TextRect(TRect& rect, std::string_view text, unsigned format) {
  return ::DrawText(RequireState(false, true, true), text, rect, format);
}

TSize TCanvas::TextExtent(std::string_view text) {
  TSize size;
  GetTextExtentPoint32(RequireState(false, false, true), text, &size);
  return size;
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
  if (!graphic.Empty()) graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const TRect& rect, const TGraphic& graphic) {
  if (!graphic.Empty()) graphic.Draw(*this, rect);
}

void TCanvas::DrawBitmap(const TRect& dest, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  HDC dc = RequireState(false, true, true);
  HDC source = CreateCompatibleDC(dc);
  SelectObject(source, bitmap.Handle());
  if (bitmap.Transparent())
    TransparentBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), source, 0, 0, bitmap.Width(), bitmap.Height(),
                   bitmap.TransparentColor());
  else
    StretchBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), source, 0, 0, bitmap.Width(), bitmap.Height(),
               CopyMode);
  DeleteDC(source);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
  StretchBlt(RequireState(false, true, true), dest.Left, dest.Top, dest.Width(), dest.Height(), source.Handle(),
             sourceRect.Left, sourceRect.Top, sourceRect.Width(), sourceRect.Height(), CopyMode);
}

TColor TCanvas::Pixel(int x, int y) { return ::GetPixel(Handle(), x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(Handle(), x, y, color); }

TRect TCanvas::ClipRect() {
  TRect box;
  GetClipBox(Handle(), &box);
  return box;
}
