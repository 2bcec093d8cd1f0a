#include "toolkit/gdi/ImageList.h"

#include <algorithm>
#include <utility>

#include "toolkit/gdi/AlphaBlit.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiObject.h"

namespace {

std::uint32_t Channel(std::uint32_t pixel, int shift) { return pixel >> shift & 0xFF; }

// Light grey of the pixel's brightness, for disabled images.
std::uint32_t Greyed(std::uint32_t pixel) {
  const std::uint32_t luminance = (Channel(pixel, 16) * 30 + Channel(pixel, 8) * 59 + Channel(pixel, 0) * 11) / 100;
  const std::uint32_t grey = 128 + luminance / 2;
  return (pixel & 0xFF000000u) | grey << 16 | grey << 8 | grey;
}

// Halfway from the pixel's colour to the blend colour (0x00RRGGBB); its alpha stays.
std::uint32_t Blended(std::uint32_t pixel, std::uint32_t blend) {
  std::uint32_t result = pixel & 0xFF000000u;
  for (int shift : {0, 8, 16}) result |= (Channel(pixel, shift) + Channel(blend, shift) + 1) / 2 << shift;
  return result;
}

bool HasAlpha(const TBitmap& image) {
  if (image.PixelFormat() != pf32bit) return false;
  for (int y = 0; y < image.Height(); ++y) {
    const auto* row = static_cast<const std::uint32_t*>(image.ScanLine(y));
    if (std::any_of(row, row + image.Width(), [](std::uint32_t p) { return p >> 24 != 0; })) return true;
  }
  return false;
}

// A colour of the toolkit as the store keeps it, and back.
COLORREF ToColorRef(TColor color) {
  if (color == clNone) return CLR_NONE;
  if (color == clDefault) return CLR_DEFAULT;
  return ColorToRGB(color);
}

TColor FromColorRef(COLORREF color) {
  if (color == CLR_NONE) return clNone;
  if (color == CLR_DEFAULT) return clDefault;
  return color;
}

bool ValidIndex(HIMAGELIST list, int index) { return list && index >= 0 && index < int(list->Images.size()); }

}  // namespace

HIMAGELIST ImageList_Create(int width, int height, unsigned flags, int, int grow) {
  if (width < 1 || height < 1) return nullptr;
  return new TGdiImageList{width, height, flags, grow, CLR_NONE, {}};
}

bool ImageList_Destroy(HIMAGELIST list) {
  if (!list) return false;
  delete list;
  return true;
}

int ImageList_GetImageCount(HIMAGELIST list) { return list ? int(list->Images.size()) : 0; }

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
  if (!list || !icon || (index != -1 && !ValidIndex(list, index))) return -1;
  const TGdiBitmap& picture = icon->Image();
  CountedPtr<TGdiBitmap> image(new TGdiBitmap(list->Width, list->Height, pf32bit));
  const int width = std::min(list->Width, picture.Width());
  std::vector<std::uint32_t> row(static_cast<std::size_t>(std::max(width, 0)));
  for (int y = 0; y < std::min(list->Height, picture.Height()); ++y) {
    picture.FetchRow(y, 0, width, row.data());
    image->StoreRow(y, 0, width, row.data());
  }
  if (index == -1) {
    list->Images.push_back(std::move(image));
    return int(list->Images.size()) - 1;
  }
  list->Images[std::size_t(index)] = std::move(image);
  return index;
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, unsigned) {
  if (!ValidIndex(list, index)) return nullptr;
  return CreateIconFromImage(*list->Images[std::size_t(index)]);
}

bool ImageList_GetIconSize(HIMAGELIST list, int* width, int* height) {
  if (!list || !width || !height) return false;
  *width = list->Width;
  *height = list->Height;
  return true;
}

bool ImageList_SetIconSize(HIMAGELIST list, int width, int height) {
  if (!list || width < 1 || height < 1) return false;
  list->Width = width;
  list->Height = height;
  list->Images.clear();
  return true;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color) {
  if (!list) return CLR_NONE;
  return std::exchange(list->BkColor, color);
}

COLORREF ImageList_GetBkColor(HIMAGELIST list) { return list ? list->BkColor : CLR_NONE; }

bool ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, unsigned style) {
  if (!ValidIndex(list, index) || !dc) return false;
  if (list->BkColor != CLR_NONE && list->BkColor != CLR_DEFAULT && !(style & ILD_TRANSPARENT)) {
    const HBRUSH brush = CreateSolidBrush(static_cast<TColor>(list->BkColor));
    FillRect(dc, Bounds(x, y, list->Width, list->Height), brush);
    DeleteObject(brush);
  }
  AlphaBlit(dc, x, y, *list->Images[std::size_t(index)], list->Width, list->Height,
            [](std::uint32_t pixel) { return pixel; });
  return true;
}

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Attach(TImageList* images) {
  if (sender_) sender_->UnRegisterChanges(this);
  if (images) images->RegisterChanges(this);
}

TImageList::TImageList(int width, int height) : width_(std::max(width, 1)), height_(std::max(height, 1)) {}

TImageList::~TImageList() {
  ReleaseHandle();
  // A link's OnFree may register it elsewhere: work on a copy of the list.
  const std::vector<TChangeLink*> links = std::move(links_);
  links_.clear();
  for (TChangeLink* link : links) link->sender_ = nullptr;
  for (TChangeLink* link : links)
    if (link->OnFree) link->OnFree();
}

void TImageList::SetSize(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  ImageList_SetIconSize(handle_, width_, height_);
  Changed();
}

HIMAGELIST TImageList::HandleNeeded() {
  if (!handle_) {
    handle_ = ImageList_Create(width_, height_, ILC_MASK | ILC_COLOR32, AllocBy, AllocBy);
    ImageList_SetBkColor(handle_, ToColorRef(bkColor_));
  }
  return handle_;
}

void TImageList::ReleaseHandle() {
  if (!ShareImages) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

void TImageList::SetHandle(HIMAGELIST handle) {
  if (handle == handle_) return;
  ReleaseHandle();
  handle_ = handle;
  if (handle_) {
    ImageList_GetIconSize(handle_, &width_, &height_);
    bkColor_ = FromColorRef(ImageList_GetBkColor(handle_));
  }
  Changed();
}

TColor TImageList::BkColor() const { return handle_ ? FromColorRef(ImageList_GetBkColor(handle_)) : bkColor_; }

void TImageList::SetBkColor(TColor color) {
  bkColor_ = color;
  ImageList_SetBkColor(handle_, ToColorRef(color));
  Changed();
}

void TImageList::SetDrawingStyle(TDrawingStyle style) {
  if (style == drawingStyle_) return;
  drawingStyle_ = style;
  Changed();
}

int TImageList::AddStrip(const TBitmap& image, const TAlphaOf& alphaOf) {
  const int first = Count();
  const int count = std::max(image.Width() / width_, 1);
  const TGdiBitmap& pixels = *image.Handle();
  std::vector<std::uint32_t> row(width_);
  for (int k = 0; k < count; ++k) {
    CountedPtr<TGdiBitmap> entry(new TGdiBitmap(width_, height_, pf32bit));
    for (int y = 0; y < std::min(height_, image.Height()); ++y) {
      const int left = k * width_;
      const int available = std::clamp(image.Width() - left, 0, width_);
      std::fill(row.begin(), row.end(), 0);
      pixels.FetchRow(y, left, available, row.data());
      for (int x = 0; x < available; ++x)
        row[x] = (row[x] & 0xFFFFFF) | std::uint32_t(alphaOf(left + x, y, row[x])) << 24;
      entry->StoreRow(y, 0, width_, row.data());
    }
    HandleNeeded()->Images.push_back(std::move(entry));
  }
  Changed();
  return first;
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
  if (image.Empty()) return -1;
  if (mask && !mask->Empty())
    return AddStrip(image, [mask](int x, int y, std::uint32_t) -> std::uint8_t {
      if (x >= mask->Width() || y >= mask->Height()) return 255;
      return mask->Handle()->Pixel(x, y) == clWhite ? 0 : 255;
    });
  if (HasAlpha(image)) return AddStrip(image, [](int, int, std::uint32_t p) { return std::uint8_t(p >> 24); });
  return AddStrip(image, [](int, int, std::uint32_t) -> std::uint8_t { return 255; });
}

int TImageList::AddMasked(const TBitmap& image, TColor transparent) {
  if (image.Empty()) return -1;
  const TColor key = transparent == clDefault ? image.Handle()->Pixel(0, image.Height() - 1) : ColorToRGB(transparent);
  return AddStrip(image, [key](int, int, std::uint32_t p) -> std::uint8_t { return PixelToColor(p) == key ? 0 : 255; });
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  handle_->Images.erase(handle_->Images.begin() + index);
  Changed();
}

void TImageList::Clear() {
  if (handle_) handle_->Images.clear();
  Changed();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  DoDraw(index, canvas, x, y, ILD_NORMAL, enabled);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, unsigned style, bool enabled) const {
  DoDraw(index, canvas, x, y, style, enabled);
}

void TImageList::DoDraw(int index, TCanvas& canvas, int x, int y, unsigned style, bool enabled) const {
  const bool blend = (style & ILD_BLEND50) != 0;
  DrawImage(canvas, x, y, index, blend, enabled);
  const unsigned slot = (style & ILD_OVERLAYMASK) >> 8;
  if (slot != 0 && index >= 0 && index < Count()) DrawImage(canvas, x, y, overlays_[slot], blend, enabled);
}

bool TImageList::Overlay(int image, int slot) {
  if (image < 0 || image >= Count() || slot < 1 || slot > 15) return false;
  overlays_[slot] = image;
  return true;
}

void TImageList::DrawImage(TCanvas& canvas, int x, int y, int index, bool blend, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  const std::uint32_t blendPixel = ColorToPixel(ColorToRGB(BlendColor == clDefault ? clHighlight : BlendColor));
  AlphaBlit(canvas.Handle(), x, y, *handle_->Images[std::size_t(index)], width_, height_, [&](std::uint32_t pixel) {
    if (!enabled) pixel = Greyed(pixel);
    return blend ? Blended(pixel, blendPixel) : pixel;
  });
}

void TImageList::GetBitmap(int index, TBitmap& image) const {
  if (index < 0 || index >= Count()) return;
  image.SetPixelFormat(pf32bit);
  image.SetSize(width_, height_);
  for (int y = 0; y < height_; ++y) handle_->Images[std::size_t(index)]->FetchRow(y, 0, width_, static_cast<std::uint32_t*>(image.ScanLine(y)));
}

void TImageList::RegisterChanges(TChangeLink* link) {
  if (!link || std::find(links_.begin(), links_.end(), link) != links_.end()) return;
  if (link->sender_) link->sender_->UnRegisterChanges(link);
  link->sender_ = this;
  links_.push_back(link);
}

void TImageList::UnRegisterChanges(TChangeLink* link) {
  auto it = std::find(links_.begin(), links_.end(), link);
  if (it == links_.end()) return;
  links_.erase(it);
  link->sender_ = nullptr;
}

void TImageList::Changed() {
  if (OnChange) OnChange();
  for (TChangeLink* link : std::vector<TChangeLink*>(links_))
    if (link->OnChange) link->OnChange();
}
