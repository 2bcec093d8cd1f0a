#include "toolkit/qt/Screenshot.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "toolkit/win/Window.h"

bool SaveScreenshot(HWND window, const std::string& fileName) {
  TRect bounds;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || !GetWindowRect(window, bounds)) return false;
  const QPixmap picture = screen->grabWindow(0, bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  return !picture.isNull() && picture.save(QString::fromStdString(fileName));
}
