#include "treeview/TreeRoutines.h"

#include <algorithm>
#include <functional>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/GdiObject.h"

TBaseDataTree* TreeOfNode(PDataNode node) {
  QASSERT(node != nullptr, "Node must not be nil.");
  while (node->NextSibling != node) node = node->Parent;
  return reinterpret_cast<TBaseDataTree*>(node->Parent);
}

TAlignment Mirrored(TAlignment alignment) {
  switch (alignment) {
    case taLeftJustify: return taRightJustify;
    case taRightJustify: return taLeftJustify;
    case taCenter: return taCenter;
  }
  return alignment;
}

TRect NormalizeRect(const TRect& r) {
  return Rect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
              std::max(r.Top, r.Bottom));
}

void NarrowTo(TRect& r, int width, TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: r.Left = r.Right - width; break;
    case taCenter:
      r.Left = (r.Left + r.Right - width) / 2;
      r.Right = r.Left + width;
      break;
    case taLeftJustify: r.Right = r.Left + width; break;
  }
}

void SortNodeArray(TNodeArray& nodes, int low, int high) {
  if (low >= high) return;
  std::sort(nodes.begin() + low, nodes.begin() + high + 1, std::less<PDataNode>());
}

uint32_t ColorToRgbValue(TColor color) {
  if (color == clNone) return 0xFFFFFFFF;
  if (color == clDefault) return 0xFF000000;
  return ColorToRGB(color);
}

namespace {

constexpr std::string_view Ellipsis = "...";

int TextWidthIn(HDC dc, std::string_view text) {
  TSize size;
  GetTextExtentPoint32(dc, text, &size);
  return size.cx;
}

// The 32-bit pixels of the bitmap selected into the device context.
TGdiBitmap& BitsOfDeviceContext(HDC dc) {
  auto* bitmap = static_cast<TGdiBitmap*>(GetCurrentObject(dc, OBJ_BITMAP));
  QASSERT(bitmap != nullptr, "Alpha blending DC error: no bitmap available.");
  QASSERT(bitmap->BitsPerPixel() == 32, "Alpha blending error: bitmap must use 32 bpp.");
  return *bitmap;
}

uint8_t BlendChannel(int source, int destination, int alpha, int bias) {
  const int blended = (256 * destination + alpha * (source - destination)) / 256;
  const int biased = std::clamp(blended - 128 + bias, -32768, 32767) + 128;
  return static_cast<uint8_t>(std::clamp(biased, 0, 255));
}

// The code point whose UTF-8 sequence starts at the byte (a stray byte stands for itself).
char32_t CodePointAt(std::string_view text, std::size_t start) {
  const auto lead = static_cast<unsigned char>(text[start]);
  const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (length == 1 || start + length > text.size()) return lead;
  char32_t value = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) value = (value << 6) | (static_cast<unsigned char>(text[start + i]) & 0x3F);
  return value;
}

// Marks, joiners, variation selectors, skin tones and tags belong to the character before them.
bool ExtendsCharacter(char32_t c) {
  return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
         (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F) || (c >= 0xFE00 && c <= 0xFE0F) ||
         c == 0x200D || (c >= 0x1F3FB && c <= 0x1F3FF) || (c >= 0xE0020 && c <= 0xE007F) ||
         (c >= 0xE0100 && c <= 0xE01EF);
}

// Where the characters as a reader sees them begin, and the end: a base
// with its marks, or an emoji sequence joined by ZWJ, is one character.
std::vector<std::size_t> CharacterStarts(std::string_view text) {
  const std::vector<std::size_t> codePoints = CodePointStarts(text);
  std::vector<std::size_t> starts;
  bool joined = false;
  for (std::size_t i = 0; i + 1 < codePoints.size(); ++i) {
    const char32_t c = CodePointAt(text, codePoints[i]);
    if (starts.empty() || !(joined || ExtendsCharacter(c))) starts.push_back(codePoints[i]);
    joined = c == 0x200D;
  }
  starts.push_back(text.size());
  return starts;
}

}  // namespace

std::string ElideText(HDC dc, std::string_view text, int width, int ellipsisWidth) {
  if (text.empty() || width <= 0) return "";
  if (ellipsisWidth == 0) ellipsisWidth = TextWidthIn(dc, Ellipsis);
  if (ellipsisWidth >= width) return "";
  const std::vector<std::size_t> starts = CharacterStarts(text);
  const int characters = static_cast<int>(starts.size()) - 1;
  int low = 0;
  int high = characters - 1;
  while (low < high) {
    const int middle = (low + high + 1) / 2;
    if (TextWidthIn(dc, text.substr(0, starts[static_cast<size_t>(middle)])) + ellipsisWidth <= width)
      low = middle;
    else
      high = middle - 1;
  }
  return std::string(text.substr(0, starts[static_cast<size_t>(low)])) + std::string(Ellipsis);
}

void BlendRect(HDC source, HDC destination, const TRect& r, TPoint target, int mode, int constantAlpha, int bias) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  TGdiBitmap& to = BitsOfDeviceContext(destination);
  if (mode == 3) {
    const int colour[3] = {(bias >> 16) & 0xFF, (bias >> 8) & 0xFF, bias & 0xFF};
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, to.Height()); ++y) {
      uint8_t* row = to.ScanLine(y);
      for (int x = std::max(r.Left, 0); x < std::min(r.Right, to.Width()); ++x)
        for (int channel = 0; channel < 3; ++channel) {
          uint8_t& value = row[x * 4 + channel];
          value = static_cast<uint8_t>((constantAlpha * colour[channel] + (256 - constantAlpha) * value) / 256);
        }
    }
    return;
  }
  TGdiBitmap& from = BitsOfDeviceContext(source);
  for (int dy = 0; dy < r.Height(); ++dy) {
    const int sourceY = r.Top + dy;
    const int targetY = target.Y + dy;
    if (sourceY < 0 || sourceY >= from.Height() || targetY < 0 || targetY >= to.Height()) continue;
    const uint8_t* in = from.ScanLine(sourceY);
    uint8_t* out = to.ScanLine(targetY);
    for (int dx = 0; dx < r.Width(); ++dx) {
      const int sourceX = r.Left + dx;
      const int targetX = target.X + dx;
      if (sourceX < 0 || sourceX >= from.Width() || targetX < 0 || targetX >= to.Width()) continue;
      const uint8_t* pixel = in + sourceX * 4;
      const int alpha = mode == 0 ? constantAlpha : mode == 1 ? pixel[3] : constantAlpha * pixel[3] / 256;
      for (int channel = 0; channel < 4; ++channel)
        out[targetX * 4 + channel] = BlendChannel(pixel[channel], out[targetX * 4 + channel], alpha, bias);
    }
  }
}

TDragRectangles ComputeDragRectangles(int dragWidth, int dragHeight, int deltaX, int deltaY) {
  TDragRectangles result;
  result.Clip = Rect(0, 0, dragWidth, dragHeight);
  IntersectRect(result.Scroll, result.Clip, Rect(-deltaX, -deltaY, dragWidth - deltaX, dragHeight - deltaY));
  // Moving left (positive delta) uncovers columns on the left, moving right on the right.
  const int coveredLeft = deltaX > 0 ? deltaX : 0;
  const int coveredRight = deltaX < 0 ? dragWidth + deltaX : dragWidth;
  if (deltaX > 0) result.Draw1 = Rect(0, 0, deltaX, dragHeight);
  if (deltaX < 0) result.Draw1 = Rect(dragWidth + deltaX, 0, dragWidth, dragHeight);
  if (deltaY > 0) result.Draw2 = Rect(coveredLeft, 0, coveredRight, deltaY);
  if (deltaY < 0) result.Draw2 = Rect(coveredLeft, dragHeight + deltaY, coveredRight, dragHeight);
  result.Sample1 = result.Draw1;
  result.Sample2 = result.Draw2;
  OffsetRect(result.Sample1, -deltaX, -deltaY);
  OffsetRect(result.Sample2, -deltaX, -deltaY);
  return result;
}
