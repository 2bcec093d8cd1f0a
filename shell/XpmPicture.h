#pragma once
// The program's own pictures are compiled in as XPM text (drawn by
// tools/draw-images.py): one character per pixel, colours "#RRGGBB" or
// "None".

class TBitmap;

// Into a 32-bit bitmap: B, G, R, A bytes with straight alpha, "None"
// fully transparent.
void DecodeXpm(const char* const* lines, TBitmap& bitmap);
