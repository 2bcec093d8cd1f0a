#include <algorithm>
#include <atomic>
#include <iterator>
#include <vector>

#include "toolkit/gdi/Icon.h"

namespace {

// A filled rectangle of the picture, in pixels of the 32 x 32 design.
struct TShape {
  int Left, Top, Right, Bottom;
  std::uint32_t Pixel;
};

// A plain application window: a dark frame, a blue caption with a light
// button, a white client area. Every edge lies on an even pixel, so the
// halving to 16 x 16 that DrawIconEx does keeps each part.
constexpr TShape ApplicationShapes[] = {
    {0, 2, 32, 30, 0xFF404040},   // frame
    {2, 4, 30, 10, 0xFF1E50A0},   // caption
    {24, 6, 28, 8, 0xFFFFFFFF},   // caption button
    {2, 10, 30, 28, 0xFFFFFFFF},  // client area
};

HICON DrawIcon(const TShape* shapes, std::size_t count) {
  constexpr int size = 32;
  TGdiBitmap image(size, size, pf32bit);
  std::vector<std::uint32_t> row(size);
  for (int y = 0; y < size; ++y) {
    std::fill(row.begin(), row.end(), 0u);  // transparent
    for (std::size_t i = 0; i < count; ++i)
      if (y >= shapes[i].Top && y < shapes[i].Bottom)
        std::fill(row.begin() + shapes[i].Left, row.begin() + shapes[i].Right, shapes[i].Pixel);
    image.StoreRow(y, 0, size, row.data());
  }
  return CreateIconFromImage(image);
}

// Asking whether a handle is stock must not make the picture.
std::atomic<HICON> MadeApplicationIcon{nullptr};

HICON ApplicationIcon() {
  // Made once and kept for the life of the program; callers share it.
  static const HICON icon = MadeApplicationIcon = DrawIcon(ApplicationShapes, std::size(ApplicationShapes));
  return icon;
}

}  // namespace

HICON LoadIcon(void*, uintptr_t id) { return id == IDI_APPLICATION ? ApplicationIcon() : nullptr; }

bool IsStockIcon(HICON icon) { return icon && icon == MadeApplicationIcon.load(); }
