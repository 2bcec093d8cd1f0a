#pragma once
// The BMP file format: a file header, an information header (the core,
// version 3, 4 or 5 layout), a palette and rows, bottom-up unless the
// height is negative.

#include <istream>
#include <ostream>

#include "runtime/CountedPtr.h"
#include "toolkit/gdi/GdiBitmap.h"

// Reads 1-, 4-, 8-, 16-, 24- and 32-bit images without compression or with
// bit fields (16 bits become pf24bit). Anything else, and data that is cut
// short or inconsistent, throws EQuantrelError "Bitmap image is not valid".
CountedPtr<TGdiBitmap> ReadBmp(std::istream& stream);
// Writes a version 3 header, the palette of a palette format and bottom-up rows.
void WriteBmp(std::ostream& stream, const TGdiBitmap& bitmap);
