#pragma once
// The records of one metafile format, written in drawing order. The
// recorder decides what to write (TMetafileRecorder); a format knows only
// how: enhanced metafiles (EMF) and Windows metafiles (WMF). Coordinates
// are device pixels of the picture, (0, 0) its top-left corner. Objects
// live in numbered slots from 0, the lowest free one taken first; the
// recorder deletes an object only when no state of the reader holds it.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Gdi.h"

class TMetafileFormat {
public:
  virtual ~TMetafileFormat() = default;

  virtual void CreatePen(int slot, int style, int width, TColor color) = 0;
  virtual void CreateBrush(int slot, int style, TColor color, int hatch) = 0;
  virtual void CreateFont(int slot, const TLogFont& font) = 0;
  virtual void SelectObject(int slot) = 0;
  virtual void DeleteObject(int slot) = 0;

  virtual void SetTextColor(TColor color) = 0;
  virtual void SetBkColor(TColor color) = 0;
  virtual void SetBkMode(int mode) = 0;
  virtual void SetROP2(int mode) = 0;
  virtual void SetPolyFillMode(int mode) = 0;
  virtual void SetTextAlign(unsigned align) = 0;
  // The reader's state, restored by the next RestoreDC.
  virtual void SaveDC() = 0;
  virtual void RestoreDC() = 0;
  virtual void IntersectClipRect(const TRect& rect) = 0;
  virtual void ExcludeClipRect(const TRect& rect) = 0;

  // From one point up to, not including, the other.
  virtual void Line(TPoint from, TPoint to) = 0;
  virtual void Polyline(std::span<const TPoint> points) = 0;
  virtual void Polygon(std::span<const TPoint> points) = 0;
  virtual void Rectangle(const TRect& rect) = 0;
  virtual void RoundRect(const TRect& rect, TSize corner) = 0;
  virtual void Ellipse(const TRect& rect) = 0;
  // UTF-8 text at its reference point; one advance per code point.
  virtual void ExtTextOut(TPoint reference, unsigned options, const TRect* rect, std::string_view text,
                          std::span<const int> advances) = 0;
  virtual void GradientFill(std::span<const TTriVertex> vertices, std::span<const TGradientRect> rects,
                            unsigned mode) = 0;
  virtual void GradientFill(std::span<const TTriVertex> vertices, std::span<const TGradientTriangle> triangles) = 0;

  // The file's bytes: the header completed and the end record appended.
  virtual std::vector<std::uint8_t> Finish() = 0;
};

// A picture of width x height pixels at 96 per inch.
std::unique_ptr<TMetafileFormat> MakeEmfFormat(int width, int height);
std::unique_ptr<TMetafileFormat> MakeWmfFormat(int width, int height);
