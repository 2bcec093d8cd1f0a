#include "toolkit/qt/Screenshot.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/qt/QtBitmap.h"
#include "toolkit/qt/QtWindowHost.h"
#include "toolkit/win/Window.h"

namespace {

QPixmap ShownPixels(HWND window) {
  TRect bounds;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || !GetWindowRect(window, bounds)) return {};
  return screen->grabWindow(0, bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

}  // namespace

bool SaveScreenshot(HWND window, const std::string& fileName) {
  const QPixmap picture = ShownPixels(window);
  return !picture.isNull() && picture.save(QString::fromStdString(fileName));
}

bool SaveScreen(const std::string& fileName) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return false;
  const QPixmap picture = screen->grabWindow(0);
  return !picture.isNull() && picture.save(QString::fromStdString(fileName));
}

bool SaveBitmapAsPng(const TBitmap& bitmap, const std::string& fileName) {
  if (bitmap.Empty()) return false;
  // The view only reads the pixels.
  const QImage picture = ImageView(*bitmap.Handle());
  return picture.save(QString::fromStdString(fileName), "PNG");
}

bool LoadBitmapFromPng(TBitmap& bitmap, const std::string& fileName) {
  QImage picture;
  if (!picture.load(QString::fromStdString(fileName), "PNG")) return false;
  AssignImage(*bitmap.Handle(), picture);
  return true;
}

namespace {

QImage WindowImage(HWND window) {
  QWidget* widget = WidgetOfWindow(window);
  if (!widget) return {};
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TWindowPicture PictureOf(const QImage& image) {
  TWindowPicture picture{image.width(), image.height(), {}};
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) picture.Pixels.push_back(row[x] & 0xFFFFFF);
  }
  return picture;
}

}  // namespace

TWindowPicture GrabWindow(HWND window) { return PictureOf(WindowImage(window)); }

TWindowPicture GrabShownWindow(HWND window) {
  return PictureOf(ShownPixels(window).toImage().convertToFormat(QImage::Format_RGB32));
}

bool SaveWindowPicture(HWND window, const std::string& fileName) {
  const QImage image = WindowImage(window);
  return !image.isNull() && image.save(QString::fromStdString(fileName), "PNG");
}
