#pragma once
// A canvas draws on a device context with its own pen, brush and font,
// selecting them (and the colours and modes they imply) into the device
// context before each drawing call when they changed: the font's colour is
// the text colour; the brush's colour is the background colour, and a
// clear brush makes the background TRANSPARENT, any other OPAQUE; the pen's
// mode is the ROP2 mode. Like the device context it draws on, a canvas
// keeps no copy of state set on its handle directly.

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

#include "toolkit/gdi/Brush.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/Pen.h"

class TBitmap;
class TGraphic;

class TCanvas {
public:
  TCanvas();
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The device context; a canvas without one asks CreateHandle for it.
  HDC Handle();
  // Draws on dc from now on (not owned); null detaches the canvas.
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  TFont& Font() { return font_; }
  TPoint PenPos();
  void SetPenPos(TPoint position) { MoveTo(position.X, position.Y); }
  // The raster operation of CopyRect and Draw.
  std::uint32_t CopyMode = SRCCOPY;
  // ExtTextOut options a painter leaves for whoever draws the next text (ETO_OPAQUE: with its background).
  unsigned TextFlags = 0;

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(std::span<const TPoint> points);
  void Polygon(std::span<const TPoint> points);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  void RoundRect(int left, int top, int right, int bottom, int width, int height);
  void Ellipse(int left, int top, int right, int bottom);
  void Ellipse(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  void DrawFocusRect(const TRect& rect);

  // Text at (x, y); the pen moves to the end of the text.
  void TextOut(int x, int y, std::string_view text);
  // Text at (x, y) clipped to rect, which a solid brush fills first;
  // advances, when given, place each character that many pixels after the
  // previous one.
  void TextRect(const TRect& rect, int x, int y, std::string_view text, const int* advances = nullptr);
  // Formats text in rect as DrawText does (a clear brush leaves the
  // background); with DT_CALCRECT rect becomes the text's size. Answers the height.
  int TextRect(TRect& rect, std::string_view text, unsigned format);
  TSize TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }

  // The picture at its own size at (x, y), or scaled into rect; nothing
  // for an empty one.
  void Draw(int x, int y, const TGraphic& graphic);
  void StretchDraw(const TRect& rect, const TGraphic& graphic);
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  // The drawable area in logical coordinates.
  TRect ClipRect();

  // Serialises drawing from several threads on one canvas.
  void Lock() { lock_.lock(); }
  void Unlock() { lock_.unlock(); }
  bool TryLock() { return lock_.try_lock(); }

protected:
  // Called when a drawing call finds no device context; may SetHandle.
  virtual void CreateHandle() {}

private:
  // A monochrome bitmap takes the font's and the brush's colours.
  friend class TBitmap;
  void DrawBitmap(const TRect& dest, const TBitmap& bitmap);
  HDC RequireState(bool pen, bool brush, bool font);

  HDC dc_ = nullptr;
  TPen pen_;
  TBrush brush_;
  TFont font_;
  // Serials of the objects last selected into dc_ (0: none yet).
  unsigned penSerial_ = 0;
  unsigned brushSerial_ = 0;
  unsigned fontSerial_ = 0;
  std::recursive_mutex lock_;
};
