#pragma once
// A list of images of one size, each with its own transparency (an alpha
// channel: 0 transparent, 255 opaque), drawn over a canvas.

#include <functional>
#include <vector>

#include "runtime/CountedPtr.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/GdiBitmap.h"

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

class TImageList {
public:
  explicit TImageList(int width = 16, int height = 16);
  ~TImageList();
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size removes every image.
  void SetSize(int width, int height);
  int Count() const { return int(images_.size()); }

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
  // Makes the image the overlay of a slot (1 to 15); false for a bad image or slot.
  bool Overlay(int image, int slot);
  // What ILD_BLEND50 blends toward; clDefault is the highlight colour.
  TColor BlendColor = clDefault;
  // The image as a 32-bit bitmap with its alpha.
  void GetBitmap(int index, TBitmap& image) const;

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);
  std::function<void()> OnChange;

private:
  using TAlphaOf = std::function<std::uint8_t(int x, int y, std::uint32_t pixel)>;
  int AddStrip(const TBitmap& image, const TAlphaOf& alphaOf);
  void Changed();

  void DrawImage(TCanvas& canvas, int x, int y, int index, bool blend, bool enabled) const;

  int width_;
  int height_;
  // The image of each overlay slot (index 0 unused); -1: none.
  int overlays_[16] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  std::vector<CountedPtr<TGdiBitmap>> images_;
  std::vector<TChangeLink*> links_;
};
