#include "toolkit/qt/QtWindowHost.h"

#include <exception>
#include <unordered_map>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>

#include "toolkit/qt/QtBitmap.h"
#include "toolkit/qt/QtKeys.h"
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

TPoint ScreenPoint(const QPointF& global) { return {qRound(global.x()), qRound(global.y())}; }

TInputModifiers ModifiersOf(Qt::KeyboardModifiers modifiers) {
  return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
          modifiers.testFlag(Qt::AltModifier)};
}

bool ButtonOf(Qt::MouseButton qtButton, TInputButton& button) {
  switch (qtButton) {
    case Qt::LeftButton: button = TInputButton::Left; return true;
    case Qt::RightButton: button = TInputButton::Right; return true;
    case Qt::MiddleButton: button = TInputButton::Middle; return true;
    default: return false;
  }
}

// Top-level windows with a caption get the desktop's frame; the others draw
// their own. Tool windows without a caption float like tool tips.
Qt::WindowFlags FlagsFor(HWND window) {
  const auto style = static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtr(window, GWL_EXSTYLE));
  const Qt::WindowFlags onTop = (exStyle & WS_EX_TOPMOST) ? Qt::WindowStaysOnTopHint : Qt::WindowFlags();
  if ((style & WS_CAPTION) == WS_CAPTION) return Qt::Window | onTop;
  if (exStyle & WS_EX_TOOLWINDOW) return Qt::ToolTip | Qt::FramelessWindowHint | onTop;
  return Qt::Window | Qt::FramelessWindowHint | onTop;
}

// Runs one piece of input; nothing thrown may leave a Qt event handler.
template <class Action>
void Guarded(Action action) {
  try {
    action();
  } catch (...) {
    HandleEscapedException(std::current_exception());
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
      case QEvent::KeyRelease: Key(static_cast<QKeyEvent*>(event)); return true;
      case QEvent::WindowActivate: Guarded([this] { DesktopActivated(window_); }); return true;
      // Keys released elsewhere would stay down.
      case QEvent::WindowDeactivate: ResetKeyboardState(); return true;
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
    const CountedPtr<TGdiBitmap> surface = WindowSurface(window_);
    if (!surface || surface->IsEmpty()) return;
    surface->EndPainting();
    QPainter painter(this);
    painter.drawImage(event->rect(), ImageView(*surface), event->rect());
    TRect caret;
    if (VisibleCaretRect(window_, caret)) {
      painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      painter.fillRect(caret.Left, caret.Top, caret.Width(), caret.Height(), Qt::white);
    }
  }

  void mousePressEvent(QMouseEvent* event) override { Button(event, true, false); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Button(event, true, true); }
  void mouseReleaseEvent(QMouseEvent* event) override { Button(event, false, false); }
  void mouseMoveEvent(QMouseEvent* event) override {
    Guarded([event] { InjectMouseMove(ScreenPoint(event->globalPosition()), ModifiersOf(event->modifiers())); });
  }

  void wheelEvent(QWheelEvent* event) override {
    const QPoint angle = event->angleDelta();
    const bool horizontal = angle.y() == 0 && angle.x() != 0;
    // Qt counts a wheel turned left as positive; the platform counts right.
    const int delta = horizontal ? -angle.x() : angle.y();
    Guarded([&] {
      InjectMouseWheel(ScreenPoint(event->globalPosition()), delta, horizontal, ModifiersOf(event->modifiers()));
    });
  }

  // The platform asks for a context menu after the right button is released.
  void contextMenuEvent(QContextMenuEvent* event) override { event->accept(); }

  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    DesktopCloseRequest(window_);
  }

private:
  static TRect BoundsOf(const QRect& rect) { return Bounds(rect.x(), rect.y(), rect.width(), rect.height()); }

  void Button(QMouseEvent* event, bool down, bool doubleClick) {
    TInputButton button;
    if (!ButtonOf(event->button(), button)) return;
    Guarded([&] {
      InjectMouseButton(ScreenPoint(event->globalPosition()), button, down, doubleClick, ModifiersOf(event->modifiers()));
    });
  }

  void Key(QKeyEvent* event) {
    const bool keypad = event->modifiers().testFlag(Qt::KeypadModifier);
    const WORD key = VirtualKeyOfQtKey(event->key(), keypad);
    const bool down = event->type() == QEvent::KeyPress;
    const std::u32string characters = down ? event->text().toStdU32String() : std::u32string();
    Guarded([&] { InjectKey(key, down, event->isAutoRepeat(), characters, ModifiersOf(event->modifiers())); });
  }

  HWND window_;
};

class TQtWindowHost final : public IWindowHost {
public:
  TQtWindowHost(HWND window, HWND parent) : window_(window), widget_(new THostWidget(window, WidgetOfWindow(parent))) {
    Widgets()[window] = widget_;
  }
  // The widget may be the one whose event is running now (a close button
  // that destroys its window): it goes once Qt is done with it.
  ~TQtWindowHost() override {
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
  void Activate() override {
    if (widget_->isVisible()) widget_->activateWindow();
  }
  void SetMaximized(bool maximized) override {
    if (maximized)
      widget_->showMaximized();
    else if (widget_->isMaximized())
      widget_->showNormal();
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
  void SetStayOnTop(bool stayOnTop) override {
    if (!widget_->isWindow() || widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == stayOnTop) return;
    const bool visible = widget_->isVisible();
    widget_->setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
    // Changing a window's flags hides it.
    if (visible) widget_->show();
  }

private:
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
};

}  // namespace

std::unique_ptr<IWindowHost> CreateQtWindowHost(HWND window, HWND parent) {
  return std::make_unique<TQtWindowHost>(window, parent);
}

QWidget* WidgetOfWindow(HWND window) {
  const auto found = Widgets().find(window);
  return found == Widgets().end() ? nullptr : found->second;
}
