#include "toolkit/gdi/Icon.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <sstream>
#include <utility>
#include <vector>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/AlphaBlit.h"
#include "toolkit/gdi/BmpFormat.h"
#include "toolkit/gdi/Canvas.h"

namespace {

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

using TBytes = std::vector<std::uint8_t>;

std::uint32_t Read(const TBytes& bytes, std::size_t at, int size) {
  if (at > bytes.size() || std::size_t(size) > bytes.size() - at) InvalidIcon();
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

void Write(std::string& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out += char(value >> (8 * i) & 0xFF);
}

// One picture of an icon file, as its directory describes it.
struct TIconEntry {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 0;
  std::size_t Offset = 0;
  std::size_t Size = 0;
};

bool IsPng(const TBytes& bytes, const TIconEntry& entry) {
  static const std::uint8_t signature[] = {0x89, 'P', 'N', 'G'};
  return entry.Size >= 4 && std::memcmp(bytes.data() + entry.Offset, signature, 4) == 0;
}

// The largest picture with the most colours that is held as a bitmap.
TIconEntry ChooseEntry(const TBytes& bytes) {
  if (Read(bytes, 0, 2) != 0 || Read(bytes, 2, 2) != 1) InvalidIcon();
  const std::uint32_t count = Read(bytes, 4, 2);
  TIconEntry best;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = 6 + 16 * std::size_t(i);
    TIconEntry entry{int(Read(bytes, at, 1)), int(Read(bytes, at + 1, 1)), int(Read(bytes, at + 6, 2)),
                     Read(bytes, at + 12, 4), Read(bytes, at + 8, 4)};
    if (entry.Width == 0) entry.Width = 256;
    if (entry.Height == 0) entry.Height = 256;
    Read(bytes, entry.Offset + entry.Size - 1, 1);  // the picture lies inside the file
    if (entry.Size < 40 || IsPng(bytes, entry)) continue;
    const auto rank = [](const TIconEntry& e) { return std::pair(e.Width * e.Height, e.BitsPerPixel); };
    if (best.Size == 0 || rank(entry) > rank(best)) best = entry;
  }
  if (best.Size == 0) InvalidIcon();
  return best;
}

// Where an icon picture keeps its parts: a bitmap information header, a
// palette, the colour rows, then the AND mask rows (1 bit per pixel).
struct TIconLayout {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 0;
  std::size_t ColourRowsAt = 0;  // from the start of the picture
  std::size_t MaskRowsAt = 0;
};

TIconLayout LayoutOf(const TBytes& bytes, const TIconEntry& entry) {
  const std::size_t at = entry.Offset;
  const std::uint32_t headerSize = Read(bytes, at, 4);
  if (headerSize < 40 || headerSize > entry.Size) InvalidIcon();
  TIconLayout layout;
  layout.Width = int(Read(bytes, at + 4, 4));
  layout.Height = int(Read(bytes, at + 8, 4)) / 2;  // the header counts the mask rows too
  layout.BitsPerPixel = int(Read(bytes, at + 14, 2));
  if (layout.Width <= 0 || layout.Height <= 0 || layout.Width > 256 || layout.Height > 256) InvalidIcon();
  const std::uint32_t colorsUsed = Read(bytes, at + 32, 4);
  const int bits = layout.BitsPerPixel;
  const std::uint32_t capacity = bits <= 8 ? 1u << bits : 0;
  const std::size_t paletteSize = 4 * std::size_t(colorsUsed && colorsUsed < capacity ? colorsUsed : capacity);
  layout.ColourRowsAt = headerSize + paletteSize;
  layout.MaskRowsAt = layout.ColourRowsAt + std::size_t((layout.Width * bits + 31) / 32 * 4) * layout.Height;
  return layout;
}

// The picture's header, palette and colour rows as a BMP file.
std::string ColourRowsAsBmp(const TBytes& bytes, const TIconEntry& entry, const TIconLayout& layout) {
  std::string bmp = "BM";
  Write(bmp, std::uint32_t(14 + entry.Size), 4);
  Write(bmp, 0, 4);
  Write(bmp, std::uint32_t(14 + layout.ColourRowsAt), 4);
  bmp.append(reinterpret_cast<const char*>(bytes.data() + entry.Offset), entry.Size);
  std::string height;
  Write(height, std::uint32_t(layout.Height), 4);
  bmp.replace(14 + 8, 4, height);
  return bmp;
}

bool HasAlpha(const TGdiBitmap& image) {
  if (image.Format() != pf32bit) return false;
  std::vector<std::uint32_t> row(std::size_t(image.Width()));
  for (int y = 0; y < image.Height(); ++y) {
    image.FetchRow(y, 0, image.Width(), row.data());
    for (std::uint32_t p : row)
      if (p >> 24 != 0) return true;
  }
  return false;
}

// The picture's colour bitmap as stored, and its AND mask (bit 1: transparent).
ICONINFO ReadIconPicture(const TBytes& bytes, const TIconEntry& entry) {
  const TIconLayout layout = LayoutOf(bytes, entry);
  std::istringstream bmp(ColourRowsAsBmp(bytes, entry, layout));
  CountedPtr<TGdiBitmap> colour = ReadBmp(bmp);
  const int width = layout.Width, height = layout.Height;
  CountedPtr<TGdiBitmap> mask(new TGdiBitmap(width, height, pf1bit));
  const std::size_t maskStride = std::size_t((width + 31) / 32 * 4);
  const std::size_t maskBytes = std::size_t((width + 7) / 8);
  for (int y = 0; y < height; ++y) {
    const std::size_t maskRow = entry.Offset + layout.MaskRowsAt + maskStride * std::size_t(height - 1 - y);
    Read(bytes, maskRow + maskBytes - 1, 1);  // the row lies inside the file
    std::memcpy(mask->ScanLine(y), bytes.data() + maskRow, maskBytes);
  }
  // Handles hold a reference of their own.
  colour->AddRef();
  mask->AddRef();
  ICONINFO info;
  info.hbmColor = colour.get();
  info.hbmMask = mask.get();
  return info;
}

// The icon's picture with its alpha: the colour's own alpha bytes when it
// has any, else opaque where the mask is black.
CountedPtr<TGdiBitmap> ComposeImage(const TGdiBitmap& colour, const TGdiBitmap& mask) {
  CountedPtr<TGdiBitmap> image(colour.Clone().release());
  if (image->Format() != pf32bit) image->Convert(pf32bit);
  if (HasAlpha(colour)) return image;
  std::vector<std::uint32_t> row(static_cast<std::size_t>(image->Width()));
  for (int y = 0; y < image->Height(); ++y) {
    image->FetchRow(y, 0, image->Width(), row.data());
    const std::uint8_t* bits = mask.ScanLine(y);
    for (int x = 0; x < image->Width(); ++x)
      row[x] = bits[x / 8] >> (7 - x % 8) & 1 ? 0 : row[x] | 0xFF000000u;
    image->StoreRow(y, 0, image->Width(), row.data());
  }
  return image;
}

// Scaled by the pixel nearest each target pixel's centre, as the raster copies scale.
CountedPtr<TGdiBitmap> ScaledImage(const TGdiBitmap& image, int width, int height) {
  const auto nearest = [](int i, int target, int source) {
    return int((2 * std::int64_t(i) + 1) * source / (2 * std::int64_t(target)));
  };
  CountedPtr<TGdiBitmap> scaled(new TGdiBitmap(width, height, pf32bit));
  std::vector<std::uint32_t> source(std::size_t(image.Width()));
  std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
  for (int y = 0; y < height; ++y) {
    image.FetchRow(nearest(y, height, image.Height()), 0, image.Width(), source.data());
    for (int x = 0; x < width; ++x) row[x] = source[std::size_t(nearest(x, width, image.Width()))];
    scaled->StoreRow(y, 0, width, row.data());
  }
  return scaled;
}

}  // namespace

TGdiIcon::TGdiIcon(const TGdiBitmap& colour, const TGdiBitmap* mask) : colour_(colour.Clone().release()) {
  const bool fits = mask && mask->Width() == colour.Width() && mask->Height() == colour.Height();
  mask_ = CountedPtr<TGdiBitmap>(fits ? mask->Clone().release() : new TGdiBitmap(colour.Width(), colour.Height(), pf1bit));
  if (mask_->Format() != pf1bit) mask_->Convert(pf1bit);
  image_ = ComposeImage(*colour_, *mask_);
}

HICON CreateIconFromImage(const TGdiBitmap& image) {
  TGdiBitmap mask(image.Width(), image.Height(), pf1bit);
  std::vector<std::uint32_t> row(std::size_t(image.Width()));
  for (int y = 0; y < image.Height(); ++y) {
    image.FetchRow(y, 0, image.Width(), row.data());
    for (int x = 0; x < image.Width(); ++x)
      if (row[x] >> 24 == 0) mask.ScanLine(y)[x / 8] |= std::uint8_t(0x80 >> x % 8);
  }
  return new TGdiIcon(image, &mask);
}

HICON CreateIconIndirect(const ICONINFO& info) {
  if (!info.hbmColor) return nullptr;
  return new TGdiIcon(*info.hbmColor, info.hbmMask);
}

bool GetIconInfo(HICON icon, ICONINFO* info) {
  if (!icon || !info) return false;
  *info = ICONINFO{};
  info->hbmColor = icon->Colour().Clone().release();
  info->hbmColor->AddRef();
  info->hbmMask = icon->Mask().Clone().release();
  info->hbmMask->AddRef();
  return true;
}

bool DestroyIcon(HICON icon) {
  if (!icon || IsStockIcon(icon)) return false;
  delete icon;
  return true;
}

bool DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, unsigned, HBRUSH, unsigned) {
  if (!icon) return false;
  const TGdiBitmap& image = icon->Image();
  if (width <= 0) width = image.Width();
  if (height <= 0) height = image.Height();
  if (image.IsEmpty()) return true;
  const auto same = [](std::uint32_t p) { return p; };
  if (width == image.Width() && height == image.Height())
    AlphaBlit(dc, x, y, image, width, height, same);
  else
    AlphaBlit(dc, x, y, *ScaledImage(image, width, height), width, height, same);
  return true;
}

TIcon::~TIcon() { DestroyIcon(handle_); }

void TIcon::SetHandle(HICON handle) {
  if (handle == handle_) return;
  DestroyIcon(std::exchange(handle_, handle));
}

bool TIcon::Empty() const { return !handle_ || handle_->Image().IsEmpty(); }

int TIcon::Width() const { return handle_ ? handle_->Image().Width() : 0; }

int TIcon::Height() const { return handle_ ? handle_->Image().Height() : 0; }

void TIcon::LoadFromStream(std::istream& stream) {
  const TBytes bytes(std::istreambuf_iterator<char>(stream), {});
  const ICONINFO info = ReadIconPicture(bytes, ChooseEntry(bytes));
  SetHandle(CreateIconIndirect(info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

void TIcon::Assign(const TGraphic& source) {
  const auto* icon = dynamic_cast<const TIcon*>(&source);
  if (!icon) CannotAssign(source);
  if (icon != this) SetHandle(icon->Empty() ? nullptr : new TGdiIcon(icon->handle_->Colour(), &icon->handle_->Mask()));
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect) const {
  if (Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
  DrawIconEx(canvas.Handle(), rect.Left, rect.Top, handle_, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
}
