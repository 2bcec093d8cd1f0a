#include "toolkit/qt/QtWindowHost.h"

#include <exception>
#include <unordered_map>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QThread>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include "toolkit/qt/QtBitmap.h"
#include "toolkit/qt/QtInput.h"
#include "toolkit/qt/DesktopWindowInfo.h"
#include "toolkit/qt/QtNativeWidget.h"
#include "toolkit/gdi/Region.h"
#include "toolkit/win/Caret.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

std::unordered_map<HWND, QWidget*>& Widgets() {
  static std::unordered_map<HWND, QWidget*> widgets;
  return widgets;
}

// The desktop takes a moment to map a new window; a desktop that never
// does (a window manager that keeps it hidden) is not waited for long.
void WaitUntilExposed(QWidget& topLevel) {
  constexpr int LongestWaitMilliseconds = 500;
  QWindow* window = topLevel.windowHandle();
  if (!window) return;
  const QDeadlineTimer deadline(LongestWaitMilliseconds);
  while (!window->isExposed() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!window->isExposed()) QThread::msleep(1);
  }
}

// Top-level windows with a caption get the desktop's frame (a tool
// window's small one) unless they have their own; the others draw their
// own. Tool windows without a caption that never activate (hints, menus)
// float like tool tips, which take no keys; the others (an About box) are
// frameless tool windows.
Qt::WindowFlags FlagsFor(HWND window) {
  const auto style = static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtr(window, GWL_EXSTYLE));
  const Qt::WindowFlags onTop = (exStyle & WS_EX_TOPMOST) ? Qt::WindowStaysOnTopHint : Qt::WindowFlags();
  if ((style & WS_CAPTION) == WS_CAPTION) {
    const Qt::WindowFlags frame = HasOwnFrame(window) ? Qt::FramelessWindowHint : Qt::WindowFlags();
    return ((exStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Window) | frame | onTop;
  }
  if (exStyle & WS_EX_TOOLWINDOW)
    return ((exStyle & WS_EX_NOACTIVATE) ? Qt::ToolTip : Qt::Tool) | Qt::FramelessWindowHint | onTop;
  return Qt::Window | Qt::FramelessWindowHint | onTop;
}

Qt::Edges EdgesOf(int hit) {
  switch (hit) {
    case HTLEFT: return Qt::LeftEdge;
    case HTRIGHT: return Qt::RightEdge;
    case HTTOP: return Qt::TopEdge;
    case HTBOTTOM: return Qt::BottomEdge;
    case HTTOPLEFT: return Qt::TopEdge | Qt::LeftEdge;
    case HTTOPRIGHT: return Qt::TopEdge | Qt::RightEdge;
    case HTBOTTOMLEFT: return Qt::BottomEdge | Qt::LeftEdge;
    default: return Qt::BottomEdge | Qt::RightEdge;
  }
}

class THostWidget final : public QWidget {
public:
  THostWidget(HWND window, QWidget* parent) : QWidget(parent, parent ? Qt::Widget : FlagsFor(window)), window_(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    // Keys go to the top-level widget; the window core routes them to the focus window.
    setFocusPolicy(parent ? Qt::NoFocus : Qt::StrongFocus);
  }

protected:
  bool event(QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease: Key(*static_cast<QKeyEvent*>(event)); return true;
      case QEvent::WindowActivate: Guarded([this] { DesktopActivated(window_); }); return true;
      // Keys released elsewhere would stay down.
      case QEvent::WindowDeactivate: ResetKeyboardState(); return true;
      case QEvent::WindowStateChange:
        if (isWindow()) Guarded([this] { DesktopMinimized(window_, isMinimized()); });
        return QWidget::event(event);
      case QEvent::Leave:
        if (isWindow()) Guarded([] { InjectMouseLeave(); });
        return true;
      case QEvent::Move:
      case QEvent::Resize:
        if (isWindow()) Guarded([this] { DesktopMovedWindow(window_, BoundsOf(geometry())); });
        return QWidget::event(event);
      default: return QWidget::event(event);
    }
  }

  void paintEvent(QPaintEvent* event) override {
    DesktopPaint(window_);
    const TWindowPixels pixels = WindowPixels(window_);
    if (!pixels.Surface || pixels.Surface->IsEmpty()) return;
    pixels.Surface->EndPainting();
    QPainter painter(this);
    painter.drawImage(event->rect(), ImageView(*pixels.Surface), event->rect().translated(pixels.Origin.X, pixels.Origin.Y));
    TRect caret;
    if (VisibleCaretRect(window_, caret)) {
      painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      painter.fillRect(caret.Left, caret.Top, caret.Width(), caret.Height(), Qt::white);
    }
  }

  // A native widget's input that its default procedure handed on and the
  // widget left alone comes here too: the core has seen it already.
  void mousePressEvent(QMouseEvent* event) override { Mouse(*event); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Mouse(*event); }
  void mouseReleaseEvent(QMouseEvent* event) override { Mouse(*event); }
  void mouseMoveEvent(QMouseEvent* event) override { Mouse(*event); }
  void wheelEvent(QWheelEvent* event) override {
    if (!DeliveringNativeInput()) ReportWheelEvent(*event);
  }

  // The platform asks for a context menu after the right button is released.
  void contextMenuEvent(QContextMenuEvent* event) override { event->accept(); }

  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    DesktopCloseRequest(window_);
  }

private:
  static TRect BoundsOf(const QRect& rect) { return Bounds(rect.x(), rect.y(), rect.width(), rect.height()); }

  static void Mouse(const QMouseEvent& event) {
    if (!DeliveringNativeInput()) ReportMouseEvent(event);
  }

  static void Key(const QKeyEvent& event) {
    if (!DeliveringNativeInput()) ReportKeyEvent(event);
  }

  HWND window_;
};

class TQtWindowHost final : public IWindowHost {
public:
  TQtWindowHost(HWND window, HWND parent) : window_(window), widget_(new THostWidget(window, WidgetOfWindow(parent))) {
    // Shown only through WS_VISIBLE: Qt would show a child widget never
    // hidden explicitly together with its parent.
    widget_->hide();
    Widgets()[window] = widget_;
    if (!parent) StayWithOwner();
    WNDCLASS windowClass;
    if (GetClassInfo(GetClassName(window), windowClass) && !windowClass.NativeWidget.empty())
      native_ = CreateNativeWidget(windowClass.NativeWidget, window, widget_);
  }
  // The widget may be the one whose event is running now (a close button
  // that destroys its window): it goes once Qt is done with it.
  ~TQtWindowHost() override {
    native_.reset();
    Widgets().erase(window_);
    widget_->hide();
    widget_->deleteLater();
  }

  void SetBounds(const TRect& bounds) override {
    TPoint offset{0, 0};
    if (widget_->parentWidget()) offset = ParentClientOffset();
    widget_->setGeometry(bounds.Left + offset.X, bounds.Top + offset.Y, bounds.Width(), bounds.Height());
  }
  void SetVisible(bool visible) override { widget_->setVisible(visible); }
  void SetTitle(const char* title) override { widget_->setWindowTitle(QString::fromUtf8(title)); }
  void Reparent(HWND parent) override {
    QWidget* parentWidget = WidgetOfWindow(parent);
    widget_->setParent(parentWidget, parentWidget ? Qt::Widget : FlagsFor(window_));
    widget_->setFocusPolicy(parentWidget ? Qt::NoFocus : Qt::StrongFocus);
  }
  void PlaceBehind(HWND sibling) override {
    if (QWidget* front = WidgetOfWindow(sibling))
      widget_->stackUnder(front);
    else
      widget_->raise();
  }
  void Present(const TRect& changed) override {
    widget_->update(changed.Left, changed.Top, changed.Width(), changed.Height());
  }
  // Before the program's loop runs, a window just shown is not on the
  // desktop yet: the desktop maps it through events nobody handles. They
  // are handled here (for a bounded time), and the painting is sent at once.
  void PresentNow() override {
    if (!widget_->isVisible()) return;
    if (!exposureAwaited_) WaitUntilExposed(*widget_->window());
    exposureAwaited_ = true;
    widget_->repaint();
    // Sends the painting to the desktop; input waits for the loop.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  void Activate() override {
    if (widget_->isVisible()) widget_->activateWindow();
  }
  void SetMaximized(bool maximized) override {
    if (maximized)
      widget_->showMaximized();
    else if (widget_->isMaximized())
      widget_->showNormal();
  }
  void SetMinimized(bool minimized) override {
    if (!widget_->isWindow()) return;
    const Qt::WindowStates state = widget_->windowState();
    widget_->setWindowState(minimized ? state | Qt::WindowMinimized : state & ~Qt::WindowMinimized);
  }
  // Changing a window's flags makes a new desktop window, hidden, no longer
  // staying with its owner, and placed by its frame's corner.
  void FrameOwnerChanged() override {
    if (!widget_->isWindow()) return;
    const bool visible = widget_->isVisible();
    const QRect geometry = widget_->geometry();
    widget_->setWindowFlags(FlagsFor(window_));
    widget_->setGeometry(geometry);
    StayWithOwner();
    exposureAwaited_ = false;
    if (visible) widget_->show();
  }
  void BeginDesktopMoveOrSize(int hit) override {
    QWindow* window = widget_->isWindow() ? widget_->windowHandle() : nullptr;
    if (!window) return;
    if (hit == HTCAPTION)
      window->startSystemMove();
    else
      window->startSystemResize(EdgesOf(hit));
  }
  // Qt grabs the mouse by itself while a button is held; an explicit grab
  // keeps it without one (the offscreen platform cannot grab).
  void SetMouseGrab(bool grab) override {
    if (!widget_->isVisible() || QGuiApplication::platformName() == "offscreen") return;
    if (grab)
      widget_->grabMouse();
    else
      widget_->releaseMouse();
  }
  bool NativeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    return native_ && native_->Message(message, wParam, lParam, result);
  }
  bool NativeScrollInfo(int bar, SCROLLINFO& info) override { return native_ && native_->ScrollInfo(bar, info); }
  void SetShape(const TRegion* shape) override {
    if (!shape) {
      widget_->clearMask();
      return;
    }
    QRegion mask;
    for (const TRect& r : shape->Rects()) mask += QRect(r.Left, r.Top, r.Width(), r.Height());
    widget_->setMask(mask);
  }
  void SetStayOnTop(bool stayOnTop) override {
    if (!widget_->isWindow() || widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == stayOnTop) return;
    const bool visible = widget_->isVisible();
    widget_->setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
    // Changing a window's flags hides it.
    if (visible) widget_->show();
  }

private:
  // An owned top-level window stays with its owner: in front of it, and out
  // of the task bar where the desktop lists only the owner.
  void StayWithOwner() {
    QWidget* owner = WidgetOfWindow(GetWindow(window_, GW_OWNER));
    if (!owner || !owner->isWindow()) return;
    widget_->winId();
    owner->winId();
    widget_->windowHandle()->setTransientParent(owner->windowHandle());
  }

  // A child's bounds are in its parent's client coordinates; the parent's
  // widget covers the parent's whole window.
  TPoint ParentClientOffset() const {
    const HWND parent = GetParent(window_);
    TPoint client{0, 0};
    ClientToScreen(parent, client);
    TRect frame;
    GetWindowRect(parent, frame);
    return {client.X - frame.Left, client.Y - frame.Top};
  }

  HWND window_;
  THostWidget* widget_;
  std::unique_ptr<TNativeWidget> native_;
  // A window the desktop keeps hidden is waited for once only.
  bool exposureAwaited_ = false;
};

}  // namespace

std::unique_ptr<IWindowHost> CreateQtWindowHost(HWND window, HWND parent) {
  return std::make_unique<TQtWindowHost>(window, parent);
}

QWidget* WidgetOfWindow(HWND window) {
  const auto found = Widgets().find(window);
  return found == Widgets().end() ? nullptr : found->second;
}

bool GetDesktopWindowInfo(HWND window, TDesktopWindowInfo& info) {
  const QWidget* widget = WidgetOfWindow(window);
  if (!widget || !widget->isWindow()) return false;
  info.ToolWindow = widget->windowType() == Qt::Tool;
  info.Frameless = widget->windowFlags().testFlag(Qt::FramelessWindowHint);
  info.TakesKeys = widget->windowType() != Qt::ToolTip;
  info.Title = widget->windowTitle().toStdString();
  info.StaysWith = nullptr;
  const QWindow* transientParent = widget->windowHandle() ? widget->windowHandle()->transientParent() : nullptr;
  for (const auto& [handle, other] : Widgets())
    if (transientParent && other->windowHandle() == transientParent) info.StaysWith = handle;
  return true;
}
