#pragma once
// Bridges between GDI bitmaps and Qt images, for the Qt backend's own files.

class QImage;
class TGdiBitmap;

// An image over the bitmap's own pixels (no copy; valid while the bitmap
// keeps its size and format): Format_RGB32 for 32-bit, Format_BGR888 for
// 24-bit bitmaps. Palette bitmaps give a converted copy.
QImage ImageView(TGdiBitmap& bitmap);
// Replaces the bitmap's pixels by the image's, as a 32-bit bitmap.
void AssignImage(TGdiBitmap& bitmap, const QImage& image);
// Writes an image of the bitmap's size into it, keeping the bitmap's format.
void StoreImage(TGdiBitmap& bitmap, const QImage& image);
