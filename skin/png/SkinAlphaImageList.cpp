#include "skin/png/SkinAlphaImageList.h"

#include <memory>
#include <sstream>
#include <string>

#include "runtime/ResourceStream.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/png/PngGraphic.h"
#include "skin/png/StockImageData.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Icon.h"

namespace {

// A store's flags: a mask, 32-bit colour, a palette.
constexpr unsigned AlphaListFlags = ILC_MASK | ILC_COLOR32 | ILC_PALETTE;

std::string Bytes(const TMemoryStream& data) {
  return std::string(reinterpret_cast<const char*>(data.Memory()), std::size_t(const_cast<TMemoryStream&>(data).Size()));
}

}  // namespace

void TSkinImgListItem::ReadImgData(TStream& source) { ReadBinaryProperty(source, data_); }

void TSkinImgListItem::WriteImgData(TStream& target) { WriteBinaryProperty(target, data_); }

void TSkinImgListItem::Assign(const TCollectionItem& source) {
  const auto* item = dynamic_cast<const TSkinImgListItem*>(&source);
  if (!item) return TCollectionItem::Assign(source);
  ImageFormat = item->ImageFormat;
  PixelFormat = item->PixelFormat;
  const std::string bytes = Bytes(item->data_);
  data_.Clear();
  data_.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  data_.SetPosition(0);
}

TSkinImgListItems::TSkinImgListItems(TSkinAlphaImageList* owner) : TCollectionOf(owner), imageList_(owner) {}

TSkinAlphaImageList::TSkinAlphaImageList(TComponent* owner) : TComponentImageList(owner), items_(this) {
  if (!(owner && owner->IsLoading())) MakeStore();
}

void TSkinAlphaImageList::MakeStore() {
  if (!HandleAllocated()) CreateListHandle();
  if (!ImagesGenerated) GenerateImages();
}

void TSkinAlphaImageList::Loaded() {
  TComponentImageList::Loaded();
  MakeStore();
}

bool TSkinAlphaImageList::KeepsImageData() const { return KeepImageData || (ComponentState() & csDesigning) != 0; }

void TSkinAlphaImageList::SetItems(const TSkinImgListItems& source) { items_.Assign(source); }

void TSkinAlphaImageList::CreateListHandle() {
  SetHandle(ImageList_Create(Width(), Height(), AlphaListFlags, AllocBy, AllocBy));
  SetBkColor(clNone);
}

// Setting the handle tells the list's links.
void TSkinAlphaImageList::ReleaseListHandle() { SetHandle(nullptr); }

void TSkinAlphaImageList::SizeFromHandle(HIMAGELIST handle) {
  int width = Width(), height = Height();
  ImageList_GetIconSize(handle, &width, &height);
  SetSize(width, height);
}

void TSkinAlphaImageList::AppendIcon(HICON icon) {
  ImageList_ReplaceIcon(HandleNeeded(), -1, icon);
  Changed();
}

void TSkinAlphaImageList::AddPngItem(TSkinImgListItem& item) {
  TPNGGraphic png;
  png.LoadFromStream(item.ImageData());
  const HICON icon = CreateAlphaIcon(png, false);
  AppendIcon(icon);
  DestroyIcon(icon);
}

void TSkinAlphaImageList::AddIconItem(TSkinImgListItem& item) {
  TIcon icon;
  std::istringstream bytes(Bytes(item.ImageData()));
  icon.LoadFromStream(bytes);
  if (item.PixelFormat == pf32bit) return AppendIcon(icon.Handle());
  ICONINFO info;
  GetIconInfo(icon.Handle(), &info);
  DeleteObject(info.hbmMask);
  TBitmap colour;
  colour.SetHandle(info.hbmColor);
  ConvertTo32BitClear(&colour);
  const HICON keyed = CreateAlphaIcon(colour, true);
  AppendIcon(keyed);
  DestroyIcon(keyed);
}

void TSkinAlphaImageList::GenerateImages() {
  Clear();
  for (int i = 0; i < items_.Count(); ++i) {
    TSkinImgListItem& item = items_.Items(i);
    item.ImageData().SetPosition(0);
    if (item.ImageFormat == ifPNG)
      AddPngItem(item);
    else if (item.ImageFormat == ifICO)
      AddIconItem(item);
  }
  if (!KeepsImageData()) items_.Clear();
  if (items_.Count() > 0) ImagesGenerated = true;
}

void TSkinAlphaImageList::Assign(const TImageList* source) {
  if (!source) return ReleaseListHandle();
  const auto* alpha = dynamic_cast<const TSkinAlphaImageList*>(source);
  if (!alpha) {
    SetSize(source->Width(), source->Height());
    return AppendImagesOf(*source);
  }
  Clear();
  Masked = alpha->Masked;
  ImageType = alpha->ImageType;
  SetDrawingStyle(alpha->DrawingStyle());
  ShareImages = alpha->ShareImages;
  SizeFromHandle(alpha->Handle());
  ReleaseListHandle();
  CreateListHandle();
  SetBkColor(alpha->BkColor());
  BlendColor = alpha->BlendColor;
  CopyImagesFrom(const_cast<TSkinAlphaImageList&>(*alpha));
}

void TSkinAlphaImageList::CopyImagesFrom(TSkinAlphaImageList& source) {
  ImageList_SetBkColor(source.Handle(), CLR_NONE);
  if (KeepsImageData()) {
    items_.Clear();
    for (int i = 0; i < source.items_.Count(); ++i) items_.Add().Assign(source.items_.Items(i));
    return GenerateImages();
  }
  Clear();
  AppendImagesOf(source);
}

void TSkinAlphaImageList::AppendImagesOf(const TImageList& source) {
  for (int i = 0; i < source.Count(); ++i) {
    const HICON icon = ImageList_GetIcon(source.Handle(), i, ILD_TRANSPARENT);
    AppendIcon(icon);
    DestroyIcon(icon);
  }
}

void TSkinAlphaImageList::DoDraw(int index, TCanvas& canvas, int x, int y, unsigned, bool) const {
  if (!HandleAllocated()) return;
  ImageList_SetBkColor(Handle(), CLR_NONE);
  const HICON icon = ImageList_GetIcon(Handle(), index, ILD_TRANSPARENT);
  if (!icon) return;
  DrawIconEx(canvas.Handle(), x, y, icon, Width(), Height(), 0, nullptr, DI_NORMAL);
  DestroyIcon(icon);
}

// ---------------------------------------------------------------------------

namespace {

std::unique_ptr<TSkinAlphaImageList> Stock;

}  // namespace

TSkinAlphaImageList* StockAlphaImages() { return Stock.get(); }

void LoadStockAlphaImages() {
  AddStockImageResources();
  Stock = std::make_unique<TSkinAlphaImageList>(nullptr);
  Stock->SetSize(48, 16);
  for (const char* name : {"SF", "SR", "SD", "SE", "SC"}) {
    try {
      TResourceStream stream(name);
      TPNGGraphic png;
      png.LoadFromStream(stream);
      const HICON icon = CreateAlphaIcon(png, false);
      ImageList_ReplaceIcon(Stock->Handle(), -1, icon);
      DestroyIcon(icon);
    } catch (const EQuantrelError&) {
      // A strip that cannot be read adds nothing; the others still come.
    }
  }
}

void FreeStockAlphaImages() { Stock.reset(); }
