#include "toolkit/qt/Screenshot.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/qt/QtBitmap.h"
#include "toolkit/win/Window.h"

bool SaveScreenshot(HWND window, const std::string& fileName) {
  TRect bounds;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || !GetWindowRect(window, bounds)) return false;
  const QPixmap picture = screen->grabWindow(0, bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  return !picture.isNull() && picture.save(QString::fromStdString(fileName));
}

bool SaveBitmapAsPng(const TBitmap& bitmap, const std::string& fileName) {
  if (bitmap.Empty()) return false;
  // The view only reads the pixels.
  const QImage picture = ImageView(*bitmap.Handle());
  return picture.save(QString::fromStdString(fileName), "PNG");
}
