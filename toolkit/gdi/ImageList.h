#pragma once
// A list of images of one size, each with its own transparency (an alpha
// channel: 0 transparent, 255 opaque), drawn over a canvas. The images live
// in the list's handle, an image store that the platform's image-list
// functions work on too.

#include <cstdint>
#include <functional>
#include <vector>

#include "runtime/CountedPtr.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/Icon.h"

// Creation flags of an image store; the images are always 32-bit with alpha.
constexpr unsigned ILC_MASK = 0x0001;
constexpr unsigned ILC_COLOR32 = 0x0020;
constexpr unsigned ILC_PALETTE = 0x0800;

// An image store: images of one size as 32-bit pixels with their alpha.
struct TGdiImageList {
  int Width = 16;
  int Height = 16;
  unsigned Flags = 0;
  int Grow = 4;
  COLORREF BkColor = CLR_NONE;
  std::vector<CountedPtr<TGdiBitmap>> Images;
};
using HIMAGELIST = TGdiImageList*;

// Null for a size below 1 x 1.
HIMAGELIST ImageList_Create(int width, int height, unsigned flags, int initial, int grow);
// False for a null handle.
bool ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
// Puts the icon's picture (its top-left part, when larger) at index, or
// appends it for -1; answers the index, -1 for a bad index or handle.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
// A new icon of the image, owned by the caller; null for a bad index.
HICON ImageList_GetIcon(HIMAGELIST list, int index, unsigned flags);
bool ImageList_GetIconSize(HIMAGELIST list, int* width, int* height);
// Removes every image.
bool ImageList_SetIconSize(HIMAGELIST list, int width, int height);
// Answers the colour before; CLR_NONE for a null handle.
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
class TDeviceContext;
using HDC = TDeviceContext*;

// Draws the image at (x, y) of dc by its alpha, over the store's background
// colour unless that is CLR_NONE or the style has ILD_TRANSPARENT; false
// for a bad handle or index.
bool ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, unsigned style);

class TBitmap;
class TCanvas;
class TImageList;

// Registered with a list, told of every change to it and of its end (when
// OnFree runs, Sender() is already nil).
class TChangeLink {
public:
  ~TChangeLink();
  std::function<void()> OnChange;
  std::function<void()> OnFree;
  TImageList* Sender() const { return sender_; }
  // Registers with the list (nil: with none), leaving the list before.
  void Attach(TImageList* images);

private:
  friend class TImageList;
  TImageList* sender_ = nullptr;
};

// Draw styles, as the platform's image lists take them: a 50 % blend toward
// the list's BlendColor, and an overlay slot (1 to 15) in bits 8 to 11
// whose image is drawn over the image. Images are always drawn transparently.
constexpr unsigned ILD_NORMAL = 0x0000;
constexpr unsigned ILD_TRANSPARENT = 0x0001;
constexpr unsigned ILD_BLEND50 = 0x0004;
constexpr unsigned ILD_OVERLAYMASK = 0x0F00;
constexpr unsigned INDEXTOOVERLAYMASK(unsigned slot) { return slot << 8; }

// What GetBitmap-style copies of an image give: the image or its mask.
enum TImageType { itImage, itMask };
// How a list's owner asks images to be drawn, as the platform's lists take it.
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TImageList {
public:
  explicit TImageList(int width = 16, int height = 16);
  virtual ~TImageList();
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size removes every image.
  void SetSize(int width, int height);
  int Count() const { return ImageList_GetImageCount(handle_); }

  // The image store; made on first need, so null only while none was
  // needed since the list was made or its handle was set to null.
  HIMAGELIST Handle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  HIMAGELIST HandleNeeded();
  // Takes the store (null: none), its size and background colour; the one
  // held before is destroyed unless ShareImages.
  void SetHandle(HIMAGELIST handle);

  // The store's background colour; clNone (the store's CLR_NONE) draws transparently.
  TColor BkColor() const;
  void SetBkColor(TColor color);
  TDrawingStyle DrawingStyle() const { return drawingStyle_; }
  void SetDrawingStyle(TDrawingStyle style);
  bool Masked = true;
  TImageType ImageType = itImage;
  // The store belongs to someone else: the list never destroys it.
  bool ShareImages = false;
  // How many images the store grows by.
  int AllocBy = 4;

  // Each adds the images of a strip (its width divided by Width, at least
  // one) and returns the index of the first. With a mask, its white pixels
  // are transparent; without one, a 32-bit image's alpha is kept when it
  // has any and every pixel is opaque otherwise.
  int Add(const TBitmap& image, const TBitmap* mask);
  // Pixels of the colour are transparent; clDefault takes the bottom-left pixel's.
  int AddMasked(const TBitmap& image, TColor transparent);
  void Delete(int index);
  void Clear();

  // Disabled images are drawn in light grey tones.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
  // Draws with the ILD_* style, then the overlay image of the style's slot over it.
  void Draw(TCanvas& canvas, int x, int y, int index, unsigned style, bool enabled) const;
  // What every Draw comes to; lists that draw otherwise replace it.
  virtual void DoDraw(int index, TCanvas& canvas, int x, int y, unsigned style, bool enabled) const;
  // Makes the image the overlay of a slot (1 to 15); false for a bad image or slot.
  bool Overlay(int image, int slot);
  // What ILD_BLEND50 blends toward; clDefault is the highlight colour.
  TColor BlendColor = clDefault;
  // The image as a 32-bit bitmap with its alpha.
  void GetBitmap(int index, TBitmap& image) const;

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);
  std::function<void()> OnChange;

protected:
  // Tells the registered links and OnChange.
  void Changed();

private:
  using TAlphaOf = std::function<std::uint8_t(int x, int y, std::uint32_t pixel)>;
  int AddStrip(const TBitmap& image, const TAlphaOf& alphaOf);
  void ReleaseHandle();

  void DrawImage(TCanvas& canvas, int x, int y, int index, bool blend, bool enabled) const;

  int width_;
  int height_;
  // The image of each overlay slot (index 0 unused); -1: none.
  int overlays_[16] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  HIMAGELIST handle_ = nullptr;
  TColor bkColor_ = clNone;  // kept while there is no handle
  TDrawingStyle drawingStyle_ = dsNormal;
  std::vector<TChangeLink*> links_;
};
