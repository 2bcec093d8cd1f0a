#include "toolkit/qt/QtPlatform.h"

#include <QApplication>

void StartQtPlatform(int& argc, char** argv) {
  if (QCoreApplication::instance()) return;
  // The widgets follow our device pixels exactly: no fractional scaling.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  new QApplication(argc, argv);
}
