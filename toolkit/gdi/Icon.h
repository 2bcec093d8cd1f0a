#pragma once
// Icons, as the platform keeps them: a colour bitmap and a 1-bit AND mask
// of the same size. A 32-bit colour bitmap with any non-zero alpha byte
// draws by its alpha; any other draws through the mask, whose black pixels
// are opaque and white ones transparent. An icon handle is owned by whoever
// made it until DestroyIcon; TIcon owns the handle it holds.

#include "runtime/CountedPtr.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/Graphic.h"

class TGdiIcon final {
public:
  // Copies of both; a missing mask, or one of another size, is all black.
  TGdiIcon(const TGdiBitmap& colour, const TGdiBitmap* mask);
  const TGdiBitmap& Colour() const { return *colour_; }
  const TGdiBitmap& Mask() const { return *mask_; }
  // The picture as drawn: 32 bits whose alpha bytes say how opaque each pixel is.
  const TGdiBitmap& Image() const { return *image_; }

private:
  CountedPtr<TGdiBitmap> colour_;
  CountedPtr<TGdiBitmap> mask_;
  CountedPtr<TGdiBitmap> image_;
};
using HICON = TGdiIcon*;

// What an icon is made of. The bitmaps GetIconInfo hands out are copies
// the caller deletes with DeleteObject.
struct ICONINFO {
  bool fIcon = true;
  int xHotspot = 0;
  int yHotspot = 0;
  HBITMAP hbmMask = nullptr;
  HBITMAP hbmColor = nullptr;
};

// An icon of a 32-bit picture with its alpha: pixels of alpha 0 are masked.
HICON CreateIconFromImage(const TGdiBitmap& image);
// Copies the bitmaps; null without a colour bitmap.
HICON CreateIconIndirect(const ICONINFO& info);
// False for a null handle.
bool GetIconInfo(HICON icon, ICONINFO* info);
// False for a null handle and for a stock icon, which stays.
bool DestroyIcon(HICON icon);

// The stock icons are our own pictures, made on first use and shared for
// the life of the program: the same handle each time, never destroyed.
constexpr uintptr_t IDI_APPLICATION = 32512;
// Module is accepted for the platform's signature; it loads stock icons
// only, null for any other id.
HICON LoadIcon(void* module, uintptr_t id);
bool IsStockIcon(HICON icon);

constexpr unsigned DI_MASK = 0x0001;
constexpr unsigned DI_IMAGE = 0x0002;
constexpr unsigned DI_NORMAL = 0x0003;
// Draws the icon at (x, y) scaled to width x height (0: its own size), by
// its alpha or through its mask; the step and brush of the platform's call
// are not used. False for a null handle.
bool DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, unsigned step, HBRUSH brush,
                unsigned flags);

// A picture that is always transparent: its alpha decides.
class TIcon : public TGraphic {
public:
  TIcon() { SetTransparent(true); }
  // Takes over the handle.
  explicit TIcon(HICON handle) : TIcon() { handle_ = handle; }
  ~TIcon() override;

  HICON Handle() const { return handle_; }
  // Takes over the handle; the one held before is destroyed.
  void SetHandle(HICON handle);
  // No handle, or a picture without pixels.
  bool Empty() const override;
  int Width() const override;
  int Height() const override;

  // An icon file: of its pictures the largest with the most colours, among
  // those held as bitmaps (1, 4, 8, 24 or 32 bits with an AND mask). Other
  // data raises EInvalidGraphic "Icon image is not valid".
  void LoadFromStream(std::istream& stream) override;
  // Copies another icon's picture.
  void Assign(const TGraphic& source) override;
  void Draw(TCanvas& canvas, const TRect& rect) const override;

private:
  HICON handle_ = nullptr;
};
