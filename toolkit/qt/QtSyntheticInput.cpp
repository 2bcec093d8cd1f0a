#include "toolkit/qt/SyntheticInput.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <memory>

#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtMimeTypes.h"
#include "toolkit/qt/QtWindowHost.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Window.h"

namespace {

Qt::MouseButtons HeldButtons;

Qt::KeyboardModifiers QtModifiers(TInputModifiers modifiers) {
  Qt::KeyboardModifiers result;
  if (modifiers.Shift) result |= Qt::ShiftModifier;
  if (modifiers.Control) result |= Qt::ControlModifier;
  if (modifiers.Alt) result |= Qt::AltModifier;
  return result;
}

Qt::MouseButton QtButton(TInputButton button) {
  switch (button) {
    case TInputButton::Right: return Qt::RightButton;
    case TInputButton::Middle: return Qt::MiddleButton;
    default: return Qt::LeftButton;
  }
}

// The top-level Qt window that receives the window's input.
QWidget* TopWidget(HWND window) {
  QWidget* widget = WidgetOfWindow(GetAncestor(window, GA_ROOT));
  if (widget) widget->winId();
  return widget;
}

void Deliver(QWidget* top, QEvent& event) {
  if (top && top->windowHandle()) QCoreApplication::sendEvent(top->windowHandle(), &event);
}

QPointF GlobalPoint(HWND window, TPoint point) {
  TRect bounds;
  GetWindowRect(window, bounds);
  return QPointF(bounds.Left + point.X, bounds.Top + point.Y);
}

QEvent::Type MouseEventType(TSyntheticMouse action) {
  switch (action) {
    case TSyntheticMouse::Press: return QEvent::MouseButtonPress;
    case TSyntheticMouse::Release: return QEvent::MouseButtonRelease;
    case TSyntheticMouse::DoubleClick: return QEvent::MouseButtonDblClick;
    default: return QEvent::MouseMove;
  }
}

}  // namespace

QWindow* InputQtWindow(HWND window) {
  QWidget* top = TopWidget(window);
  return top ? top->windowHandle() : nullptr;
}

TPoint InputQtWindowPoint(HWND window, TPoint point) {
  QWidget* top = TopWidget(window);
  if (!top) return point;
  const QPoint local = top->mapFromGlobal(GlobalPoint(window, point)).toPoint();
  return {local.x(), local.y()};
}

void SynthesizeMouse(HWND window, TPoint point, TSyntheticMouse action, TInputButton button, TInputModifiers modifiers) {
  QWidget* top = TopWidget(window);
  if (!top) return;
  const QPointF global = GlobalPoint(window, point);
  const QPointF local = top->mapFromGlobal(global);
  const Qt::MouseButton qtButton = action == TSyntheticMouse::Move ? Qt::NoButton : QtButton(button);
  if (action == TSyntheticMouse::Press || action == TSyntheticMouse::DoubleClick) HeldButtons |= qtButton;
  if (action == TSyntheticMouse::Release) HeldButtons &= ~qtButton;
  QMouseEvent event(MouseEventType(action), local, local, global, qtButton, HeldButtons, QtModifiers(modifiers));
  Deliver(top, event);
}

void SynthesizeMouseAtScreen(TPoint screenPoint, TSyntheticMouse action, TInputButton button) {
  const QPoint global(screenPoint.X, screenPoint.Y);
  QWidget* top = QApplication::topLevelAt(global);
  if (!top) return;
  const Qt::MouseButton qtButton = action == TSyntheticMouse::Move ? Qt::NoButton : QtButton(button);
  if (action == TSyntheticMouse::Press || action == TSyntheticMouse::DoubleClick) HeldButtons |= qtButton;
  if (action == TSyntheticMouse::Release) HeldButtons &= ~qtButton;
  const QPointF local = top->mapFromGlobal(QPointF(global));
  QMouseEvent event(MouseEventType(action), local, local, QPointF(global), qtButton, HeldButtons, Qt::NoModifier);
  Deliver(top, event);
}

void SynthesizeClick(HWND window, TPoint point, TInputButton button) {
  SynthesizeMouse(window, point, TSyntheticMouse::Press, button);
  SynthesizeMouse(window, point, TSyntheticMouse::Release, button);
}

void SynthesizeWheel(HWND window, TPoint point, int delta, TInputModifiers modifiers) {
  QWidget* top = TopWidget(window);
  if (!top) return;
  const QPointF global = GlobalPoint(window, point);
  QWheelEvent event(top->mapFromGlobal(global), global, QPoint(), QPoint(0, delta), HeldButtons,
                    QtModifiers(modifiers), Qt::NoScrollPhase, false);
  Deliver(top, event);
}

namespace {

void DeliverKey(HWND window, int qtKey, const std::string& text, bool press, Qt::KeyboardModifiers modifiers) {
  QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, qtKey, modifiers, QString::fromStdString(text));
  Deliver(TopWidget(window), event);
}

}  // namespace

void SynthesizeKey(HWND window, WORD virtualKey, const std::string& text, bool press, TInputModifiers modifiers) {
  Qt::KeyboardModifiers qtModifiers = QtModifiers(modifiers);
  const bool keypad = (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_DIVIDE);
  if (keypad) qtModifiers |= Qt::KeypadModifier;
  DeliverKey(window, QtKeyOfVirtualKey(virtualKey), text, press, qtModifiers);
}

void SynthesizeKeyStroke(HWND window, WORD virtualKey, const std::string& text, TInputModifiers modifiers) {
  SynthesizeKey(window, virtualKey, text, true, modifiers);
  SynthesizeKey(window, virtualKey, text, false, modifiers);
}

// Qt's key of a printable ASCII character is its code (letters upper
// case), as a keyboard reports it: the character's code taken as a virtual
// key would make "(" the Down key and "$" the Home key.
void SynthesizeTyping(HWND window, const std::string& text) {
  for (const char c : text) {
    const int key = c >= 'a' && c <= 'z' ? c - 'a' + 'A' : static_cast<unsigned char>(c);
    DeliverKey(window, key, std::string(1, c), true, Qt::NoModifier);
    DeliverKey(window, key, std::string(1, c), false, Qt::NoModifier);
  }
}

namespace {

QMimeData* MimeDataOf(const TDataObject& data) {
  auto* mime = new QMimeData;
  for (const std::string& name : data.Formats()) {
    const auto bytes = data.Data(name);
    mime->setData(MimeTypeOf(name), MimeBytesOf(name, bytes));
  }
  return mime;
}

Qt::DropActions QtDropActions(DWORD effects) {
  Qt::DropActions actions;
  if (effects & DROPEFFECT_COPY) actions |= Qt::CopyAction;
  if (effects & DROPEFFECT_MOVE) actions |= Qt::MoveAction;
  if (effects & DROPEFFECT_LINK) actions |= Qt::LinkAction;
  return actions;
}

DWORD EffectOf(const QDropEvent& event) {
  if (!event.isAccepted()) return DROPEFFECT_NONE;
  switch (event.dropAction()) {
    case Qt::CopyAction: return DROPEFFECT_COPY;
    case Qt::MoveAction: return DROPEFFECT_MOVE;
    case Qt::LinkAction: return DROPEFFECT_LINK;
    default: return DROPEFFECT_NONE;
  }
}

}  // namespace

DWORD SynthesizeDrag(HWND window, TPoint point, TSyntheticDrag action, const TDataObject& data, DWORD allowedEffects,
                     TInputModifiers modifiers) {
  QWidget* top = TopWidget(window);
  if (!top) return DROPEFFECT_NONE;
  const std::unique_ptr<QMimeData> mime(MimeDataOf(data));
  const QPoint local = top->mapFromGlobal(GlobalPoint(window, point)).toPoint();
  const Qt::DropActions actions = QtDropActions(allowedEffects);
  const Qt::KeyboardModifiers qtModifiers = QtModifiers(modifiers);
  switch (action) {
    case TSyntheticDrag::Enter: {
      QDragEnterEvent event(local, actions, mime.get(), Qt::LeftButton, qtModifiers);
      Deliver(top, event);
      return EffectOf(event);
    }
    case TSyntheticDrag::Move: {
      QDragMoveEvent event(local, actions, mime.get(), Qt::LeftButton, qtModifiers);
      Deliver(top, event);
      return EffectOf(event);
    }
    case TSyntheticDrag::Leave: {
      QDragLeaveEvent event;
      Deliver(top, event);
      return DROPEFFECT_NONE;
    }
    default: {
      QDropEvent event(local, actions, mime.get(), Qt::LeftButton, qtModifiers);
      Deliver(top, event);
      return EffectOf(event);
    }
  }
}

void RunLater(int milliseconds, std::function<void()> action) { QTimer::singleShot(milliseconds, std::move(action)); }
