#pragma once
// An image list whose images keep their alpha: each item holds a whole
// image file (PNG or ICO), and the list's store is built from the items as
// 32-bit icons. At run time the items are dropped once the store holds the
// images; in design mode (or with KeepImageData) they stay, and a form
// carries them as the binary property "ImgData". The skin layer keeps one
// such list of its own, StockAlphaImages, of five glyph strips.

#include <cstdint>

#include "runtime/Collection.h"
#include "runtime/Stream.h"
#include "toolkit/controls/ComponentImageList.h"
#include "toolkit/gdi/GdiBitmap.h"

class TSkinAlphaImageList;

enum TSkinImageFormat : std::uint8_t { ifPNG = 0, ifICO = 1 };

class TSkinImgListItem : public TCollectionItem {
public:
  TSkinImageFormat ImageFormat = ifPNG;
  // The pixel format of the stored image.
  TPixelFormat PixelFormat = pfDevice;
  // The whole image file.
  TMemoryStream& ImageData() { return data_; }
  const TMemoryStream& ImageData() const { return data_; }

  // "ImgData" as a form stores it: the byte count, then the bytes.
  void ReadImgData(TStream& source);
  void WriteImgData(TStream& target);

  // Copies the format, the pixel format and the data of another item.
  void Assign(const TCollectionItem& source) override;

private:
  TMemoryStream data_;
};

class TSkinImgListItems : public TCollectionOf<TSkinImgListItem> {
public:
  explicit TSkinImgListItems(TSkinAlphaImageList* owner);
  TSkinAlphaImageList* ImageList() const { return imageList_; }

private:
  TSkinAlphaImageList* imageList_;
};

class TSkinAlphaImageList : public TComponentImageList {
public:
  // Owner may be null. Unless the owner is loading, the store is made
  // (16 x 16) and built from the (no) items at once.
  explicit TSkinAlphaImageList(TComponent* owner);

  TSkinImgListItems& Items() { return items_; }
  // Replaces the items by copies of the source's.
  void SetItems(const TSkinImgListItems& source);
  // The store was built from items that are still kept.
  bool ImagesGenerated = false;
  // Keep the items after building; design mode keeps them anyway.
  bool KeepImageData = false;
  bool KeepsImageData() const;

  // After a form stream: the store is made and built from the items.
  void Loaded() override;
  // Builds the store from the items in their order: a PNG keeps its alpha
  // or has its top-left colour transparent; an ICO whose PixelFormat is
  // pf32bit keeps its own alpha and mask, any other has its top-left colour
  // transparent. Decoding errors propagate, the images before stay.
  void GenerateImages();
  // Null releases the store; another alpha list gives its size, background,
  // blend colour and images; any other list its size and images.
  void Assign(const TImageList* source);
  // The source's images (as items when this list keeps items); the
  // source's store loses its background colour.
  void CopyImagesFrom(TSkinAlphaImageList& source);

  // As an icon of the list's size; the style and the enabled state are
  // not used (a disabled image looks like an enabled one).
  void DoDraw(int index, TCanvas& canvas, int x, int y, unsigned style, bool enabled) const override;

private:
  void MakeStore();
  void CreateListHandle();
  void ReleaseListHandle();
  void SizeFromHandle(HIMAGELIST handle);
  void AppendIcon(HICON icon);
  void AppendImagesOf(const TImageList& source);
  void AddPngItem(TSkinImgListItem& item);
  void AddIconItem(TSkinImgListItem& item);

  TSkinImgListItems items_;
};

// The skin layer's stock list: 48 x 16 images of the resources "SF", "SR",
// "SD", "SE", "SC" in this order. A strip that cannot be opened or decoded
// adds nothing, and the others follow. Null before LoadStockAlphaImages.
TSkinAlphaImageList* StockAlphaImages();
void LoadStockAlphaImages();
void FreeStockAlphaImages();
