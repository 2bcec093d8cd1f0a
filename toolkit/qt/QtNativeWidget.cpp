#include "toolkit/qt/QtNativeWidget.h"

#include "toolkit/qt/QtNativeKinds.h"

#include <utility>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <QWidget>

#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/qt/QtFont.h"
#include "toolkit/qt/QtInput.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtPainter.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowBackend.h"

namespace {

// The event a default procedure is handing to its widget now: the input
// filters let it through, and host widgets do not report it again.
QEvent* Delivering = nullptr;

void Deliver(QObject* target, QEvent& event) {
  if (event.isInputEvent()) static_cast<QInputEvent&>(event).setTimestamp(LastInputTimestamp());
  QEvent* outer = std::exchange(Delivering, &event);
  QCoreApplication::sendEvent(target, &event);
  Delivering = outer;
}

class TInputFilter final : public QObject {
public:
  explicit TInputFilter(TNativeWidget& owner) : owner_(owner) {}
  bool eventFilter(QObject* watched, QEvent* event) override { return owner_.FilterEvent(watched, event); }

private:
  TNativeWidget& owner_;
};

Qt::KeyboardModifiers HeldModifiers() {
  Qt::KeyboardModifiers modifiers;
  if (GetKeyState(VK_SHIFT) & 0x8000) modifiers |= Qt::ShiftModifier;
  if (GetKeyState(VK_CONTROL) & 0x8000) modifiers |= Qt::ControlModifier;
  if (GetKeyState(VK_MENU) & 0x8000) modifiers |= Qt::AltModifier;
  return modifiers;
}

Qt::MouseButtons ButtonsOf(WPARAM keys) {
  Qt::MouseButtons buttons;
  if (keys & MK_LBUTTON) buttons |= Qt::LeftButton;
  if (keys & MK_RBUTTON) buttons |= Qt::RightButton;
  if (keys & MK_MBUTTON) buttons |= Qt::MiddleButton;
  return buttons;
}

// The event and button of a client mouse message.
std::pair<QEvent::Type, Qt::MouseButton> MouseEventOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: return {QEvent::MouseButtonPress, Qt::LeftButton};
    case WM_LBUTTONUP: return {QEvent::MouseButtonRelease, Qt::LeftButton};
    case WM_LBUTTONDBLCLK: return {QEvent::MouseButtonDblClick, Qt::LeftButton};
    case WM_RBUTTONDOWN: return {QEvent::MouseButtonPress, Qt::RightButton};
    case WM_RBUTTONUP: return {QEvent::MouseButtonRelease, Qt::RightButton};
    case WM_RBUTTONDBLCLK: return {QEvent::MouseButtonDblClick, Qt::RightButton};
    case WM_MBUTTONDOWN: return {QEvent::MouseButtonPress, Qt::MiddleButton};
    case WM_MBUTTONUP: return {QEvent::MouseButtonRelease, Qt::MiddleButton};
    case WM_MBUTTONDBLCLK: return {QEvent::MouseButtonDblClick, Qt::MiddleButton};
    default: return {QEvent::MouseMove, Qt::NoButton};
  }
}

// Keys whose action widgets take from the character they type, as the
// platform's controls do: a key-press handler that swallows the character
// swallows the action.
bool ActsThroughCharacter(WORD key) {
  if (HeldModifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  return key == VK_BACK || key == VK_RETURN || key == VK_TAB;
}

int KeyOfControlCharacter(char32_t character) {
  switch (character) {
    case 8: return Qt::Key_Backspace;
    case 9: return Qt::Key_Tab;
    case 13: return Qt::Key_Return;
    default: return 0;
  }
}

}  // namespace

bool DeliveringNativeInput() { return Delivering != nullptr; }

TNativeWidget::TNativeWidget(HWND window, QWidget* widget)
    : window_(window), widget_(widget), filter_(new TInputFilter(*this)) {
  // The toolkit decides focus and keys: no Tab chain, no focus by click.
  widget_->setFocusPolicy(Qt::NoFocus);
  widget_->setAttribute(Qt::WA_NoMousePropagation);
  widget_->setEnabled(!(GetWindowLongPtr(window, GWL_STYLE) & WS_DISABLED));
  WatchInput(widget_);
  widget_->show();
}

TNativeWidget::~TNativeWidget() { delete filter_; }

void TNativeWidget::WatchInput(QObject* object) {
  object->installEventFilter(filter_);
  for (QObject* child : object->findChildren<QObject*>())
    if (child->isWidgetType()) child->installEventFilter(filter_);
}

bool TNativeWidget::FilterEvent(QObject* watched, QEvent* event) {
  if (event == Delivering || !watched->isWidgetType()) return false;
  // Pop-ups the widget opens (a combo box's list) take their input themselves.
  if (static_cast<QWidget*>(watched)->window() != widget_->window()) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: ReportKeyEvent(*static_cast<QKeyEvent*>(event)); return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: ReportMouseEvent(*static_cast<QMouseEvent*>(event)); return true;
    case QEvent::Wheel: ReportWheelEvent(*static_cast<QWheelEvent*>(event)); return true;
    // WM_CONTEXTMENU brings it after the right button's release.
    case QEvent::ContextMenu: return true;
    case QEvent::ChildAdded:
      if (QObject* child = static_cast<QChildEvent*>(event)->child(); child->isWidgetType()) WatchInput(child);
      return false;
    case QEvent::FocusIn:
      if (GetFocus() != window_) Guarded([this] { SetFocus(window_); });
      return false;
    default: return false;
  }
}

bool TNativeWidget::Message(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (ControlMessage(message, wParam, lParam, result)) return true;
  switch (message) {
    case WM_NCCREATE: {
      // The window's first text is no change.
      const QSignalBlocker blocker(widget_);
      const char* name = reinterpret_cast<const CREATESTRUCT*>(lParam)->lpszName;
      SetText(name ? name : "");
      return false;
    }
    case WM_SIZE: PlaceInClientArea(); return false;
    case WM_SETTEXT:
      SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
      return false;
    case WM_GETTEXTLENGTH: result = static_cast<LRESULT>(Text().size()); return true;
    case WM_GETTEXT: {
      const std::string text = Text();
      if (wParam == 0 || !lParam) return true;
      const size_t count = std::min<size_t>(text.size(), wParam - 1);
      text.copy(reinterpret_cast<char*>(lParam), count);
      reinterpret_cast<char*>(lParam)[count] = '\0';
      result = static_cast<LRESULT>(count);
      return true;
    }
    case WM_SETFONT: ApplyFont(wParam); return true;
    case WM_GETFONT: result = static_cast<LRESULT>(font_); return true;
    case CM_NATIVECOLORS: ApplyColors(wParam, lParam); return true;
    case WM_ENABLE: widget_->setEnabled(wParam != 0); return false;
    case WM_SETFOCUS: {
      // Qt's views make an item current when they get the focus; the platform's lists do not choose by focus.
      const QSignalBlocker blocker(widget_);
      widget_->setFocus(Qt::OtherFocusReason);
      return false;
    }
    case WM_KILLFOCUS:
      if (QWidget* focus = QApplication::focusWidget(); focus && (focus == widget_ || widget_->isAncestorOf(focus)))
        focus->clearFocus();
      return false;
    case WM_GETDLGCODE: result = DialogCode(); return true;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (!wParam) return false;
      Render(static_cast<LPARAM>(wParam));
      return true;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lParam) return false;
      Scroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
      return true;
    case WM_CONTEXTMENU: DeliverContextMenu(lParam); return true;
    default: return DeliverInput(message, wParam, lParam);
  }
}

// Input messages reach the widget; system keys and the right button's
// release go on to DefWindowProc as well (menus, WM_CONTEXTMENU).
bool TNativeWidget::DeliverInput(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: DeliverKey(message, wParam); return true;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: DeliverKey(message, wParam); return false;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: DeliverWheel(message, wParam, lParam); return true;
    default:
      if (message < WM_MOUSEMOVE || message > WM_MBUTTONDBLCLK) return false;
      DeliverMouse(message, wParam, lParam);
      return message != WM_RBUTTONUP;
  }
}

void TNativeWidget::DeliverKey(UINT message, WPARAM wParam) {
  if (message == WM_CHAR) {
    const auto character = static_cast<char32_t>(wParam);
    if (const int key = KeyOfControlCharacter(character)) {
      QKeyEvent event(QEvent::KeyPress, key, HeldModifiers());
      Deliver(KeyTarget(), event);
    } else if (character >= 0x20 && character != 0x7F) {
      QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&character, 1));
      Deliver(KeyTarget(), event);
    }
    return;
  }
  const auto key = static_cast<WORD>(wParam);
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  if (down && ActsThroughCharacter(key)) return;
  QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, QtKeyOfVirtualKey(key), HeldModifiers());
  Deliver(KeyTarget(), event);
}

void TNativeWidget::DeliverMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  const QPoint point(GET_X_LPARAM(lParam) - areaOffset_.X, GET_Y_LPARAM(lParam) - areaOffset_.Y);
  const auto [type, button] = MouseEventOf(message);
  const Qt::MouseButtons buttons = ButtonsOf(wParam);
  const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
  if (press && button == Qt::LeftButton && FocusOnClick() && GetFocus() != window_) SetFocus(window_);
  QWidget* target = pressTarget_ && (buttons || type == QEvent::MouseButtonRelease) ? pressTarget_ : nullptr;
  if (!target) target = widget_->childAt(point);
  if (!target) target = widget_;
  if (press) pressTarget_ = target;
  if (!buttons) pressTarget_ = nullptr;
  const QPointF local = target->mapFrom(widget_, point);
  QMouseEvent event(type, local, local, widget_->mapToGlobal(QPointF(point)), button, buttons, HeldModifiers());
  Deliver(target, event);
}

void TNativeWidget::DeliverWheel(UINT message, WPARAM wParam, LPARAM lParam) {
  const QPoint global(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  const QPoint point = widget_->mapFromGlobal(global);
  QWidget* target = widget_->childAt(point);
  if (!target) target = widget_;
  const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
  const QPoint angle = message == WM_MOUSEHWHEEL ? QPoint(-delta, 0) : QPoint(0, delta);
  QWheelEvent event(target->mapFrom(widget_, QPointF(point)), QPointF(global), QPoint(), angle,
                    ButtonsOf(LOWORD(wParam)), HeldModifiers(), Qt::NoScrollPhase, false);
  Deliver(target, event);
}

// The widget's own context menu (a text widget's edit menu), when no
// procedure before this one took the message.
void TNativeWidget::DeliverContextMenu(LPARAM lParam) {
  const bool byKeyboard = lParam == -1;
  const QPoint global = byKeyboard ? widget_->mapToGlobal(QPoint(0, 0)) : QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  QWidget* target = widget_->childAt(widget_->mapFromGlobal(global));
  if (!target) target = widget_;
  QContextMenuEvent event(byKeyboard ? QContextMenuEvent::Keyboard : QContextMenuEvent::Mouse,
                          target->mapFromGlobal(global), global);
  Deliver(target, event);
}

std::string TNativeWidget::Text() const { return widget_->windowTitle().toStdString(); }

void TNativeWidget::SetText(const std::string& text) { widget_->setWindowTitle(QString::fromStdString(text)); }

bool TNativeWidget::ScrollInfo(int bar, SCROLLINFO& info) {
  auto* area = qobject_cast<QAbstractScrollArea*>(widget_);
  if (!area) return false;
  const QScrollBar* scrollBar = bar == SB_VERT ? area->verticalScrollBar() : area->horizontalScrollBar();
  info.nMin = scrollBar->minimum();
  info.nPage = static_cast<UINT>(scrollBar->pageStep());
  info.nMax = scrollBar->maximum() + scrollBar->pageStep() - 1;
  info.nPos = scrollBar->value();
  info.nTrackPos = scrollBar->sliderPosition();
  return true;
}

void TNativeWidget::Scroll(int bar, WORD request) {
  auto* area = qobject_cast<QAbstractScrollArea*>(widget_);
  if (!area) return;
  QScrollBar* scrollBar = bar == SB_VERT ? area->verticalScrollBar() : area->horizontalScrollBar();
  switch (request) {
    case SB_LINEUP: scrollBar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case SB_LINEDOWN: scrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case SB_PAGEUP: scrollBar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case SB_PAGEDOWN: scrollBar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case SB_TOP: scrollBar->triggerAction(QAbstractSlider::SliderToMinimum); break;
    case SB_BOTTOM: scrollBar->triggerAction(QAbstractSlider::SliderToMaximum); break;
    default: break;
  }
}

void TNativeWidget::PlaceInClientArea() {
  TRect client;
  GetClientRect(window_, client);
  TPoint origin{0, 0};
  ClientToScreen(window_, origin);
  TRect frame;
  GetWindowRect(window_, frame);
  const TRect area = WidgetArea(client);
  areaOffset_ = area.TopLeft();
  widget_->setGeometry(origin.X - frame.Left + area.Left, origin.Y - frame.Top + area.Top, area.Width(), area.Height());
}

void TNativeWidget::Render(LPARAM dc) {
  auto* context = reinterpret_cast<TDeviceContext*>(dc);
  QPainter& painter = PainterFor(*context);
  widget_->render(&painter, QPoint(0, 0), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  ForgetPainterState(*context);
}

void TNativeWidget::ApplyColors(WPARAM background, LPARAM text) {
  QPalette palette = widget_->palette();
  const QColor backgroundColor = QColorOf(static_cast<TColor>(background));
  const QColor textColor = QColorOf(static_cast<TColor>(text));
  palette.setColor(QPalette::Base, backgroundColor);
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
    palette.setColor(role, textColor);
  widget_->setPalette(palette);
}

void TNativeWidget::ApplyFont(WPARAM font) {
  font_ = font;
  if (!font) return;
  widget_->setFont(QFontOfHandle(reinterpret_cast<HFONT>(font)));
  // A kind whose area follows its text (a tab bar) grows or shrinks with the font.
  PlaceInClientArea();
}

void TNativeWidget::NotifyCommand(WORD code) const {
  const HWND parent = GetParent(window_);
  const auto id = static_cast<int>(GetWindowLongPtr(window_, GWL_ID));
  Guarded([&] { SendMessage(parent, WM_COMMAND, MAKEWPARAM(id, code), HandleToParam(window_)); });
}

LRESULT TNativeWidget::Notify(NMHDR& header, UINT code) const {
  header.hwndFrom = window_;
  header.idFrom = static_cast<UINT_PTR>(GetWindowLongPtr(window_, GWL_ID));
  header.code = code;
  LRESULT result = 0;
  Guarded([&] { result = SendMessage(GetParent(window_), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)); });
  return result;
}

std::unique_ptr<TNativeWidget> CreateNativeWidget(const std::string& name, HWND window, QWidget* parent) {
  using TMaker = std::unique_ptr<TNativeWidget> (*)(HWND, QWidget*);
  static const std::pair<const char*, TMaker> kinds[] = {
      // An edit of several lines (ES_MULTILINE) is a plain-text edit.
      {"QLineEdit", &MakeNativeEdit},
      {"QPlainTextEdit", &MakeNativeTextEdit},
      {"QPushButton", &MakeNativeButton},
      {"QCheckBox", &MakeNativeButton},
      {"QRadioButton", &MakeNativeButton},
      {"QListWidget", &MakeNativeListBox},
      {"QListWidget:checkable", &MakeNativeCheckListBox},
      {"QComboBox", &MakeNativeComboBox},
      {"QTabBar", &MakeNativeTabControl},
      {"QTreeWidget", &MakeNativeTreeView},
      {"QTextEdit", &MakeNativeRichEdit},
      // A tree widget without a tree: the report-style list view.
      {"QTreeWidget:report", &MakeNativeListView},
  };
  for (const auto& [kindName, make] : kinds)
    if (name == kindName) return make(window, parent);
  return nullptr;
}
