#include "toolkit/qt/QtPlatform.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "toolkit/controls/ToolkitProperties.h"
#include "toolkit/qt/QtAccessibility.h"
#include "toolkit/qt/HelpViewer.h"
#include "toolkit/qt/QtDialogs.h"
#include "toolkit/qt/QtDragDrop.h"
#include "toolkit/qt/QtFileIcons.h"
#include "toolkit/qt/QtSound.h"
#include "toolkit/qt/QtWindowHost.h"
#include "toolkit/win/Cursor.h"

namespace {

TRect RectOf(const QRect& rect) { return Bounds(rect.x(), rect.y(), rect.width(), rect.height()); }

Qt::CursorShape ShapeOf(HCURSOR cursor) {
  switch (reinterpret_cast<uintptr_t>(cursor)) {
    case IDC_IBEAM: return Qt::IBeamCursor;
    case IDC_WAIT: return Qt::WaitCursor;
    case IDC_CROSS: return Qt::CrossCursor;
    case IDC_UPARROW: return Qt::UpArrowCursor;
    case IDC_SIZENWSE: return Qt::SizeFDiagCursor;
    case IDC_SIZENESW: return Qt::SizeBDiagCursor;
    case IDC_SIZEWE: return Qt::SizeHorCursor;
    case IDC_SIZENS: return Qt::SizeVerCursor;
    case IDC_SIZEALL: return Qt::SizeAllCursor;
    case IDC_NO: return Qt::ForbiddenCursor;
    case IDC_HAND: return Qt::PointingHandCursor;
    case IDC_APPSTARTING: return Qt::BusyCursor;
    case IDC_HELP: return Qt::WhatsThisCursor;
    case 0: return Qt::BlankCursor;
    default: return Qt::ArrowCursor;
  }
}

QCursor CursorOf(HCURSOR cursor) {
  const TCursorPicture* picture = CursorPicture(cursor);
  if (!picture) return QCursor(ShapeOf(cursor));
  const QImage image(reinterpret_cast<const uchar*>(picture->Pixels.data()), picture->Width, picture->Height,
                     QImage::Format_ARGB32);
  return QCursor(QPixmap::fromImage(image.copy()), picture->HotSpot.X, picture->HotSpot.Y);
}

// The window core on Qt. Posted messages and timers are dispatched by the
// toolkit's own message loops; Qt only has to wake them.
class TQtBackend final : public IWindowBackend {
public:
  TQtBackend() {
    timer_.setSingleShot(true);
    // Its expiry is an event: enough to end a wait for events.
    QObject::connect(&timer_, &QTimer::timeout, [] {});
  }

  std::unique_ptr<IWindowHost> CreateHost(HWND window, HWND parent) override {
    return CreateQtWindowHost(window, parent);
  }

  void Wake() override {
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(qApp->thread())) dispatcher->wakeUp();
  }

  void ProcessEvents(bool wait, int timeoutMilliseconds) override {
    if (!wait) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
      return;
    }
    if (timeoutMilliseconds >= 0) ScheduleWake(timeoutMilliseconds);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }

  void ScheduleWake(int milliseconds) override {
    if (!timer_.isActive() || timer_.remainingTime() > milliseconds) timer_.start(milliseconds);
  }

  TRect ScreenRect() override { return RectOf(QGuiApplication::primaryScreen()->geometry()); }
  TRect WorkArea() override { return RectOf(QGuiApplication::primaryScreen()->availableGeometry()); }
  std::vector<TMonitor> Monitors() override {
    std::vector<TMonitor> monitors;
    for (QScreen* screen : QGuiApplication::screens())
      monitors.push_back({RectOf(screen->geometry()), RectOf(screen->availableGeometry()),
                          screen == QGuiApplication::primaryScreen()});
    if (monitors.empty()) return IWindowBackend::Monitors();
    return monitors;
  }

  void SetCursorShape(HCURSOR cursor) override {
    const QCursor shape = CursorOf(cursor);
    if (QGuiApplication::overrideCursor())
      QGuiApplication::changeOverrideCursor(shape);
    else
      QGuiApplication::setOverrideCursor(shape);
  }

private:
  QTimer timer_;
};

}  // namespace

void StartQtPlatform(int& argc, char** argv) {
  if (QCoreApplication::instance()) return;
  // The widgets follow our device pixels exactly: no fractional scaling.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  new QApplication(argc, argv);
  static TQtBackend backend;
  SetWindowBackend(&backend);
  SetMessageBoxes(&QtMessageBoxes());
  SetClipboardStore(&QtClipboardStore());
  SetCommonDialogs(&QtCommonDialogs());
  SetDragSource(&QtDragSource());
  SetSoundBackend(&QtSoundBackend());
  RegisterToolkitProperties();
  SetHelpViewer(&HelpViewer());
  SetDocumentOpener(&QtDocumentOpener());
  SetFileIcons(&QtFileIcons());
  StartQtAccessibilityBridge();
}
