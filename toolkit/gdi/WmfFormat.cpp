// Windows metafiles: a placeable header (the picture's box at 96 units per
// inch), the metafile header, a window of the picture's size, and records
// of 16-bit words. Coordinates are 16 bits: shapes reaching beyond are cut
// at the edge of that range (a line keeps its direction), polylines longer
// than a record can hold are split. There is no gradient record: a
// gradient becomes one-pixel rows of the colours the raster gives it. Text
// is Windows-1252; a character it lacks is written as "?".

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "runtime/Utf16.h"
#include "runtime/Windows1252.h"
#include "toolkit/gdi/GradientRows.h"
#include "toolkit/gdi/MetafileFormat.h"
#include "toolkit/gdi/RecordBytes.h"

namespace {

enum : std::uint16_t {
  META_EOF = 0x0000,
  META_SAVEDC = 0x001E,
  META_SETBKMODE = 0x0102,
  META_SETROP2 = 0x0104,
  META_SETPOLYFILLMODE = 0x0106,
  META_RESTOREDC = 0x0127,
  META_SELECTOBJECT = 0x012D,
  META_SETTEXTALIGN = 0x012E,
  META_DELETEOBJECT = 0x01F0,
  META_SETBKCOLOR = 0x0201,
  META_SETTEXTCOLOR = 0x0209,
  META_SETWINDOWORG = 0x020B,
  META_SETWINDOWEXT = 0x020C,
  META_LINETO = 0x0213,
  META_MOVETO = 0x0214,
  META_CREATEPENINDIRECT = 0x02FA,
  META_CREATEFONTINDIRECT = 0x02FB,
  META_CREATEBRUSHINDIRECT = 0x02FC,
  META_POLYGON = 0x0324,
  META_POLYLINE = 0x0325,
  META_EXCLUDECLIPRECT = 0x0415,
  META_INTERSECTCLIPRECT = 0x0416,
  META_ELLIPSE = 0x0418,
  META_RECTANGLE = 0x041B,
  META_ROUNDRECT = 0x061C,
  META_EXTTEXTOUT = 0x0A32,
  META_STRETCHDIB = 0x0F43,
};

constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr std::size_t PlaceableSize = 22;
constexpr int MaxPoints = 32767;
constexpr long double Low = -32768, High = 32767;
constexpr std::uint8_t OUT_TT_ONLY_PRECIS = 7;
constexpr std::uint8_t NONANTIALIASED_QUALITY = 3;
constexpr std::uint32_t SRCCOPY_ROP = 0x00CC0020;

bool Fits16(TPoint p) { return p.X >= Low && p.X <= High && p.Y >= Low && p.Y <= High; }

int Clamp16(int v) { return std::clamp(v, int(Low), int(High)); }

TPoint Rounded(long double x, long double y) { return {int(std::lround(x)), int(std::lround(y))}; }

// The part of a segment inside the 16-bit range (Liang-Barsky); none when it misses.
std::optional<std::pair<TPoint, TPoint>> ClipSegment(TPoint a, TPoint b) {
  if (Fits16(a) && Fits16(b)) return std::pair{a, b};
  const long double dx = (long double)b.X - a.X, dy = (long double)b.Y - a.Y;
  long double t0 = 0, t1 = 1;
  const std::array<std::pair<long double, long double>, 4> sides = {
      std::pair{-dx, a.X - Low}, std::pair{dx, High - a.X}, std::pair{-dy, a.Y - Low}, std::pair{dy, High - a.Y}};
  for (const auto& [p, q] : sides) {
    if (p == 0) {
      if (q < 0) return std::nullopt;
      continue;
    }
    const long double t = q / p;
    if (p < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
  }
  if (t0 > t1) return std::nullopt;
  return std::pair{Rounded(a.X + t0 * dx, a.Y + t0 * dy), Rounded(a.X + t1 * dx, a.Y + t1 * dy)};
}

// Sutherland-Hodgman against each side of the 16-bit range.
std::vector<TPoint> ClipPolygon(std::span<const TPoint> points) {
  struct TReal {
    long double X, Y;
  };
  std::vector<TReal> poly;
  for (TPoint p : points) poly.push_back({(long double)p.X, (long double)p.Y});
  auto clipSide = [&poly](auto inside, auto cross) {
    std::vector<TReal> result;
    for (std::size_t i = 0; i < poly.size(); ++i) {
      const TReal& current = poly[i];
      const TReal& previous = poly[(i + poly.size() - 1) % poly.size()];
      if (inside(current)) {
        if (!inside(previous)) result.push_back(cross(previous, current));
        result.push_back(current);
      } else if (inside(previous)) {
        result.push_back(cross(previous, current));
      }
    }
    poly = std::move(result);
  };
  auto atX = [](long double x) {
    return [x](const TReal& a, const TReal& b) { return TReal{x, a.Y + (b.Y - a.Y) * (x - a.X) / (b.X - a.X)}; };
  };
  auto atY = [](long double y) {
    return [y](const TReal& a, const TReal& b) { return TReal{a.X + (b.X - a.X) * (y - a.Y) / (b.Y - a.Y), y}; };
  };
  clipSide([](const TReal& p) { return p.X >= Low; }, atX(Low));
  clipSide([](const TReal& p) { return p.X <= High; }, atX(High));
  clipSide([](const TReal& p) { return p.Y >= Low; }, atY(Low));
  clipSide([](const TReal& p) { return p.Y <= High; }, atY(High));
  std::vector<TPoint> result;
  for (const TReal& p : poly) result.push_back(Rounded(p.X, p.Y));
  return result;
}

// A polygon that still has more points than a record holds keeps every
// n-th point: its outline at a coarser step.
std::vector<TPoint> ThinnedPolygon(std::vector<TPoint> points) {
  points.erase(std::unique(points.begin(), points.end()), points.end());
  if (points.size() <= MaxPoints) return points;
  const std::size_t every = (points.size() + MaxPoints - 1) / MaxPoints;
  std::vector<TPoint> kept;
  for (std::size_t i = 0; i < points.size(); i += every) kept.push_back(points[i]);
  return kept;
}

class TWmfFormat final : public TMetafileFormat {
public:
  TWmfFormat(int width, int height) : width_(width), height_(height) {
    WritePlaceableHeader();
    WriteMetafileHeader();
    Words(META_SETWINDOWORG, {0, 0});
    Words(META_SETWINDOWEXT, {height_, width_});
  }

  void CreatePen(int slot, int style, int width, TColor color) override {
    Begin(META_CREATEPENINDIRECT);
    Occupy(slot);
    out_.Put16(std::uint16_t(style));
    out_.Put16(std::uint16_t(Clamp16(width)));
    out_.Put16(0);
    out_.Put32(color);
    End();
  }
  void CreateBrush(int slot, int style, TColor color, int hatch) override {
    Begin(META_CREATEBRUSHINDIRECT);
    Occupy(slot);
    out_.Put16(std::uint16_t(style));
    out_.Put32(color);
    out_.Put16(std::uint16_t(hatch));
    End();
  }
  void CreateFont(int slot, const TLogFont& font) override {
    Begin(META_CREATEFONTINDIRECT);
    Occupy(slot);
    for (int v : {font.lfHeight, font.lfWidth, font.lfEscapement, font.lfOrientation, font.lfWeight})
      out_.Put16(std::uint16_t(Clamp16(v)));
    for (std::uint8_t v : {std::uint8_t(font.lfItalic), std::uint8_t(font.lfUnderline), std::uint8_t(font.lfStrikeOut),
                           font.lfCharSet, OUT_TT_ONLY_PRECIS, std::uint8_t(0), NONANTIALIASED_QUALITY,
                           font.lfPitchAndFamily})
      out_.Put8(v);
    std::string face = Ansi(font.lfFaceName);
    face.resize(std::min<std::size_t>(face.size(), 31));
    face.push_back('\0');
    if (face.size() % 2) face.push_back('\0');
    for (char c : face) out_.Put8(std::uint8_t(c));
    End();
  }
  void SelectObject(int slot) override { Words(META_SELECTOBJECT, {slot}); }
  void DeleteObject(int slot) override { Words(META_DELETEOBJECT, {slot}); }

  void SetTextColor(TColor color) override { ColorRecord(META_SETTEXTCOLOR, color); }
  void SetBkColor(TColor color) override { ColorRecord(META_SETBKCOLOR, color); }
  void SetBkMode(int mode) override { Words(META_SETBKMODE, {mode}); }
  void SetROP2(int mode) override { Words(META_SETROP2, {mode}); }
  void SetPolyFillMode(int mode) override { Words(META_SETPOLYFILLMODE, {mode}); }
  void SetTextAlign(unsigned align) override { Words(META_SETTEXTALIGN, {int(align)}); }
  void SaveDC() override { Words(META_SAVEDC, {}); }
  // A restored state may hold another current position.
  void RestoreDC() override {
    Words(META_RESTOREDC, {-1});
    position_.reset();
  }
  void IntersectClipRect(const TRect& rect) override { RectRecord(META_INTERSECTCLIPRECT, rect); }
  void ExcludeClipRect(const TRect& rect) override { RectRecord(META_EXCLUDECLIPRECT, rect); }

  void Line(TPoint from, TPoint to) override {
    const auto clipped = ClipSegment(from, to);
    if (!clipped) return;
    if (position_ != clipped->first) Words(META_MOVETO, {clipped->first.Y, clipped->first.X});
    Words(META_LINETO, {clipped->second.Y, clipped->second.X});
    position_ = clipped->second;
  }
  // Pieces share their end points, so the split leaves no gap.
  void Polyline(std::span<const TPoint> points) override {
    std::vector<TPoint> run;
    auto flush = [&] {
      for (std::size_t start = 0; start + 1 < run.size(); start += MaxPoints - 1)
        PointsRecord(META_POLYLINE, std::span(run).subspan(start, std::min<std::size_t>(MaxPoints, run.size() - start)));
      run.clear();
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
      const auto clipped = ClipSegment(points[i - 1], points[i]);
      if (!clipped) {
        flush();
        continue;
      }
      if (run.empty() || run.back() != clipped->first) {
        flush();
        run.push_back(clipped->first);
      }
      run.push_back(clipped->second);
    }
    flush();
  }
  void Polygon(std::span<const TPoint> points) override {
    const bool fits = std::all_of(points.begin(), points.end(), Fits16);
    std::vector<TPoint> polygon =
        ThinnedPolygon(fits ? std::vector<TPoint>(points.begin(), points.end()) : ClipPolygon(points));
    if (polygon.size() >= 2) PointsRecord(META_POLYGON, polygon);
  }
  void Rectangle(const TRect& rect) override { RectRecord(META_RECTANGLE, rect); }
  void RoundRect(const TRect& rect, TSize corner) override {
    Words(META_ROUNDRECT, {Clamp16(corner.cy), Clamp16(corner.cx), Clamp16(rect.Bottom), Clamp16(rect.Right),
                           Clamp16(rect.Top), Clamp16(rect.Left)});
  }
  void Ellipse(const TRect& rect) override { RectRecord(META_ELLIPSE, rect); }

  void ExtTextOut(TPoint reference, unsigned options, const TRect* rect, std::string_view text,
                  std::span<const int> advances) override {
    if (!Fits16(reference)) return;
    const std::string bytes = Ansi(text);
    const bool hasRect = rect && (options & (ETO_OPAQUE | ETO_CLIPPED));
    Begin(META_EXTTEXTOUT);
    out_.Put16(std::uint16_t(reference.Y));
    out_.Put16(std::uint16_t(reference.X));
    out_.Put16(std::uint16_t(bytes.size()));
    out_.Put16(std::uint16_t(hasRect ? options : options & ~(ETO_OPAQUE | ETO_CLIPPED)));
    if (hasRect)
      for (int v : {rect->Left, rect->Top, rect->Right, rect->Bottom}) out_.Put16(std::uint16_t(Clamp16(v)));
    for (char c : bytes) out_.Put8(std::uint8_t(c));
    if (bytes.size() % 2) out_.Put8(0);
    for (int advance : advances) out_.Put16(std::uint16_t(Clamp16(advance)));
    End();
  }
  void GradientFill(std::span<const TTriVertex> vertices, std::span<const TGradientRect> rects,
                    unsigned mode) override {
    for (const TGradientRect& r : rects)
      ForEachGradientRectRow(vertices[r.UpperLeft], vertices[r.LowerRight], mode == GRADIENT_FILL_RECT_H, Picture(),
                             RowWriter());
  }
  void GradientFill(std::span<const TTriVertex> vertices, std::span<const TGradientTriangle> triangles) override {
    for (const TGradientTriangle& t : triangles)
      ForEachGradientTriangleRow(vertices[t.Vertex1], vertices[t.Vertex2], vertices[t.Vertex3], Picture(), RowWriter());
  }

  std::vector<std::uint8_t> Finish() override {
    Words(META_EOF, {});
    const std::size_t words = (out_.Size() - PlaceableSize) / 2;
    out_.Set32At(PlaceableSize + 6, std::uint32_t(words));
    out_.Set16At(PlaceableSize + 10, std::uint16_t(objects_));
    out_.Set32At(PlaceableSize + 12, maxRecord_);
    return out_.Take();
  }

private:
  TRect Picture() const { return Rect(0, 0, width_, height_); }

  // Code points to Windows-1252, one byte each.
  static std::string Ansi(std::string_view text) {
    const std::vector<std::size_t> starts = CodePointStarts(text);
    std::string bytes;
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
      const std::u16string unit = DecodeUtf8(text.substr(starts[i], starts[i + 1] - starts[i]));
      const auto byte = unit.size() == 1 ? Windows1252Of(unit[0]) : std::nullopt;
      bytes.push_back(char(byte.value_or('?')));
    }
    return bytes;
  }

  void WritePlaceableHeader() {
    out_.Put32(PlaceableKey);
    out_.Put16(0);  // no handle
    for (int v : {0, 0, width_, height_}) out_.Put16(std::uint16_t(Clamp16(v)));
    out_.Put16(96);  // units per inch
    out_.Put32(0);
    std::uint16_t checksum = 0;
    for (std::size_t offset = 0; offset < 20; offset += 2) checksum ^= out_.Get16At(offset);
    out_.Put16(checksum);
  }
  void WriteMetafileHeader() {
    out_.Put16(1);       // in memory
    out_.Put16(9);       // header words
    out_.Put16(0x0300);  // version
    out_.Put32(0);       // size in words, at close
    out_.Put16(0);       // objects, at close
    out_.Put32(0);       // largest record, at close
    out_.Put16(0);
  }

  void Begin(std::uint16_t function) {
    start_ = out_.Size();
    out_.Put32(0);
    out_.Put16(function);
  }
  void End() {
    const std::uint32_t words = std::uint32_t((out_.Size() - start_) / 2);
    out_.Set32At(start_, words);
    maxRecord_ = std::max(maxRecord_, words);
  }
  void Words(std::uint16_t function, std::initializer_list<int> values) {
    Begin(function);
    for (int v : values) out_.Put16(std::uint16_t(v));
    End();
  }
  void ColorRecord(std::uint16_t function, TColor color) {
    Begin(function);
    out_.Put32(color);
    End();
  }
  void RectRecord(std::uint16_t function, const TRect& r) {
    Words(function, {Clamp16(r.Bottom), Clamp16(r.Right), Clamp16(r.Top), Clamp16(r.Left)});
  }
  void PointsRecord(std::uint16_t function, std::span<const TPoint> points) {
    Begin(function);
    out_.Put16(std::uint16_t(points.size()));
    for (TPoint p : points) {
      out_.Put16(std::uint16_t(p.X));
      out_.Put16(std::uint16_t(p.Y));
    }
    End();
  }
  void Occupy(int slot) { objects_ = std::max(objects_, slot + 1); }

  // Each row piece as a one-row, 24-bit device-independent bitmap.
  TGradientRowVisitor RowWriter() {
    return [this](int y, int left, std::span<const std::uint32_t> pixels) {
      const int count = int(pixels.size());
      const std::uint32_t rowBytes = std::uint32_t((count * 3 + 3) / 4 * 4);
      Begin(META_STRETCHDIB);
      out_.Put32(SRCCOPY_ROP);
      out_.Put16(0);  // RGB colours
      for (int v : {1, count, 0, 0, 1, count, y, left}) out_.Put16(std::uint16_t(v));
      out_.Put32(40);  // BITMAPINFOHEADER
      out_.Put32(std::uint32_t(count));
      out_.Put32(1);
      out_.Put16(1);
      out_.Put16(24);
      out_.Put32(0);  // uncompressed
      out_.Put32(rowBytes);
      out_.Put32(3780);  // 96 per inch, in pixels per metre
      out_.Put32(3780);
      out_.Put32(0);
      out_.Put32(0);
      for (std::uint32_t pixel : pixels) {
        out_.Put8(std::uint8_t(pixel));
        out_.Put8(std::uint8_t(pixel >> 8));
        out_.Put8(std::uint8_t(pixel >> 16));
      }
      out_.PutZeros(rowBytes - std::uint32_t(count * 3));
      End();
    };
  }

  int width_;
  int height_;
  TRecordBytes out_;
  std::size_t start_ = 0;
  std::uint32_t maxRecord_ = 0;
  int objects_ = 0;
  std::optional<TPoint> position_;
};

}  // namespace

std::unique_ptr<TMetafileFormat> MakeWmfFormat(int width, int height) {
  return std::make_unique<TWmfFormat>(width, height);
}
