// Enhanced metafiles: a header record, then records of 32-bit words, each
// a multiple of four bytes, ending with EMR_EOF. Object slot n is handle
// n + 1 (handle 0 is the metafile itself). The reference device is a
// screen of 1920 x 1440 pixels at 96 per inch, 508 x 381 mm.

#include <algorithm>
#include <optional>

#include "runtime/Utf16.h"
#include "toolkit/gdi/MetafileFormat.h"
#include "toolkit/gdi/RecordBytes.h"

namespace {

enum : std::uint32_t {
  EMR_HEADER = 1,
  EMR_POLYGON = 3,
  EMR_POLYLINE = 4,
  EMR_EOF = 14,
  EMR_SETBKMODE = 18,
  EMR_SETPOLYFILLMODE = 19,
  EMR_SETROP2 = 20,
  EMR_SETTEXTALIGN = 22,
  EMR_SETTEXTCOLOR = 24,
  EMR_SETBKCOLOR = 25,
  EMR_MOVETOEX = 27,
  EMR_EXCLUDECLIPRECT = 29,
  EMR_INTERSECTCLIPRECT = 30,
  EMR_SAVEDC = 33,
  EMR_RESTOREDC = 34,
  EMR_SELECTOBJECT = 37,
  EMR_CREATEPEN = 38,
  EMR_CREATEBRUSHINDIRECT = 39,
  EMR_DELETEOBJECT = 40,
  EMR_ELLIPSE = 42,
  EMR_RECTANGLE = 43,
  EMR_ROUNDRECT = 44,
  EMR_LINETO = 54,
  EMR_EXTCREATEFONTINDIRECTW = 82,
  EMR_EXTTEXTOUTW = 84,
  EMR_POLYGON16 = 86,
  EMR_POLYLINE16 = 87,
  EMR_GRADIENTFILL = 118,
};

constexpr std::uint32_t HeaderSize = 108;
constexpr int DeviceWidth = 1920, DeviceHeight = 1440;
constexpr int DeviceWidthMm = 508, DeviceHeightMm = 381;
constexpr std::uint32_t GM_COMPATIBLE = 1;
constexpr std::uint8_t OUT_TT_ONLY_PRECIS = 7;
constexpr std::uint8_t NONANTIALIASED_QUALITY = 3;

bool Fits16(TPoint p) { return p.X >= -32768 && p.X <= 32767 && p.Y >= -32768 && p.Y <= 32767; }

// Inclusive bounds of the points, as the records' bounds fields take them.
TRect InclusiveBounds(std::span<const TPoint> points) {
  TRect b{points[0].X, points[0].Y, points[0].X, points[0].Y};
  for (TPoint p : points) b = Rect(std::min(b.Left, p.X), std::min(b.Top, p.Y), std::max(b.Right, p.X), std::max(b.Bottom, p.Y));
  return b;
}

// Hundredths of a millimetre at 96 pixels per inch.
std::uint32_t ToHimetric(int pixels) { return std::uint32_t((std::int64_t(pixels) * 2540 + 48) / 96); }

class TEmfFormat final : public TMetafileFormat {
public:
  TEmfFormat(int width, int height) : width_(width), height_(height) { WriteHeader(); }

  void CreatePen(int slot, int style, int width, TColor color) override {
    Begin(EMR_CREATEPEN);
    Handle(slot);
    out_.Put32(std::uint32_t(style));
    out_.Put32(std::uint32_t(width));
    out_.Put32(0);
    out_.Put32(color);
    End();
  }
  void CreateBrush(int slot, int style, TColor color, int hatch) override {
    Begin(EMR_CREATEBRUSHINDIRECT);
    Handle(slot);
    out_.Put32(std::uint32_t(style));
    out_.Put32(color);
    out_.Put32(std::uint32_t(hatch));
    End();
  }
  void CreateFont(int slot, const TLogFont& font) override {
    Begin(EMR_EXTCREATEFONTINDIRECTW);
    Handle(slot);
    for (int v : {font.lfHeight, font.lfWidth, font.lfEscapement, font.lfOrientation, font.lfWeight})
      out_.Put32(std::uint32_t(v));
    for (std::uint8_t v : {std::uint8_t(font.lfItalic), std::uint8_t(font.lfUnderline), std::uint8_t(font.lfStrikeOut),
                           font.lfCharSet, OUT_TT_ONLY_PRECIS, std::uint8_t(0), NONANTIALIASED_QUALITY,
                           font.lfPitchAndFamily})
      out_.Put8(v);
    std::u16string face = DecodeUtf8(font.lfFaceName);
    face.resize(31);  // and a terminating zero: 32 units
    for (char16_t unit : face) out_.Put16(unit);
    out_.Put16(0);
    End();
  }
  void SelectObject(int slot) override { Command(EMR_SELECTOBJECT, std::uint32_t(slot + 1)); }
  void DeleteObject(int slot) override { Command(EMR_DELETEOBJECT, std::uint32_t(slot + 1)); }

  void SetTextColor(TColor color) override { Command(EMR_SETTEXTCOLOR, color); }
  void SetBkColor(TColor color) override { Command(EMR_SETBKCOLOR, color); }
  void SetBkMode(int mode) override { Command(EMR_SETBKMODE, std::uint32_t(mode)); }
  void SetROP2(int mode) override { Command(EMR_SETROP2, std::uint32_t(mode)); }
  void SetPolyFillMode(int mode) override { Command(EMR_SETPOLYFILLMODE, std::uint32_t(mode)); }
  void SetTextAlign(unsigned align) override { Command(EMR_SETTEXTALIGN, align); }
  void SaveDC() override {
    Begin(EMR_SAVEDC);
    End();
  }
  // A restored state may hold another current position.
  void RestoreDC() override {
    Command(EMR_RESTOREDC, std::uint32_t(-1));
    position_.reset();
  }
  void IntersectClipRect(const TRect& rect) override { RectRecord(EMR_INTERSECTCLIPRECT, rect); }
  void ExcludeClipRect(const TRect& rect) override { RectRecord(EMR_EXCLUDECLIPRECT, rect); }

  void Line(TPoint from, TPoint to) override {
    if (position_ != from) PointRecord(EMR_MOVETOEX, from);
    PointRecord(EMR_LINETO, to);
    position_ = to;
  }
  void Polyline(std::span<const TPoint> points) override { Poly(EMR_POLYLINE, EMR_POLYLINE16, points); }
  void Polygon(std::span<const TPoint> points) override { Poly(EMR_POLYGON, EMR_POLYGON16, points); }
  void Rectangle(const TRect& rect) override { RectRecord(EMR_RECTANGLE, rect); }
  void RoundRect(const TRect& rect, TSize corner) override {
    Begin(EMR_ROUNDRECT);
    PutRect(rect);
    out_.Put32(std::uint32_t(corner.cx));
    out_.Put32(std::uint32_t(corner.cy));
    End();
  }
  void Ellipse(const TRect& rect) override { RectRecord(EMR_ELLIPSE, rect); }

  // UTF-16 with one advance per unit: a character's advance goes to its
  // first unit, 0 to the second of a surrogate pair.
  void ExtTextOut(TPoint reference, unsigned options, const TRect* rect, std::string_view text,
                  std::span<const int> advances) override {
    const std::vector<std::size_t> starts = CodePointStarts(text);
    std::u16string units;
    std::vector<int> dx;
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
      const std::u16string piece = DecodeUtf8(text.substr(starts[i], starts[i + 1] - starts[i]));
      for (std::size_t k = 0; k < piece.size(); ++k) dx.push_back(k == 0 ? advances[i] : 0);
      units += piece;
    }
    constexpr std::uint32_t stringOffset = 76;
    const std::uint32_t stringBytes = std::uint32_t((units.size() * 2 + 3) / 4 * 4);
    Begin(EMR_EXTTEXTOUTW);
    PutRect(Rect(0, 0, -1, -1));  // bounds not computed
    out_.Put32(GM_COMPATIBLE);
    out_.PutFloat(0);
    out_.PutFloat(0);
    PutPoint(reference);
    out_.Put32(std::uint32_t(units.size()));
    out_.Put32(stringOffset);
    out_.Put32(options);
    PutRect(rect ? *rect : TRect{});
    out_.Put32(stringOffset + stringBytes);
    for (char16_t unit : units) out_.Put16(unit);
    out_.PutZeros(stringBytes - units.size() * 2);
    for (int d : dx) out_.Put32(std::uint32_t(d));
    End();
  }
  void GradientFill(std::span<const TTriVertex> vertices, std::span<const TGradientRect> rects,
                    unsigned mode) override {
    BeginGradient(vertices, std::uint32_t(rects.size()), mode);
    for (const TGradientRect& r : rects) {
      out_.Put32(r.UpperLeft);
      out_.Put32(r.LowerRight);
    }
    End();
  }
  void GradientFill(std::span<const TTriVertex> vertices, std::span<const TGradientTriangle> triangles) override {
    BeginGradient(vertices, std::uint32_t(triangles.size()), GRADIENT_FILL_TRIANGLE);
    for (const TGradientTriangle& t : triangles)
      for (unsigned v : {t.Vertex1, t.Vertex2, t.Vertex3}) out_.Put32(v);
    End();
  }

  std::vector<std::uint8_t> Finish() override {
    Begin(EMR_EOF);
    out_.Put32(0);   // no palette entries
    out_.Put32(16);  // where they would start
    out_.Put32(20);  // this record's size, for reading backwards
    End();
    out_.Set32At(48, std::uint32_t(out_.Size()));
    out_.Set32At(52, records_);
    out_.Set16At(56, std::uint16_t(handles_));
    return out_.Take();
  }

private:
  void WriteHeader() {
    Begin(EMR_HEADER);
    PutRect(Rect(0, 0, width_ - 1, height_ - 1));
    PutRect(Rect(0, 0, int(ToHimetric(width_ - 1)), int(ToHimetric(height_ - 1))));
    out_.Put32(0x464D4520);  // " EMF"
    out_.Put32(0x10000);     // version
    out_.Put32(0);           // size, at close
    out_.Put32(0);           // records, at close
    out_.Put32(0);           // handles (16 bits), at close, and 16 reserved bits
    out_.Put32(0);           // no description
    out_.Put32(0);
    out_.Put32(0);  // no palette
    PutSize(DeviceWidth, DeviceHeight);
    PutSize(DeviceWidthMm, DeviceHeightMm);
    out_.Put32(0);  // no pixel format
    out_.Put32(0);
    out_.Put32(0);  // no OpenGL
    PutSize(DeviceWidthMm * 1000, DeviceHeightMm * 1000);
    End();
  }

  void Begin(std::uint32_t type) {
    start_ = out_.Size();
    out_.Put32(type);
    out_.Put32(0);
  }
  void End() {
    out_.Set32At(start_ + 4, std::uint32_t(out_.Size() - start_));
    ++records_;
  }
  void Command(std::uint32_t type, std::uint32_t value) {
    Begin(type);
    out_.Put32(value);
    End();
  }
  void Handle(int slot) {
    out_.Put32(std::uint32_t(slot + 1));
    handles_ = std::max(handles_, slot + 2);
  }
  void PutPoint(TPoint p) {
    out_.Put32(std::uint32_t(p.X));
    out_.Put32(std::uint32_t(p.Y));
  }
  void PutSize(int cx, int cy) { PutPoint({cx, cy}); }
  void PutRect(const TRect& r) {
    PutPoint(r.TopLeft());
    PutPoint(r.BottomRight());
  }
  void PointRecord(std::uint32_t type, TPoint p) {
    Begin(type);
    PutPoint(p);
    End();
  }
  void RectRecord(std::uint32_t type, const TRect& r) {
    Begin(type);
    PutRect(r);
    End();
  }
  void Poly(std::uint32_t type, std::uint32_t type16, std::span<const TPoint> points) {
    const bool small = std::all_of(points.begin(), points.end(), Fits16);
    Begin(small ? type16 : type);
    PutRect(InclusiveBounds(points));
    out_.Put32(std::uint32_t(points.size()));
    for (TPoint p : points) {
      if (small) {
        out_.Put16(std::uint16_t(p.X));
        out_.Put16(std::uint16_t(p.Y));
      } else {
        PutPoint(p);
      }
    }
    End();
  }
  void BeginGradient(std::span<const TTriVertex> vertices, std::uint32_t count, unsigned mode) {
    TRect bounds{};
    if (!vertices.empty()) {
      std::vector<TPoint> corners;
      for (const TTriVertex& v : vertices) corners.push_back({v.x, v.y});
      bounds = InclusiveBounds(corners);
    }
    Begin(EMR_GRADIENTFILL);
    PutRect(bounds);
    out_.Put32(std::uint32_t(vertices.size()));
    out_.Put32(count);
    out_.Put32(mode);
    for (const TTriVertex& v : vertices) {
      PutPoint({v.x, v.y});
      for (std::uint16_t channel : {v.Red, v.Green, v.Blue, v.Alpha}) out_.Put16(channel);
    }
  }

  int width_;
  int height_;
  TRecordBytes out_;
  std::size_t start_ = 0;
  std::uint32_t records_ = 0;
  int handles_ = 1;
  std::optional<TPoint> position_;
};

}  // namespace

std::unique_ptr<TMetafileFormat> MakeEmfFormat(int width, int height) {
  return std::make_unique<TEmfFormat>(width, height);
}
