#pragma once
// Checks on a shown drag image shared by the drag image's and the drop
// target's tests.

#include <cstdint>
#include <string>

#include "toolkit/controls/CustomControl.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/win/Paint.h"
#include "treeview/DTDragImage.h"

// "" when the image's kept background equals a fresh capture of the screen
// under it, else the first pixel that differs.
inline std::string StaleBackground(const TDTDragImage& image) {
  const CountedPtr<TGdiBitmap> fresh = CaptureScreen(image.ScreenRect(), {image.Window()->Handle()});
  for (int y = 0; y < fresh->Height(); ++y)
    for (int x = 0; x < fresh->Width(); ++x) {
      std::uint32_t expected = 0;
      std::uint32_t kept = 0;
      fresh->FetchRow(y, x, 1, &expected);
      image.BackImage()->Handle()->FetchRow(y, x, 1, &kept);
      if ((kept | 0xFF000000u) != (expected | 0xFF000000u))
        return "pixel " + std::to_string(x) + "," + std::to_string(y) + " of the kept background is stale";
    }
  return "";
}
