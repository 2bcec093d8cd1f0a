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

TRect NormalizeRect(const TRect& r) {
  return Rect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
              std::max(r.Top, r.Bottom));
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

}  // namespace

std::string ElideText(HDC dc, std::string_view text, int width, int ellipsisWidth) {
  if (text.empty() || width <= 0) return "";
  if (ellipsisWidth == 0) ellipsisWidth = TextWidthIn(dc, Ellipsis);
  if (ellipsisWidth >= width) return "";
  const std::vector<std::size_t> starts = CodePointStarts(text);
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
