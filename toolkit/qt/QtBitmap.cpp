#include "toolkit/qt/QtBitmap.h"

#include <QImage>

#include <cstring>

#include "toolkit/gdi/GdiBitmap.h"

QImage ImageView(TGdiBitmap& bitmap) {
  if (bitmap.IsEmpty()) return QImage();
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  switch (bitmap.Format()) {
    case pf32bit: return QImage(bitmap.ScanLine(0), width, height, bitmap.Stride(), QImage::Format_RGB32);
    case pf24bit: return QImage(bitmap.ScanLine(0), width, height, bitmap.Stride(), QImage::Format_BGR888);
    default: {
      QImage copy(width, height, QImage::Format_RGB32);
      for (int y = 0; y < height; ++y)
        bitmap.FetchRow(y, 0, width, reinterpret_cast<std::uint32_t*>(copy.scanLine(y)));
      return copy;
    }
  }
}

void AssignImage(TGdiBitmap& bitmap, const QImage& image) {
  bitmap.Resize(0, 0);
  bitmap.Convert(pf32bit);
  bitmap.Resize(image.width(), image.height());
  const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < pixels.height(); ++y)
    std::memcpy(bitmap.ScanLine(y), pixels.constScanLine(y), std::size_t(pixels.width()) * 4);
}

void StoreImage(TGdiBitmap& bitmap, const QImage& image) {
  const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
  const int width = std::min(pixels.width(), bitmap.Width());
  for (int y = 0; y < std::min(pixels.height(), bitmap.Height()); ++y)
    bitmap.StoreRow(y, 0, width, reinterpret_cast<const std::uint32_t*>(pixels.constScanLine(y)));
}
