#include "tests/toolkit/MetafileReplay.h"

#include <map>
#include <string>

#include <gtest/gtest.h>

#include "runtime/Utf16.h"
#include "runtime/Windows1252.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

std::int32_t Int32At(const TBytes& b, std::size_t at) { return std::int32_t(Word32At(b, at)); }
std::int16_t Int16At(const TBytes& b, std::size_t at) { return std::int16_t(Word16At(b, at)); }

TRect RectAt32(const TBytes& b, std::size_t at) {
  return Rect(Int32At(b, at), Int32At(b, at + 4), Int32At(b, at + 8), Int32At(b, at + 12));
}

HBRUSH MakeBrush(int style, TColor color, int hatch) {
  if (style == BS_NULL) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (style == BS_HATCHED) return CreateHatchBrush(hatch, color);
  return CreateSolidBrush(color);
}

// UTF-16 units with an advance each, as UTF-8 with one advance per code point.
void PlayText(HDC dc, TPoint at, unsigned options, const TRect& rect, const std::u16string& units,
              const std::vector<int>& dx) {
  std::string text;
  std::vector<int> advances;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool pair = units[i] >= 0xD800 && units[i] < 0xDC00 && i + 1 < units.size();
    text += EncodeUtf8(units.substr(i, pair ? 2 : 1));
    advances.push_back(dx[i] + (pair ? dx[i + 1] : 0));
    if (pair) ++i;
  }
  const bool withRect = options & (ETO_OPAQUE | ETO_CLIPPED);
  ExtTextOut(dc, at.X, at.Y, options, withRect ? &rect : nullptr, text, advances.data());
}

// A bottom-up, uncompressed 24-bit DIB at offset, drawn at dest.
void PlayDib(HDC dc, const TBytes& b, std::size_t at, const TRect& dest) {
  const int width = Int32At(b, at + 4), height = Int32At(b, at + 8);
  EXPECT_EQ(24, Word16At(b, at + 14)) << "DIB bits per pixel";
  auto* bitmap = new TGdiBitmap(width, height, pf24bit);
  bitmap->AddRef();
  const std::size_t rowBytes = std::size_t((width * 3 + 3) / 4 * 4);
  for (int y = 0; y < height; ++y) {
    const std::size_t row = at + 40 + std::size_t(height - 1 - y) * rowBytes;
    for (int x = 0; x < width; ++x)
      bitmap->SetPixel(x, y, RGB(b[row + 3 * std::size_t(x) + 2], b[row + 3 * std::size_t(x) + 1], b[row + 3 * std::size_t(x)]));
  }
  HDC source = CreateCompatibleDC(dc);
  SelectObject(source, bitmap);
  StretchBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), source, 0, 0, width, height, SRCCOPY);
  DeleteDC(source);
  DeleteObject(bitmap);
}

class TObjectTable {
public:
  ~TObjectTable() {
    for (auto& [slot, object] : objects_) DeleteObject(object);
  }
  void Put(std::uint32_t slot, HGDIOBJ object) {
    if (objects_.count(slot)) DeleteObject(objects_[slot]);
    objects_[slot] = object;
  }
  // The lowest free slot, as a Windows metafile's reader fills them.
  void PutFirstFree(HGDIOBJ object) {
    std::uint32_t slot = 0;
    while (objects_.count(slot)) ++slot;
    objects_[slot] = object;
  }
  void Select(HDC dc, std::uint32_t slot) {
    if (objects_.count(slot)) SelectObject(dc, objects_[slot]);
    else ADD_FAILURE() << "selects empty slot " << slot;
  }
  void Delete(std::uint32_t slot) {
    if (!objects_.count(slot)) return void(ADD_FAILURE() << "deletes empty slot " << slot);
    DeleteObject(objects_[slot]);
    objects_.erase(slot);
  }

private:
  std::map<std::uint32_t, HGDIOBJ> objects_;
};

TLogFont FontAt(const TBytes& b, std::size_t at, bool wide) {
  TLogFont font;
  const int step = wide ? 4 : 2;
  auto field = [&](int i) { return wide ? Int32At(b, at + std::size_t(i * step)) : Int16At(b, at + std::size_t(i * step)); };
  font.lfHeight = field(0);
  font.lfWidth = field(1);
  font.lfEscapement = field(2);
  font.lfOrientation = field(3);
  font.lfWeight = field(4);
  const std::size_t bytes = at + std::size_t(5 * step);
  font.lfItalic = b[bytes];
  font.lfUnderline = b[bytes + 1];
  font.lfStrikeOut = b[bytes + 2];
  font.lfCharSet = b[bytes + 3];
  font.lfPitchAndFamily = b[bytes + 7];
  const std::size_t face = bytes + 8;
  if (wide) {
    std::u16string name;
    for (std::size_t i = 0; i < 32 && Word16At(b, face + 2 * i); ++i) name += char16_t(Word16At(b, face + 2 * i));
    font.lfFaceName = EncodeUtf8(name);
  } else {
    for (std::size_t i = face; i < b.size() && b[i]; ++i) font.lfFaceName += char(b[i]);
  }
  return font;
}

}  // namespace

std::uint32_t Word32At(const TBytes& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}

std::uint16_t Word16At(const TBytes& b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }

TRecordWalk WalkEmf(const TBytes& b) {
  TRecordWalk walk;
  std::size_t at = 0;
  while (at + 8 <= b.size()) {
    const std::uint32_t type = Word32At(b, at), size = Word32At(b, at + 4);
    if (size < 8 || size % 4 != 0 || at + size > b.size()) {
      walk.Error = "record at " + std::to_string(at) + " of size " + std::to_string(size);
      return walk;
    }
    walk.Records.push_back({type, at, size});
    at += size;
    if (type == 14) return walk;  // EMR_EOF
  }
  walk.Error = "no end record";
  return walk;
}

TRecordWalk WalkWmf(const TBytes& b) {
  TRecordWalk walk;
  std::size_t at = 22 + 18;
  while (at + 6 <= b.size()) {
    const std::size_t size = std::size_t(Word32At(b, at)) * 2;
    const std::uint16_t function = Word16At(b, at + 4);
    if (size < 6 || at + size > b.size()) {
      walk.Error = "record at " + std::to_string(at) + " of size " + std::to_string(size);
      return walk;
    }
    walk.Records.push_back({function, at, size});
    at += size;
    if (function == 0) return walk;  // META_EOF
  }
  walk.Error = "no end record";
  return walk;
}

std::vector<std::uint32_t> PlayEmf(const TBytes& b, HDC dc) {
  std::vector<std::uint32_t> unknown;
  TObjectTable objects;
  for (const TMetafileRecord& r : WalkEmf(b).Records) {
    const std::size_t p = r.Offset + 8;  // parameters
    switch (r.Type) {
      case 1:   // EMR_HEADER
      case 14:  // EMR_EOF
        break;
      case 3:  // EMR_POLYGON
      case 4:  // EMR_POLYLINE
      case 86:  // EMR_POLYGON16
      case 87: {  // EMR_POLYLINE16
        const bool small = r.Type >= 86;
        std::vector<TPoint> points(Word32At(b, p + 16));
        for (std::size_t i = 0; i < points.size(); ++i)
          points[i] = small ? TPoint{Int16At(b, p + 20 + 4 * i), Int16At(b, p + 22 + 4 * i)}
                            : TPoint{Int32At(b, p + 20 + 8 * i), Int32At(b, p + 24 + 8 * i)};
        if (r.Type == 3 || r.Type == 86) Polygon(dc, points.data(), int(points.size()));
        else Polyline(dc, points.data(), int(points.size()));
        break;
      }
      case 18: SetBkMode(dc, Int32At(b, p)); break;
      case 19: SetPolyFillMode(dc, Int32At(b, p)); break;
      case 20: SetROP2(dc, Int32At(b, p)); break;
      case 22: SetTextAlign(dc, Word32At(b, p)); break;
      case 24: SetTextColor(dc, Word32At(b, p)); break;
      case 25: SetBkColor(dc, Word32At(b, p)); break;
      case 27: MoveToEx(dc, Int32At(b, p), Int32At(b, p + 4), nullptr); break;
      case 29: {
        const TRect c = RectAt32(b, p);
        ExcludeClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
        break;
      }
      case 30: {
        const TRect c = RectAt32(b, p);
        IntersectClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
        break;
      }
      case 33: SaveDC(dc); break;
      case 34: RestoreDC(dc, Int32At(b, p)); break;
      case 37: objects.Select(dc, Word32At(b, p)); break;
      case 38:
        objects.Put(Word32At(b, p), CreatePen(Int32At(b, p + 4), Int32At(b, p + 8), Word32At(b, p + 16)));
        break;
      case 39:
        objects.Put(Word32At(b, p), MakeBrush(Int32At(b, p + 4), Word32At(b, p + 8), Int32At(b, p + 12)));
        break;
      case 40: objects.Delete(Word32At(b, p)); break;
      case 42: {
        const TRect e = RectAt32(b, p);
        Ellipse(dc, e.Left, e.Top, e.Right, e.Bottom);
        break;
      }
      case 43: {
        const TRect e = RectAt32(b, p);
        Rectangle(dc, e.Left, e.Top, e.Right, e.Bottom);
        break;
      }
      case 44: {
        const TRect e = RectAt32(b, p);
        RoundRect(dc, e.Left, e.Top, e.Right, e.Bottom, Int32At(b, p + 16), Int32At(b, p + 20));
        break;
      }
      case 54: LineTo(dc, Int32At(b, p), Int32At(b, p + 4)); break;
      case 82: objects.Put(Word32At(b, p), CreateFontIndirect(FontAt(b, p + 4, true))); break;
      case 84: {  // EMR_EXTTEXTOUTW: the text part starts after bounds, mode and scales
        const std::size_t text = p + 28;
        const std::uint32_t count = Word32At(b, text + 8);
        const std::size_t string = r.Offset + Word32At(b, text + 12);
        const std::size_t dx = r.Offset + Word32At(b, text + 36);
        std::u16string units;
        std::vector<int> advances;
        for (std::size_t i = 0; i < count; ++i) {
          units += char16_t(Word16At(b, string + 2 * i));
          advances.push_back(Int32At(b, dx + 4 * i));
        }
        PlayText(dc, {Int32At(b, text), Int32At(b, text + 4)}, Word32At(b, text + 16), RectAt32(b, text + 20), units,
                 advances);
        break;
      }
      case 118: {  // EMR_GRADIENTFILL
        const std::uint32_t vertexCount = Word32At(b, p + 16), count = Word32At(b, p + 20), mode = Word32At(b, p + 24);
        std::vector<TTriVertex> vertices(vertexCount);
        for (std::size_t i = 0; i < vertexCount; ++i) {
          const std::size_t v = p + 28 + 16 * i;
          vertices[i] = {Int32At(b, v), Int32At(b, v + 4), Word16At(b, v + 8), Word16At(b, v + 10), Word16At(b, v + 12),
                         Word16At(b, v + 14)};
        }
        const std::size_t parts = p + 28 + 16 * std::size_t(vertexCount);
        if (mode == GRADIENT_FILL_TRIANGLE) {
          std::vector<TGradientTriangle> triangles(count);
          for (std::size_t i = 0; i < count; ++i)
            triangles[i] = {Word32At(b, parts + 12 * i), Word32At(b, parts + 12 * i + 4), Word32At(b, parts + 12 * i + 8)};
          GradientFill(dc, vertices.data(), vertexCount, triangles.data(), count, mode);
        } else {
          std::vector<TGradientRect> rects(count);
          for (std::size_t i = 0; i < count; ++i) rects[i] = {Word32At(b, parts + 8 * i), Word32At(b, parts + 8 * i + 4)};
          GradientFill(dc, vertices.data(), vertexCount, rects.data(), count, mode);
        }
        break;
      }
      default: unknown.push_back(r.Type);
    }
  }
  return unknown;
}

std::vector<std::uint32_t> PlayWmf(const TBytes& b, HDC dc) {
  std::vector<std::uint32_t> unknown;
  TObjectTable objects;
  for (const TMetafileRecord& r : WalkWmf(b).Records) {
    const std::size_t p = r.Offset + 6;
    auto word = [&](int i) { return Int16At(b, p + 2 * std::size_t(i)); };
    switch (r.Type) {
      case 0x0000: break;  // META_EOF
      case 0x020B:         // META_SETWINDOWORG
        EXPECT_TRUE(word(0) == 0 && word(1) == 0) << "window origin";
        break;
      case 0x020C: break;  // META_SETWINDOWEXT: one unit a pixel, as the placeable box says
      case 0x001E: SaveDC(dc); break;
      case 0x0127: RestoreDC(dc, word(0)); break;
      case 0x0102: SetBkMode(dc, word(0)); break;
      case 0x0104: SetROP2(dc, word(0)); break;
      case 0x0106: SetPolyFillMode(dc, word(0)); break;
      case 0x012E: SetTextAlign(dc, std::uint16_t(word(0))); break;
      case 0x0201: SetBkColor(dc, Word32At(b, p)); break;
      case 0x0209: SetTextColor(dc, Word32At(b, p)); break;
      case 0x012D: objects.Select(dc, std::uint16_t(word(0))); break;
      case 0x01F0: objects.Delete(std::uint16_t(word(0))); break;
      case 0x02FA: objects.PutFirstFree(CreatePen(word(0), word(1), Word32At(b, p + 6))); break;
      case 0x02FC: objects.PutFirstFree(MakeBrush(word(0), Word32At(b, p + 2), Word16At(b, p + 6))); break;
      case 0x02FB: objects.PutFirstFree(CreateFontIndirect(FontAt(b, p, false))); break;
      case 0x0214: MoveToEx(dc, word(1), word(0), nullptr); break;
      case 0x0213: LineTo(dc, word(1), word(0)); break;
      case 0x0415: ExcludeClipRect(dc, word(3), word(2), word(1), word(0)); break;
      case 0x0416: IntersectClipRect(dc, word(3), word(2), word(1), word(0)); break;
      case 0x041B: Rectangle(dc, word(3), word(2), word(1), word(0)); break;
      case 0x0418: Ellipse(dc, word(3), word(2), word(1), word(0)); break;
      case 0x061C: RoundRect(dc, word(5), word(4), word(3), word(2), word(1), word(0)); break;
      case 0x0324:
      case 0x0325: {
        std::vector<TPoint> points(std::size_t(word(0)));
        for (std::size_t i = 0; i < points.size(); ++i) points[i] = {word(1 + 2 * int(i)), word(2 + 2 * int(i))};
        if (r.Type == 0x0324) Polygon(dc, points.data(), int(points.size()));
        else Polyline(dc, points.data(), int(points.size()));
        break;
      }
      case 0x0A32: {  // META_EXTTEXTOUT
        const int length = word(2);
        const unsigned options = std::uint16_t(word(3));
        const bool withRect = options & (ETO_OPAQUE | ETO_CLIPPED);
        const TRect rect = withRect ? Rect(word(4), word(5), word(6), word(7)) : TRect{};
        const std::size_t string = p + (withRect ? 16 : 8);
        std::u16string units;
        std::vector<int> advances;
        const std::size_t dx = string + std::size_t((length + 1) / 2 * 2);
        for (int i = 0; i < length; ++i) {
          units += char16_t(CodePointOfWindows1252(b[string + std::size_t(i)]).value_or(U'?'));
          advances.push_back(Int16At(b, dx + 2 * std::size_t(i)));
        }
        PlayText(dc, {word(1), word(0)}, options, rect, units, advances);
        break;
      }
      case 0x0F43: {  // META_STRETCHDIB: operation, colour use, source and destination, the DIB
        const TRect dest = Bounds(word(10), word(9), word(8), word(7));
        PlayDib(dc, b, p + 22, dest);
        break;
      }
      default: unknown.push_back(r.Type);
    }
  }
  return unknown;
}

void PlayOnWhite(const TBytes& bytes, TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
  HDC dc = canvas.Handle();
  const int saved = SaveDC(dc);
  const bool emf = bytes.size() > 44 && Word32At(bytes, 40) == 0x464D4520;
  const std::vector<std::uint32_t> unknown = emf ? PlayEmf(bytes, dc) : PlayWmf(bytes, dc);
  RestoreDC(dc, saved);
  canvas.SetHandle(dc);  // the canvas selects its own objects again
  for (std::uint32_t type : unknown) ADD_FAILURE() << "unknown record " << type;
}
